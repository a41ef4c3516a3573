// The one check of an order against a graph: is it a permutation of the
// nodes, how many of its cyclic links are not edges, and does it use every
// edge the graph fixes. Every caller that accepts a cycle (the solver, the
// tour checker, the tour keeper, the desktop program) asks this check.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "core/graph.h"
#include "export.h"

namespace hcp {

struct CycleCheck {
    bool permutation = false;   // every node exactly once
    // H: links that are not edges, plus fixed edges the order does not use
    // as links; -1 unless a permutation. H = 0 exactly for an answer.
    int gaps = -1;
    // The first fixed edge (u < v, 0-based) the order does not use as a link.
    std::optional<Edge> missedFixed;
    int missedFixedCount = 0;
    // A permutation with no gap, on N >= 3 nodes, that uses every fixed edge:
    // an answer to the graph's question.
    bool hamiltonian = false;
    // Why it is not a permutation, or which fixed edge it skips (1-based).
    std::string problem;
};

TOURKERN_API CycleCheck CheckCycle(const Graph& g, std::span<const NodeId> order);

// "the cycle does not use the fixed edge 1 3" for messages.
TOURKERN_API std::string MissedFixedEdgeText(const Edge& e);

}  // namespace hcp
