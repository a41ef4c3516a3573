// The one check of an order against a graph: is it a permutation of the
// nodes, and how many of its cyclic links are not edges.
#pragma once

#include <span>
#include <string>

#include "core/graph.h"
#include "export.h"

namespace hcp {

struct CycleCheck {
    bool permutation = false;   // every node exactly once
    int gaps = -1;              // links that are not edges; -1 unless a permutation
    bool hamiltonian = false;   // a permutation with no gap, on N >= 3 nodes
    std::string problem;        // why it is not a permutation (1-based nodes)
};

TOURKERN_API CycleCheck CheckCycle(const Graph& g, std::span<const NodeId> order);

}  // namespace hcp
