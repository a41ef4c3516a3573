// What a picture of the graph needs, gathered once when the document
// changes instead of on every paint: the edge list (a paint never scans the
// N^2/2 pair store), where a directed graph's arcs point, the edges a search
// ruled out, and the cycle's or path's links with their gaps marked.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "core/graph.h"
#include "core/question.h"

namespace app {

using NodePair = std::pair<int, int>;   // 1-based node numbers, first < second

// Where the arcs of a directed graph's edge point (bits of GraphScene::heads).
constexpr std::uint8_t kHeadAtSecond = 1;   // the arc first -> second
constexpr std::uint8_t kHeadAtFirst = 2;    // the arc second -> first

struct GraphScene {
    int nodes = 0;
    bool directed = false;           // the graph's edges are arcs
    bool closed = true;              // the order is a cycle; false: a path, no link back to its first node
    std::vector<NodePair> edges;     // every edge (pair of nodes joined by an arc) once, ruled-out ones excluded
    std::vector<std::uint8_t> heads; // directed: heads[k] tells which ends of edges[k] arcs enter; else empty
    std::vector<NodePair> ruledOut;  // edges of the graph no Hamiltonian cycle can use
    std::vector<int> order;          // the cycle or path order, 1-based; may be empty
    std::vector<char> gap;           // one per link: gap[k], order[k] and the next node are not joined
                                     // (in a directed graph: no arc from order[k] to the next node)
    int gaps = 0;
    std::uint64_t revision = 0;      // changes whenever any of the above does

    // The order's links: as many as nodes for a cycle, one fewer for a path.
    std::size_t LinkCount() const { return gap.size(); }
};

// The scene of graph g with order (0-based node numbers) as a cycle, or as
// a path when goal says so. ruledOut lists edges of g (1-based, either
// orientation) to draw apart; pairs that are no edge of g are dropped.
// Order entries outside 0..N-1 are left out.
GraphScene BuildScene(const hcp::Graph& g, std::span<const hcp::NodeId> order,
                      const std::vector<NodePair>& ruledOut, hcp::Goal goal = hcp::Goal::Cycle);

}  // namespace app
