// Graphs and checks shared by the search tests: knight graphs built with the
// leaper rule, seeded random graphs, the Petersen graph, and tests of an
// order against a graph.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <list>
#include <utility>
#include <random>
#include <stop_token>
#include <string>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/searchcontrol.h"

namespace searchtest {

// A graph on n nodes whose only edges are those listed; the order is the
// identity, nothing is marked and the degrees are current.
inline CCycle Graph(short n, std::initializer_list<std::pair<short, short>> edges) {
    CCycle c(n);
    c = true;
    for (auto [u, v] : edges) c.SetEdge(u, v);
    c.m_triedGaps = true;
    c.CalcDeg();
    return c;
}

// The knight graph of a rows x cols board: square (r, c) is node
// (r-1)*cols + c, joined to the squares a knight's move away. The order is
// the identity.
inline CCycle Knight(short rows, short cols) {
    CCycle c(static_cast<short>(rows * cols));
    c = true;
    for (int r = 1; r <= rows; ++r)
        for (int col = 1; col <= cols; ++col)
            for (int r2 = 1; r2 <= rows; ++r2)
                for (int c2 = 1; c2 <= cols; ++c2) {
                    const int dr = std::abs(r - r2), dc = std::abs(col - c2);
                    if ((dr == 1 && dc == 2) || (dr == 2 && dc == 1))
                        c.SetEdge(static_cast<short>((r - 1) * cols + col),
                                  static_cast<short>((r2 - 1) * cols + c2));
                }
    return c;
}

// Each pair joined with probability p, from a seeded generator.
inline CCycle Random(short n, double p, unsigned seed) {
    CCycle c(n);
    c = true;
    std::mt19937 gen(seed);
    std::bernoulli_distribution coin(p);
    for (short i = 1; i <= n; ++i)
        for (short j = static_cast<short>(i + 1); j <= n; ++j)
            if (coin(gen)) c.SetEdge(i, j);
    return c;
}

// A sparse random graph in which every node has degree 2 or more: a few
// random pairs, then random partners for nodes still short of two.
inline CCycle RandomMinDegreeTwo(short n, int pairs, unsigned seed) {
    CCycle c(n);
    c = true;
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> node(1, n);
    for (int k = 0; k < pairs; ++k) {
        const short u = static_cast<short>(node(gen)), v = static_cast<short>(node(gen));
        if (u != v) c.SetEdge(u, v);
    }
    for (short u = 1; u <= n; ++u) {
        for (;;) {
            int deg = 0;
            for (short v = 1; v <= n; ++v) deg += c.GetEdge(u, v) ? 1 : 0;
            if (deg >= 2) break;
            const short v = static_cast<short>(node(gen));
            if (v != u) c.SetEdge(u, v);
        }
    }
    return c;
}

// The Petersen graph: no Hamiltonian cycle, but Hamiltonian paths.
inline CCycle Petersen() {
    CCycle c(10);
    c = true;
    for (short i = 1; i <= 5; ++i) {
        c.SetEdge(i, static_cast<short>(i % 5 + 1));                   // outer ring
        c.SetEdge(i, static_cast<short>(i + 5));                       // spoke
        c.SetEdge(static_cast<short>(i + 5), static_cast<short>((i + 1) % 5 + 6));  // inner star
    }
    return c;
}

inline std::vector<short> Order(const CCycle& c) { return {c.m_path.begin(), c.m_path.end()}; }

inline void SetOrder(CCycle& c, const std::vector<short>& order) {
    std::list<short> l(order.begin(), order.end());
    c.Restore(&l);
}

// Gaps of the order in graph g, counted directly from the pair bits.
inline int GapsIn(const CBitGraph& g, const std::vector<short>& order) {
    int h = 0;
    for (std::size_t k = 0; k < order.size(); ++k)
        if (!g.GetEdge(order[k], order[(k + 1) % order.size()])) ++h;
    return h;
}

// True when order holds each node 1..N of g once and every link is an edge.
inline bool IsHamiltonianCycle(const CBitGraph& g, const std::vector<short>& order) {
    std::vector<short> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t k = 0; k < sorted.size(); ++k)
        if (sorted[k] != static_cast<short>(k + 1)) return false;
    return static_cast<int>(order.size()) == g.m_nDim && GapsIn(g, order) == 0;
}

// The cyclic order read from node 1 onwards, so that rotations compare
// equal; reversed on request (the mirror image read the same way).
inline std::vector<short> FromNodeOne(std::vector<short> order, bool reversed = false) {
    if (reversed) std::reverse(order.begin(), order.end());
    auto one = std::find(order.begin(), order.end(), short{1});
    if (one != order.end()) std::rotate(order.begin(), one, order.end());
    return order;
}

// A random permutation of 1..n.
inline std::vector<short> RandomOrder(short n, unsigned seed) {
    std::vector<short> v(static_cast<std::size_t>(n));
    for (short k = 0; k < n; ++k) v[static_cast<std::size_t>(k)] = static_cast<short>(k + 1);
    std::mt19937 gen(seed);
    std::shuffle(v.begin(), v.end(), gen);
    return v;
}

// Search options choosing the list-based engine or the default one, with
// optional counters and stop request.
inline hcp::SearchControl Engine(bool listBased, hcp::SearchStats* stats = nullptr,
                                 std::stop_token stop = {}) {
    hcp::SearchControl ctl;
    ctl.stop = stop;
    ctl.stats = stats;
    ctl.listBased = listBased;
    return ctl;
}

// Test-name suffix for a parameter that says whether the list-based engine
// runs.
struct EngineName {
    template <class Info>
    std::string operator()(const Info& info) const { return info.param ? "List" : "Default"; }
};

}  // namespace searchtest
