// Telling a leaper board from the graph itself: which (a, b)-leaper on
// which m x n board, if any, gives exactly this graph with its nodes
// numbered as the generator numbers them (square (r, c) is node r*n + c).
// For drawing a graph as a board whatever its file is called.
#pragma once

#include <optional>
#include <string_view>

#include "core/graph.h"
#include "core/leapergraph.h"
#include "export.h"

namespace hcp {

// The shape whose leaper graph equals g node for node, or nothing. nameHint
// (a file name or NAME such as "leaper_1_2_30_30" or "dir/leaper_1_2_30_30.hcp")
// is tried first and returned as written when it fits; otherwise the steps
// come from the first square's moves on each factorisation m*n = N, the
// most nearly square boards first, with a <= b. A graph without edges is
// only claimed through the hint, since every long enough step fits it.
// Cost O(N + E) per candidate; a graph that is no leaper graph is usually
// refused at its degrees or its edge count.
TOURKERN_API std::optional<LeaperShape> RecogniseLeaper(const Graph& g, std::string_view nameHint = {});

// True when g is the leaper graph of shape, node for node.
TOURKERN_API bool IsLeaperGraph(const Graph& g, const LeaperShape& shape);

}  // namespace hcp
