// Graph families with known answers, random graphs from fixed seeds and
// readers for nauty's graph6 output, shared by the tests of every solver.
// The families are built from their textbook definitions, so a test that
// compares a solver with them compares it with the literature.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/graph.h"
#include "io/graph6.h"

namespace testgraphs {

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

// Petersen graph: GP(5, 2); not Hamiltonian.
inline Graph Petersen() { return GeneralizedPetersen(5, 2); }

// The Coxeter graph: a 7-cycle a_i, the 7-cycles b_i b_{i+2} and c_i c_{i+3},
// and d_i joined to a_i, b_i, c_i. Cubic, 28 nodes, not Hamiltonian.
inline Graph Coxeter() {
    std::vector<Edge> e;
    for (NodeId i = 0; i < 7; ++i) {
        e.emplace_back(i, (i + 1) % 7);
        e.emplace_back(7 + i, 7 + (i + 2) % 7);
        e.emplace_back(14 + i, 14 + (i + 3) % 7);
        for (NodeId ring : {0u, 7u, 14u}) e.emplace_back(21 + i, ring + i);
    }
    return Make(28, e);
}

// The Tutte graph (46 nodes, cubic, planar, 3-connected, not Hamiltonian),
// as graph6.
inline Graph Tutte() {
    return hcp::DecodeGraph6(
        "msOGGC@?H?c??@??_GG?A??C??G_?G_????@???G??__??A???@????g???GC??G????CC???G????G???AC??_????_??G?????_"
        "A???@???A?????G??_?????G??G??@A???G_??_???c??W???O???O??C_??B???_????aO??");
}

// The kind of small dense graph a toughness argument decides: a clique of
// s nodes joined to every node of s + 1 cliques of 'part' nodes, each part
// missing every third edge, then relabelled by a seeded shuffle. Removing
// the s clique nodes leaves s + 1 components, so there is no cycle; with
// 'parts' = s instead the graph is Hamiltonian.
inline Graph CliqueJoinedToParts(NodeId s, NodeId parts, NodeId part, std::uint64_t seed) {
    const NodeId n = s + parts * part;
    std::vector<NodeId> name(n);
    for (NodeId v = 0; v < n; ++v) name[v] = v;
    std::mt19937_64 rng(seed);
    for (NodeId i = n; i > 1; --i) std::swap(name[i - 1], name[rng() % i]);
    std::vector<Edge> e;
    auto join = [&](NodeId a, NodeId b) { e.emplace_back(std::min(name[a], name[b]), std::max(name[a], name[b])); };
    for (NodeId i = 0; i < s; ++i)
        for (NodeId j = i + 1; j < n; ++j) join(i, j);
    for (NodeId p = 0; p < parts; ++p) {
        const NodeId base = s + p * part;
        for (NodeId i = 0; i < part; ++i)
            for (NodeId j = i + 1; j < part; ++j)
                if ((i + 2 * j) % 3 != 0 || j == i + 1) join(base + i, base + j);
    }
    return Make(n, e);
}

// The graphs nauty-geng writes for its arguments (for example "-c -d2 9"),
// or nothing when nauty is not installed.
inline std::vector<Graph> Geng(const std::string& arguments) {
    std::vector<Graph> out;
    FILE* pipe = popen(("nauty-geng -q " + arguments + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return out;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty()) out.push_back(hcp::DecodeGraph6(line));
        line.clear();
    }
    pclose(pipe);
    return out;
}

inline std::vector<Graph> ReadGraph6File(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<Graph> out;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(hcp::DecodeGraph6(line));
    return out;
}

}  // namespace testgraphs
