// What a picture of the graph needs, gathered once when the document
// changes instead of on every paint: the edge list (a paint never scans the
// N^2/2 pair store), the edges a search ruled out, and the cycle's links with
// their gaps marked.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "core/graph.h"

namespace app {

using NodePair = std::pair<int, int>;   // 1-based node numbers, first < second

struct GraphScene {
    int nodes = 0;
    std::vector<NodePair> edges;     // every edge of the graph, ruled-out ones excluded
    std::vector<NodePair> ruledOut;  // edges of the graph no Hamiltonian cycle can use
    std::vector<int> order;          // the cycle order, 1-based; may be empty
    std::vector<char> gap;           // gap[k]: order[k] and the next node are not joined
    int gaps = 0;
    std::uint64_t revision = 0;      // changes whenever any of the above does
};

// The scene of graph g with cycle order (0-based node numbers). ruledOut
// lists edges of g (1-based, either orientation) to draw apart; pairs that
// are no edge of g are dropped. Order entries outside 0..N-1 are left out.
GraphScene BuildScene(const hcp::Graph& g, std::span<const hcp::NodeId> order,
                      const std::vector<NodePair>& ruledOut);

}  // namespace app
