// Degree-2 reductions: AnalyzeDegree cuts the other edges of a node with
// two degree-2 neighbours, judged by degrees at the start of the call;
// MakeCanonical joins the neighbours of degree-2 nodes as the graph was on
// entry. Checked on the worked examples and against a direct pair-by-pair
// reading of the rules on many random graphs.
#include <gtest/gtest.h>

#include <vector>

#include "graph/bitgraph.h"
#include "graph/randsrc.h"

namespace {

CBitGraph Build(short n, std::initializer_list<std::pair<short, short>> edges) {
    CBitGraph g(n);
    g = true;
    for (auto [a, b] : edges) g.SetEdge(a, b);
    return g;
}

// The reduction exactly as stated, one GetEdge at a time.
int ReferenceAnalyzeDegree(CBitGraph& g) {
    g.CalcDeg();
    const short n = g.GetDim();
    std::vector<short> d(static_cast<std::size_t>(n) + 1);
    for (short k = 1; k <= n; ++k) d[k] = g.GetDeg(k);
    int count = 0;
    for (short i = 1; i <= n; ++i) {
        if (d[i] < 3) continue;
        short b = 0, c = 0;
        for (short k = 1; k <= n && b == 0; ++k)
            if (k != i && g.GetEdge(i, k) && d[k] == 2) b = k;
        if (b == 0) continue;
        for (short k = static_cast<short>(b + 1); k <= n && c == 0; ++k)
            if (k != i && g.GetEdge(i, k) && d[k] == 2) c = k;
        if (c == 0) continue;
        for (short l = 1; l <= n; ++l)
            if (l != i && l != b && l != c) g.DelEdge(i, l);
        ++count;
    }
    return count;
}

void ReferenceMakeCanonical(CBitGraph& g) {
    if (g.GetMinDeg() > 2 || g.GetMaxDeg() < 2) return;
    CBitGraph s(g);
    for (short i = 1; i <= s.GetDim(); ++i) {
        if (s.GetDeg(i) != 2) continue;
        short j = 0, k = 0;
        for (short l = 1; l <= s.GetDim(); ++l)
            if (s.GetEdge(i, l)) (j == 0 ? j : k) = l;
        g.SetEdge(j, k);
    }
}

// Sparse random graphs with many degree-2 and degree-3 nodes.
CBitGraph SparseRandom(short n, int seed) {
    CRandSrc r(1, 100);
    r.set_seed(seed);
    CBitGraph g(n);
    g = true;
    for (short i = 1; i <= n; ++i)
        for (short j = static_cast<short>(i + 1); j <= n; ++j)
            if (r() <= 300 / n + 1) g.SetEdge(i, j);
    return g;
}

}  // namespace

TEST(AnalyzeDegree, ChordOfAFiveCycleIsCut) {
    CBitGraph g = Build(5, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 1}, {1, 3}});
    EXPECT_EQ(g.AnalyzeDegree(), 2);
    EXPECT_FALSE(g.GetEdge(1, 3));
    EXPECT_EQ(g.GetEdgeCount(), 5u);
    EXPECT_EQ(g.GetDeg(1), 3) << "the cache holds the degrees from the start of the call";
    EXPECT_EQ(g.AnalyzeDegree(), 0);
    EXPECT_EQ(g.GetMinDeg(), 2);
    EXPECT_EQ(g.GetMaxDeg(), 2);
}

TEST(AnalyzeDegree, KeepsTheTwoSmallestDegreeTwoNeighbours) {
    // Node 1 joins 2, 3, 4 (degree 2 each, via 5) and 9 (degree 3).
    CBitGraph g = Build(9, {{1, 2}, {1, 3}, {1, 4}, {1, 9}, {2, 5}, {3, 5}, {4, 6}, {9, 7}, {9, 8}});
    g.AnalyzeDegree();
    EXPECT_TRUE(g.GetEdge(1, 2));
    EXPECT_TRUE(g.GetEdge(1, 3));
    EXPECT_FALSE(g.GetEdge(1, 4));
    EXPECT_FALSE(g.GetEdge(1, 9));
    EXPECT_TRUE(g.GetEdge(4, 6));
}

TEST(AnalyzeDegree, NothingToDoChangesNothing) {
    CBitGraph g(6);
    g = false;
    CBitGraph before(g);
    EXPECT_EQ(g.AnalyzeDegree(), 0);
    EXPECT_TRUE(g == before);
    CBitGraph tiny(2);
    EXPECT_EQ(tiny.AnalyzeDegree(), 0);
    CBitGraph none;
    EXPECT_EQ(none.AnalyzeDegree(), 0);
}

TEST(AnalyzeDegree, AgreesWithTheRuleOnRandomGraphs) {
    int cuts = 0;
    for (int seed = 1; seed <= 60; ++seed) {
        short n = static_cast<short>(8 + seed % 70);
        CBitGraph fast = SparseRandom(n, seed);
        CBitGraph slow(fast);
        int rounds = 0;
        for (;;) {
            int a = fast.AnalyzeDegree();
            int b = ReferenceAnalyzeDegree(slow);
            ASSERT_EQ(a, b) << "seed " << seed << " round " << rounds;
            ASSERT_TRUE(fast == slow) << "seed " << seed << " round " << rounds;
            if (a == 0) break;
            cuts += a;
            ++rounds;
        }
    }
    EXPECT_GT(cuts, 30) << "the graphs should exercise the reduction";
}

TEST(MakeCanonical, JoinsTheNeighboursOfDegreeTwoNodes) {
    CBitGraph g = Build(4, {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
    g.CalcDeg();
    g.MakeCanonical();
    EXPECT_EQ(g.GetEdgeCount(), 6u);
    EXPECT_TRUE(g.GetEdge(1, 3));
    EXPECT_TRUE(g.GetEdge(2, 4));
    EXPECT_EQ(g.GetMaxDeg(), 2) << "cache not refreshed";
}

TEST(MakeCanonical, UsesTheCachedDegreesWithoutRefresh) {
    CBitGraph g = Build(4, {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
    g.CalcDeg();
    g.m_nMinDeg = 3;
    EXPECT_EQ(&g.MakeCanonical(), &g);
    EXPECT_EQ(g.GetEdgeCount(), 4u);
    CBitGraph k4(4);
    k4 = false;
    k4.MakeCanonical();
    EXPECT_EQ(k4.GetEdgeCount(), 6u);
}

TEST(MakeCanonical, AgreesWithASnapshotOnRandomGraphs) {
    for (int seed = 100; seed < 140; ++seed) {
        short n = static_cast<short>(6 + seed % 50);
        CBitGraph fast = SparseRandom(n, seed);
        fast.CalcDeg();
        CBitGraph slow(fast);
        fast.MakeCanonical();
        ReferenceMakeCanonical(slow);
        ASSERT_TRUE(fast == slow) << "seed " << seed;
    }
}
