// The one check of an order against a graph and a question: is it a
// permutation of the nodes, how many of its links are not edges (arcs, in
// order, in a directed graph), and does it use every edge the graph fixes.
// A cycle's links close from the last node to the first; a path's do not,
// and its given ends must be its first and last nodes. Every caller that
// accepts a cycle or path (the solver, the tour checker, the tour keeper,
// the desktop program) asks this check.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "core/graph.h"
#include "core/question.h"
#include "export.h"

namespace hcp {

struct CycleCheck {
    bool permutation = false;   // every node exactly once
    // H: links that are not edges, plus fixed edges the order does not use
    // as links, plus path ends that are not where the question puts them;
    // -1 unless a permutation. H = 0 exactly for an answer.
    int gaps = -1;
    // The first fixed edge (u < v, 0-based) the order does not use as a link.
    std::optional<Edge> missedFixed;
    int missedFixedCount = 0;
    // A permutation with no gap that uses every fixed edge, on N >= 3 nodes
    // for an undirected cycle, N >= 2 for a directed one, N >= 1 for a path:
    // an answer to the question.
    bool hamiltonian = false;
    // Why it is not a permutation, which fixed edge it skips, or which end
    // is wrong (1-based).
    std::string problem;
};

TOURKERN_API CycleCheck CheckOrder(const Graph& g, std::span<const NodeId> order, const Question& q);
// The cycle question.
TOURKERN_API CycleCheck CheckCycle(const Graph& g, std::span<const NodeId> order);

// "the cycle does not use the fixed edge 1 3" for messages.
TOURKERN_API std::string MissedFixedEdgeText(const Edge& e);

}  // namespace hcp
