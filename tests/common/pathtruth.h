// Ground truth for paths and digraphs: Held-Karp over node subsets pushed
// forward along successors (neighbours of an undirected graph), sharing no
// code with the engine. Up to 20 nodes; fixed edges are not looked at.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/graph.h"

namespace testgraphs {

// ends[mask] bit v: some path through exactly the nodes of mask, starting
// at `from` (any node when unset), ends at v.
inline std::vector<std::uint32_t> PathEnds(const hcp::Graph& g, std::optional<hcp::NodeId> from) {
    const hcp::NodeId n = g.NodeCount();
    if (n > 20) throw std::invalid_argument("too large for the exhaustive check");
    std::vector<std::uint32_t> succ(n, 0);
    for (hcp::NodeId v = 0; v < n; ++v)
        for (hcp::NodeId w : g.Neighbors(v)) succ[v] |= 1u << w;
    std::vector<std::uint32_t> ends(std::size_t{1} << n, 0);
    for (hcp::NodeId v = 0; v < n; ++v)
        if (!from || *from == v) ends[std::size_t{1} << v] = 1u << v;
    for (std::uint32_t mask = 1; mask < (1u << n); ++mask)
        for (std::uint32_t at = ends[mask]; at != 0; at &= at - 1) {
            const int v = __builtin_ctz(at);
            for (std::uint32_t fresh = succ[v] & ~mask; fresh != 0; fresh &= fresh - 1)
                ends[mask | (fresh & (~fresh + 1))] |= fresh & (~fresh + 1);
        }
    return ends;
}

// Whether g has a Hamiltonian path from `from` to `to` (either unset: any).
inline bool HasPathByDp(const hcp::Graph& g, std::optional<hcp::NodeId> from = {},
                        std::optional<hcp::NodeId> to = {}) {
    const hcp::NodeId n = g.NodeCount();
    if (n == 0) return false;
    const auto ends = PathEnds(g, from);
    const std::uint32_t last = ends[(std::size_t{1} << n) - 1];
    return to ? (last >> *to & 1u) != 0 : last != 0;
}

// Whether a digraph has a directed Hamiltonian cycle (a 2-cycle counts on 2 nodes).
inline bool HasDirectedCycleByDp(const hcp::Graph& d) {
    const hcp::NodeId n = d.NodeCount();
    if (n < 2) return false;
    const auto ends = PathEnds(d, hcp::NodeId{0});
    const std::uint32_t last = ends[(std::size_t{1} << n) - 1];
    for (hcp::NodeId v = 1; v < n; ++v)
        if ((last >> v & 1u) != 0 && d.HasEdge(v, 0)) return true;
    return false;
}

// A random digraph: each ordered pair an arc with probability p.
inline hcp::Graph RandomDigraph(hcp::NodeId n, double p, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::bernoulli_distribution coin(p);
    std::vector<hcp::Edge> arcs;
    for (hcp::NodeId u = 0; u < n; ++u)
        for (hcp::NodeId v = 0; v < n; ++v)
            if (u != v && coin(rng)) arcs.emplace_back(u, v);
    return hcp::Graph::FromArcs(n, arcs);
}

}  // namespace testgraphs
