// Random graph generators: each one is replayed from the same seed by a
// plain reading of its rule, and their degree caps and cache effects are
// checked.
#include <gtest/gtest.h>

#include <vector>

#include "graph/bitgraph.h"
#include "graph/randsrc.h"
#include "graph/seedclock.h"

namespace {

// Fixes the seeding clock for one test.
struct FixedClock {
    explicit FixedClock(std::uint32_t v) { hcp::SetFixedSeedClock(v); }
    ~FixedClock() { hcp::ClearFixedSeedClock(); }
};

bool EvenDraw() { return (rand_int() & 1) == 0; }

void ExpectDegreesAtMost(CBitGraph& g, short cap) {
    g.CalcDeg();
    EXPECT_LE(g.GetMaxDeg(), cap);
}

}  // namespace

TEST(FairCoinGraph, OneDrawPerPairInStorageOrder) {
    for (short n : {0, 1, 2, 9, 45}) {
        CBitGraph g(n);
        rand_int.set_seed(2024);
        g.InitRandom(0);
        rand_int.set_seed(2024);
        for (short i = 1; i < n; ++i)
            for (short j = static_cast<short>(i + 1); j <= n; ++j) ASSERT_EQ(g.GetEdge(i, j), EvenDraw()) << n;
    }
}

TEST(FairCoinGraph, KeepsSpareBitsAndTheCache) {
    CBitGraph g(5);  // 10 pair bits, 6 spare bits
    g = true;
    g.m_nMaxDeg = 7;
    g.InitRandom(0);
    EXPECT_EQ(g.m_Bits.m_pData[1] & 0xFC, 0xFC);
    EXPECT_EQ(g.GetMaxDeg(), 7);
}

TEST(DegreeCappedGraph, ReseedsFromMillisecondsAndCapsDegrees) {
    FixedClock clock(555);
    CBitGraph g(10);
    g.CalcDeg();
    short oldMin = g.GetMinDeg(), oldMax = g.GetMaxDeg();
    g.InitRandom(2);
    // Replay: seed with the clock, then the rule.
    rand_int.set_seed(555);
    std::vector<int> deg(11, 0);
    for (short i = 1; i < 10; ++i)
        for (short j = static_cast<short>(i + 1); j <= 10; ++j) {
            bool join = EvenDraw() && deg[i] < 2 && deg[j] < 2;
            if (join) ++deg[i], ++deg[j];
            ASSERT_EQ(g.GetEdge(i, j), join);
        }
    for (short k = 1; k <= 10; ++k) EXPECT_EQ(g.GetDeg(k), deg[k]) << "table exact";
    EXPECT_EQ(g.GetMinDeg(), oldMin);
    EXPECT_EQ(g.GetMaxDeg(), oldMax);
    ExpectDegreesAtMost(g, 2);
}

TEST(NodeByNodeGraph, ZeroIsAFairCoinOnAnEdgelessGraph) {
    CBitGraph g(12);
    g.CalcDeg();
    rand_int.set_seed(6);
    g.InitRandom2(0);
    rand_int.set_seed(6);
    for (short i = 1; i < 12; ++i)
        for (short j = static_cast<short>(i + 1); j <= 12; ++j) ASSERT_EQ(g.GetEdge(i, j), EvenDraw());
    EXPECT_EQ(g.GetMaxDeg(), 0) << "cache as the edgeless fill left it";
}

TEST(NodeByNodeGraph, FollowsTheRotatedRandomOrder) {
    for (short n : {2, 3, 10, 31}) {
        for (short k : {1, 3, 5}) {
            CBitGraph g(n);
            rand_int.set_seed(n * 100 + k);
            g.InitRandom2(k);
            // Replay with a plain list of the unplaced nodes.
            rand_int.set_seed(n * 100 + k);
            CBitGraph r(n);
            r = true;
            for (short a = 1; a <= n; ++a) {
                std::vector<short> rest, order{0, 1};
                for (short v = 2; v <= n; ++v) rest.push_back(v);
                for (int t = 2; t <= n; ++t) {
                    unsigned q = static_cast<unsigned>(rand_int()) % rest.size();
                    order.push_back(rest[q]);
                    rest.erase(rest.begin() + q);
                }
                int c = static_cast<int>(static_cast<unsigned>(rand_int()) % static_cast<unsigned>(n - 1)) + 1;
                auto degree = [&r, n](short v) {
                    int d = 0;
                    for (short l = 1; l <= n; ++l) d += r.GetEdge(v, l);
                    return d;
                };
                int d = degree(a), added = 0;
                for (int s = 0; s < n && added != k - d; ++s) {
                    short v = order[static_cast<std::size_t>((c - 1 + s) % n + 1)];
                    if (v > a && !r.GetEdge(a, v) && degree(v) < k) {
                        r.SetEdge(a, v);
                        ++added;
                    }
                }
            }
            ASSERT_TRUE(static_cast<const CBitGraph&>(g) == r) << n << " " << k;
            ExpectDegreesAtMost(g, k);
        }
    }
}

TEST(NodeByNodeGraph, CapHoldsOnLargerGraphs) {
    CBitGraph g(300);
    rand_int.set_seed(17);
    g.InitRandom2(3);
    ExpectDegreesAtMost(g, 3);
    EXPECT_GT(g.GetEdgeCount(), 300u);
    CBitGraph one(1);
    one.InitRandom2(3);
    EXPECT_EQ(one.GetEdgeCount(), 0u);
}

TEST(PairSampleGraph, ReseedsFromSecondsAndJoinsDrawnPairs) {
    FixedClock clock(808);
    CBitGraph g(20);
    g.InitGraph(30);
    rand_int.set_seed(808);
    CBitGraph r(20);
    r = true;
    for (int t = 0; t < 30; ++t) {
        short a = static_cast<short>(static_cast<unsigned>(rand_int()) % 20 + 1);
        short b = static_cast<short>(static_cast<unsigned>(rand_int()) % 20 + 1);
        if (a != b) r.SetEdge(a, b);
    }
    EXPECT_TRUE(static_cast<const CBitGraph&>(g) == r);
    CBitGraph copy(r);
    EXPECT_EQ(g.GetMaxDeg(), copy.GetMaxDeg()) << "cache filled";
    EXPECT_EQ(g.GetMinDeg(), copy.GetMinDeg());
}

TEST(PairSampleGraph, NoPairsOrNoNodes) {
    CBitGraph g(8);
    g = false;
    g.InitGraph(0);
    EXPECT_EQ(g.GetEdgeCount(), 0u);
    EXPECT_EQ(g.GetMaxDeg(), 0);
    g.InitGraph(-5);
    EXPECT_EQ(g.GetEdgeCount(), 0u);
    CBitGraph none;
    none.InitGraph(10);
    EXPECT_EQ(none.GetEdgeCount(), 0u);
    CBitGraph one(1);
    one.InitGraph(10);
    EXPECT_EQ(one.GetEdgeCount(), 0u);
}
