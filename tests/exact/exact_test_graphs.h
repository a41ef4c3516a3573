// Graph families with known answers, a graph6 file reader and an exhaustive
// Held-Karp check, for the tests of the exact method. The families are
// built from their textbook definitions; the check shares no code with the
// engine, so the two can only agree by both being right.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/graph.h"
#include "io/graph6.h"

namespace exacttest {

using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;

inline Graph Make(NodeId n, const std::vector<Edge>& e) { return Graph::FromEdges(n, e); }

// Generalized Petersen graph GP(n, k): outer cycle u_i = i, spokes, inner
// star v_i = n + i joined to v_{i+k}.
inline Graph GeneralizedPetersen(NodeId n, NodeId k) {
    std::vector<Edge> e;
    for (NodeId i = 0; i < n; ++i) {
        e.emplace_back(i, (i + 1) % n);
        e.emplace_back(i, n + i);
        e.emplace_back(n + i, n + (i + k) % n);
    }
    return Make(2 * n, e);
}

// Flower snark J_n (n odd): star centres a_i, an n-cycle through the b_i and
// one 2n-cycle c_0 .. c_{n-1} d_0 .. d_{n-1}.
inline Graph FlowerSnark(NodeId n) {
    std::vector<Edge> e;
    auto a = [&](NodeId i) { return i; };
    auto b = [&](NodeId i) { return n + i % n; };
    auto c = [&](NodeId i) { return 2 * n + i % n; };
    auto d = [&](NodeId i) { return 3 * n + i % n; };
    for (NodeId i = 0; i < n; ++i) {
        e.emplace_back(a(i), b(i));
        e.emplace_back(a(i), c(i));
        e.emplace_back(a(i), d(i));
        e.emplace_back(b(i), b(i + 1));
        if (i + 1 < n) {
            e.emplace_back(c(i), c(i + 1));
            e.emplace_back(d(i), d(i + 1));
        }
    }
    e.emplace_back(c(n - 1), d(0));
    e.emplace_back(d(n - 1), c(0));
    return Make(4 * n, e);
}

// The Herschel graph, as the skeleton of the enneahedron: apexes T (0) and
// U (1), equator e_i (2..4) of degree 4, rings t_i (5..7) and u_i (8..10);
// t_i and u_i each join e_i and e_{i+1}. Bipartite with sides 5 and 6.
inline Graph Herschel() {
    std::vector<Edge> e;
    for (NodeId i = 0; i < 3; ++i) {
        e.emplace_back(0, 5 + i);
        e.emplace_back(1, 8 + i);
        e.emplace_back(5 + i, 2 + i);
        e.emplace_back(5 + i, 2 + (i + 1) % 3);
        e.emplace_back(8 + i, 2 + i);
        e.emplace_back(8 + i, 2 + (i + 1) % 3);
    }
    return Make(11, e);
}

inline Graph CompleteBipartite(NodeId a, NodeId b) {
    std::vector<Edge> e;
    for (NodeId i = 0; i < a; ++i)
        for (NodeId j = 0; j < b; ++j) e.emplace_back(i, a + j);
    return Make(a + b, e);
}

inline Graph Complete(NodeId n) {
    std::vector<Edge> e;
    for (NodeId i = 0; i < n; ++i)
        for (NodeId j = i + 1; j < n; ++j) e.emplace_back(i, j);
    return Make(n, e);
}

// rows x cols grid; square (r, c) is node r*cols + c.
inline Graph Grid(NodeId rows, NodeId cols) {
    std::vector<Edge> e;
    for (NodeId r = 0; r < rows; ++r)
        for (NodeId c = 0; c < cols; ++c) {
            if (c + 1 < cols) e.emplace_back(r * cols + c, r * cols + c + 1);
            if (r + 1 < rows) e.emplace_back(r * cols + c, (r + 1) * cols + c);
        }
    return Make(rows * cols, e);
}

inline Graph Hypercube(int d) {
    const NodeId n = NodeId{1} << d;
    std::vector<Edge> e;
    for (NodeId v = 0; v < n; ++v)
        for (int b = 0; b < d; ++b)
            if ((v >> b & 1) == 0) e.emplace_back(v, v | NodeId{1} << b);
    return Make(n, e);
}

// Two hubs (0 and 1) joined by three paths with the given numbers of inner
// nodes (a count of 0 is a direct edge).
inline Graph Theta(NodeId p, NodeId q, NodeId r) {
    std::vector<Edge> e;
    NodeId next = 2;
    for (NodeId len : {p, q, r}) {
        NodeId prev = 0;
        for (NodeId k = 0; k < len; ++k) {
            e.emplace_back(prev, next);
            prev = next++;
        }
        e.emplace_back(prev, 1);
    }
    return Make(next, e);
}

// G(n, p) from a fixed seed; the draw uses only the engine's raw output so
// every platform builds the same graph.
inline Graph Random(NodeId n, double p, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    const auto cut = static_cast<std::uint64_t>(p * 1e6);
    std::vector<Edge> e;
    for (NodeId i = 0; i < n; ++i)
        for (NodeId j = i + 1; j < n; ++j)
            if (rng() % 1000000 < cut) e.emplace_back(i, j);
    return Make(n, e);
}

// A random cubic graph on n nodes (n even, at least 4): three stubs per
// node paired at random, drawn again until the pairing has no loop and no
// repeated edge.
inline Graph RandomCubic(NodeId n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    for (;;) {
        std::vector<NodeId> stubs;
        for (NodeId v = 0; v < n; ++v)
            for (int k = 0; k < 3; ++k) stubs.push_back(v);
        for (std::size_t i = stubs.size(); i > 1; --i) std::swap(stubs[i - 1], stubs[rng() % i]);
        std::vector<Edge> e;
        bool simple = true;
        for (std::size_t i = 0; i < stubs.size() && simple; i += 2) {
            const Edge edge{std::min(stubs[i], stubs[i + 1]), std::max(stubs[i], stubs[i + 1])};
            simple = edge.first != edge.second && std::find(e.begin(), e.end(), edge) == e.end();
            e.push_back(edge);
        }
        if (simple) return Make(n, e);
    }
}

inline std::vector<Graph> ReadGraph6File(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<Graph> out;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(hcp::DecodeGraph6(line));
    return out;
}

// Held-Karp over subsets: ends[mask] holds every v such that some path from
// node 0 through exactly the nodes of mask ends at v. Up to 20 nodes.
inline bool HamiltonianByDp(const Graph& g) {
    const NodeId n = g.NodeCount();
    if (n < 3) return false;
    if (n > 20) throw std::invalid_argument("too large for the exhaustive check");
    std::vector<std::uint32_t> adj(n, 0);
    for (NodeId v = 0; v < n; ++v)
        for (NodeId w : g.Neighbors(v)) adj[v] |= 1u << w;
    std::vector<std::uint32_t> ends(std::size_t{1} << n, 0);
    ends[1] = 1;
    for (std::uint32_t mask = 1; mask < (1u << n); mask += 2) {
        const std::uint32_t at = ends[mask];
        if (at == 0) continue;
        for (NodeId v = 0; v < n; ++v)
            if (at >> v & 1) {
                std::uint32_t fresh = adj[v] & ~mask;
                for (; fresh != 0; fresh &= fresh - 1) {
                    const int w = __builtin_ctz(fresh);
                    ends[mask | 1u << w] |= 1u << w;
                }
            }
    }
    return (ends[(1u << n) - 1] & adj[0]) != 0;
}

}  // namespace exacttest
