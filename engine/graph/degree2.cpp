// The two degree-2 reductions of CBitGraph: AnalyzeDegree cuts edges that no
// Hamiltonian cycle can use, MakeCanonical joins the two neighbours of every
// degree-2 node.
#include <vector>

#include "graph/bitgraph.h"
#include "graph/pairscan.h"

// A node of degree 2 lies on every Hamiltonian cycle between its two
// neighbours, so a node with two degree-2 neighbours must use exactly those
// two edges and its others can go. Degrees are those at the start of the
// call (the table D is not updated while cutting).
//
// The edge between a node i and a degree-2 neighbour is never cut before i
// itself is processed: an earlier cut removes edges of an earlier node of
// degree 3 or more, and such a node is neither i nor a degree-2 node. So
// the degree-2 neighbours of every node can be listed once, up front, from
// the two neighbours of each degree-2 node; visiting those nodes in
// increasing order keeps every list sorted. The cost is one neighbour scan
// per degree-2 node and one per node that gets cut.
int CBitGraph::AnalyzeDegree() {
    CalcDeg();
    const std::int32_t n = m_nDim;
    if (n < 3 || m_pDeg == nullptr) return 0;
    const std::int16_t* d = m_pDeg;

    // For each node, its two smallest degree-2 neighbours (0 = none) and
    // whether it has more than two.
    std::vector<short> first(static_cast<std::size_t>(n) + 1, 0), second(first);
    for (short k = 1; k <= n; ++k) {
        if (d[k - 1] != 2) continue;
        hcp::ForEachNeighbour(*this, k, [&](short l) {
            if (first[l] == 0) first[l] = k;
            else if (second[l] == 0) second[l] = k;
        });
    }

    int count = 0;
    std::vector<short> cut;
    for (short i = 1; i <= n; ++i) {
        if (d[i - 1] < 3 || second[i] == 0) continue;
        short b = first[i], c = second[i];
        cut.clear();
        hcp::ForEachNeighbour(*this, i, [&](short l) {
            if (l != b && l != c) cut.push_back(l);
        });
        for (short l : cut) DelEdge(i, l);
        ++count;
    }
    return count;
}

// Decisions are taken on the graph as it is on entry (the neighbours of
// each degree-2 node are listed before anything is joined), which is what
// working on a snapshot gives, without copying the store.
CBitGraph& CBitGraph::MakeCanonical() {
    if (m_nMinDeg > 2 || m_nMaxDeg < 2 || m_nDim < 3) return *this;
    std::vector<short> deg(static_cast<std::size_t>(m_nDim));
    short lo = 0, hi = 0;
    CalcDeg(deg.data(), lo, hi);
    std::vector<std::pair<short, short>> joins;
    for (short i = 1; i <= m_nDim; ++i) {
        if (deg[i - 1] != 2) continue;
        short j = 0, k = 0;
        hcp::ForEachNeighbour(*this, i, [&](short l) {
            if (j == 0) j = l;
            else if (k == 0) k = l;
        });
        joins.emplace_back(j, k);
    }
    for (auto [j, k] : joins) SetEdge(j, k);
    return *this;
}
