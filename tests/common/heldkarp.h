// The ground truth of the tests: Held-Karp over node subsets, pushed
// forward one node at a time. It shares no code with the engine's searches
// (the engine's own programme pulls rows instead), so a solver and this
// can only agree by both being right. Up to 24 nodes; fixed edges are not
// looked at.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/graph.h"

namespace testgraphs {

// A Hamiltonian cycle of g as a node order, or an empty order when there
// is none.
inline std::vector<hcp::NodeId> HeldKarpCycle(const hcp::Graph& g) {
    using hcp::NodeId;
    const NodeId n = g.NodeCount();
    if (n < 3) return {};
    if (n > 24) throw std::invalid_argument("too large for the exhaustive check");
    std::vector<std::uint32_t> adj(n, 0);
    for (NodeId v = 0; v < n; ++v)
        for (NodeId w : g.Neighbors(v)) adj[v] |= 1u << w;
    // ends[mask] bit v: some path from node 0 through exactly mask ends at v.
    std::vector<std::uint32_t> ends(std::size_t{1} << n, 0);
    ends[1] = 1;
    for (std::uint32_t mask = 1; mask < (1u << n); mask += 2) {
        for (std::uint32_t at = ends[mask]; at != 0; at &= at - 1) {
            const int v = __builtin_ctz(at);
            for (std::uint32_t fresh = adj[v] & ~mask; fresh != 0; fresh &= fresh - 1)
                ends[mask | (fresh & (~fresh + 1))] |= fresh & (~fresh + 1);
        }
    }
    const std::uint32_t all = (n == 32 ? ~0u : (1u << n) - 1);
    std::uint32_t last = ends[all] & adj[0] & ~1u;
    if (last == 0) return {};
    std::vector<NodeId> order;
    std::uint32_t mask = all;
    NodeId v = static_cast<NodeId>(__builtin_ctz(last));
    while (v != 0) {
        order.push_back(v);
        mask &= ~(1u << v);
        const std::uint32_t before = ends[mask] & adj[v];
        v = static_cast<NodeId>(__builtin_ctz(before));
    }
    order.push_back(0);
    return order;
}

inline bool HamiltonianByDp(const hcp::Graph& g) { return !HeldKarpCycle(g).empty(); }

// Whether g has a Hamiltonian cycle through all its fixed edges: each
// fixed edge is split by a new node of degree 2, which every cycle of the
// split graph must pass, and a cycle of that graph is one of g through the
// fixed edges.
inline bool HamiltonianThroughFixedByDp(const hcp::Graph& g) {
    std::vector<hcp::Edge> split;
    hcp::NodeId extra = g.NodeCount();
    const auto& fixed = g.FixedEdges();
    for (const auto& e : g.Edges()) {
        bool isFixed = false;
        for (const auto& f : fixed)
            isFixed |= (f.first == e.first && f.second == e.second) || (f.first == e.second && f.second == e.first);
        if (!isFixed) {
            split.push_back(e);
            continue;
        }
        split.emplace_back(e.first, extra);
        split.emplace_back(e.second, extra);
        ++extra;
    }
    return HamiltonianByDp(hcp::Graph::FromEdges(extra, split));
}

}  // namespace testgraphs
