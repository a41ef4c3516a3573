// Bit graph: pair layout and polarity, the degree cache, the two
// equalities, the combination operators, assignment across sizes, and the
// edge setters' handling of pairs outside the store.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "graph/bitgraph.h"

namespace {

CBitGraph Edgeless(short n, std::vector<std::pair<short, short>> edges = {}) {
    CBitGraph g(n);
    g = true;
    for (auto [a, b] : edges) g.SetEdge(a, b);
    return g;
}

std::vector<std::pair<short, short>> EdgesOf(const CBitGraph& g) {
    std::vector<std::pair<short, short>> out;
    for (short i = 1; i <= g.GetDim(); ++i)
        for (short j = static_cast<short>(i + 1); j <= g.GetDim(); ++j)
            if (g.GetEdge(i, j)) out.emplace_back(i, j);
    return out;
}

}  // namespace

TEST(PairLayout, IndexRunsRowByRowOverTheUpperTriangle) {
    CBitGraph g(4);
    std::uint32_t expected = 0;
    for (short i = 1; i <= 4; ++i)
        for (short j = static_cast<short>(i + 1); j <= 4; ++j) EXPECT_EQ(g.PairIndex(i, j), expected++);
    CBitGraph big(32767);
    ASSERT_EQ(big.GetDim(), 32767);
    EXPECT_EQ(big.PairIndex(32766, 32767), big.PairCount() - 1);
    EXPECT_EQ(big.m_Bits.Size(), 536821761u);
}

TEST(PairLayout, SetBitMeansNotJoined) {
    CBitGraph g(4);
    g = true;
    g.SetEdge(2, 4);  // pair index 4: byte 0, mask 0x10
    EXPECT_EQ(g.m_Bits.m_pData[0] & 0x10, 0);
    EXPECT_EQ(g.m_Bits.m_pData[0] | 0x10, 0xFF);
    EXPECT_TRUE(g.GetEdge(2, 4));
    EXPECT_TRUE(g.GetEdge(4, 2));
    g.SetEdgeVal(4, 2, true);
    EXPECT_FALSE(g.GetEdge(2, 4));
    g.SetEdgeVal(2, 4, false);
    EXPECT_TRUE(g.GetEdge(4, 2));
    g.DelEdge(4, 2);
    EXPECT_EQ(g.m_Bits.m_pData[0], 0xFF);
}

TEST(PairLayout, SelfPairsAndForeignNodesAreNeverJoinedAndNeverWritten) {
    CBitGraph g(5);
    g = false;
    CBitGraph before(g);
    EXPECT_FALSE(g.GetEdge(3, 3));
    EXPECT_FALSE(g.GetEdge(0, 2));
    EXPECT_FALSE(g.GetEdge(2, 6));
    EXPECT_FALSE(g.GetEdge(-1, 3));
    g.DelEdge(3, 3);
    g.DelEdge(0, 1);
    g.DelEdge(5, 6);
    g.DelEdge(-4, 2);
    g.SetEdgeVal(7, 9, true);
    g.DeleteNode(0);
    g.DeleteNode(6);
    EXPECT_TRUE(g == before);
    CBitGraph none;
    EXPECT_FALSE(none.GetEdge(1, 2));
    none.SetEdge(1, 2);
    none.DeleteNode(1);
}

TEST(DegreeCache, StaysAsSetUntilCalcDeg) {
    CBitGraph g(5);
    EXPECT_EQ(g.GetEdgeCount(), 10u);
    EXPECT_EQ(g.GetMinDeg(), 0);
    EXPECT_EQ(g.GetMaxDeg(), 0);
    g.CalcDeg();
    EXPECT_EQ(g.GetMinDeg(), 4);
    EXPECT_EQ(g.GetMaxDeg(), 4);
    g.DeleteNode(3);
    EXPECT_EQ(g.GetDim(), 5);
    EXPECT_EQ(g.GetDeg(3), 4) << "stale until CalcDeg";
    EXPECT_EQ(g.GetEdgeCount(), 6u);
    g.CalcDeg();
    EXPECT_EQ(g.GetDeg(3), 0);
    EXPECT_EQ(g.GetDeg(1), 3);
    EXPECT_EQ(g.GetMinDeg(), 0);
    EXPECT_EQ(g.GetMaxDeg(), 3);
}

TEST(DegreeCache, FillValuesSetEveryDegree) {
    CBitGraph g(7);
    g = true;
    EXPECT_EQ(g.GetEdgeCount(), 0u);
    EXPECT_EQ(g.GetMaxDeg(), 0);
    for (short k = 1; k <= 7; ++k) EXPECT_EQ(g.GetDeg(k), 0);
    g = false;
    EXPECT_EQ(g.GetEdgeCount(), 21u);
    EXPECT_EQ(g.GetMinDeg(), 6);
    EXPECT_EQ(g.GetMaxDeg(), 6);
    for (short k = 1; k <= 7; ++k) EXPECT_EQ(g.GetDeg(k), 6);
}

TEST(DegreeCache, TinyGraphs) {
    for (short n : {0, 1}) {
        CBitGraph g(n);
        EXPECT_EQ(g.m_Bits.Bytes(), 0u);
        EXPECT_EQ(g.GetEdgeCount(), 0u);
        g.CalcDeg();
        EXPECT_EQ(g.GetMinDeg(), 0);
        EXPECT_EQ(g.GetMaxDeg(), 0);
    }
    CBitGraph one(1);
    one.CalcDeg();
    EXPECT_EQ(one.GetDeg(1), 0);
    CBitGraph none;
    EXPECT_EQ(none.GetDim(), 0);
    EXPECT_EQ(none.GetEdgeCount(), 0u);
}

TEST(DegreeCache, CalcDegMatchesEdgeCountsOnALargerGraph) {
    // Edges chosen so that rows cross word boundaries in the store.
    const short n = 150;
    CBitGraph g = Edgeless(n);
    unsigned edges = 0;
    for (short i = 1; i <= n; ++i)
        for (short j = static_cast<short>(i + 1); j <= n; ++j)
            if ((i * 7 + j * 13) % 5 == 0) {
                g.SetEdge(i, j);
                ++edges;
            }
    g.CalcDeg();
    EXPECT_EQ(g.GetEdgeCount(), edges);
    unsigned sum = 0;
    for (short k = 1; k <= n; ++k) {
        short d = 0;
        for (short l = 1; l <= n; ++l) d = static_cast<short>(d + g.GetEdge(k, l));
        EXPECT_EQ(g.GetDeg(k), d) << k;
        sum += static_cast<unsigned>(d);
    }
    EXPECT_EQ(sum, 2 * edges);
}

TEST(Equality, ConstFormIgnoresSpareBitsNonConstComparesThem) {
    CBitGraph a(5);
    a = true;
    a.SetEdge(1, 2);
    CBitGraph b(5);
    for (short i = 1; i <= 5; ++i)
        for (short j = static_cast<short>(i + 1); j <= 5; ++j)
            if (i != 1 || j != 2) b.DelEdge(i, j);
    const CBitGraph& ca = a;
    const CBitGraph& cb = b;
    EXPECT_TRUE(ca == cb);
    EXPECT_FALSE(ca != cb);
    EXPECT_FALSE(a == b) << "spare bits of the last byte differ";
    CBitGraph c(a);
    EXPECT_TRUE(a == c);
}

TEST(Equality, DimensionMatters) {
    const CBitGraph a(0), b(1);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);
}

TEST(CompoundOperators, EdgeSemanticsFollowThePolarity) {
    const CBitGraph a = Edgeless(4, {{1, 2}});
    const CBitGraph b = Edgeless(4, {{3, 4}});
    CBitGraph u(a);
    u &= b;
    EXPECT_EQ(EdgesOf(u), (std::vector<std::pair<short, short>>{{1, 2}, {3, 4}}));
    CBitGraph i(a);
    i |= b;
    EXPECT_TRUE(EdgesOf(i).empty());
    CBitGraph x(a);
    x ^= b;
    EXPECT_EQ(EdgesOf(x), (std::vector<std::pair<short, short>>{{1, 3}, {1, 4}, {2, 3}, {2, 4}}));
}

TEST(CompoundOperators, LeaveTheDegreeCacheStale) {
    CBitGraph a = Edgeless(4, {{1, 2}});
    a.CalcDeg();
    a &= Edgeless(4, {{3, 4}});
    EXPECT_EQ(a.GetDeg(3), 0);
    EXPECT_EQ(a.GetMaxDeg(), 1);
}

TEST(CompoundOperators, DifferentSizesReportAndStayInsideBothStores) {
    CBitGraph big = Edgeless(40);
    CBitGraph small = Edgeless(3, {{1, 2}});
    testing::internal::CaptureStderr();
    big &= small;
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("dimensions are not equal"), std::string::npos) << err;
    EXPECT_EQ(big.GetDim(), 40);
    testing::internal::CaptureStderr();
    small |= big;
    small ^= big;
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(small.GetDim(), 3);
}

TEST(NonMemberOperators, ReturnAGraphWithACurrentCache) {
    const CBitGraph a = Edgeless(4, {{1, 2}});
    const CBitGraph b = Edgeless(4, {{3, 4}, {1, 2}});
    CBitGraph u = a & b;
    EXPECT_EQ(u.GetEdgeCount(), 2u);
    EXPECT_EQ(u.GetMinDeg(), 1);
    EXPECT_EQ(u.GetMaxDeg(), 1);
    CBitGraph i = a | b;
    EXPECT_EQ(EdgesOf(i), (std::vector<std::pair<short, short>>{{1, 2}}));
    EXPECT_EQ(i.GetDeg(3), 0);
    EXPECT_EQ(i.GetMaxDeg(), 1);
    CBitGraph x = a ^ b;
    EXPECT_EQ(x.GetEdgeCount(), 5u);
    testing::internal::CaptureStderr();
    CBitGraph mixed = a & Edgeless(9);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("dimensions are not equal"), std::string::npos);
    EXPECT_EQ(mixed.GetDim(), 4);
}

TEST(Assignment, CopiesEdgesAndSizesTheDegreeTableToTheNewDimension) {
    CBitGraph small = Edgeless(3, {{1, 2}});
    CBitGraph big = Edgeless(30, {{29, 30}, {1, 30}});
    small = big;
    EXPECT_EQ(small.GetDim(), 30);
    EXPECT_TRUE(small == static_cast<const CBitGraph&>(big));
    EXPECT_EQ(small.GetDeg(30), 2);  // table has 30 entries now
    EXPECT_EQ(small.GetMaxDeg(), 2);
    small = Edgeless(1);
    EXPECT_EQ(small.GetDim(), 1);
    EXPECT_EQ(small.GetDeg(1), 0);
    CBitGraph empty;
    small = empty;
    EXPECT_EQ(small.GetDim(), 0);
    small = small;
    EXPECT_EQ(small.GetDim(), 0);
}

TEST(Assignment, CopyConstructionRunsCalcDeg) {
    CBitGraph a = Edgeless(5, {{1, 2}, {2, 3}});
    CBitGraph b(a);
    EXPECT_EQ(b.GetDeg(2), 2);
    EXPECT_EQ(b.GetMinDeg(), 0);
    EXPECT_EQ(b.GetMaxDeg(), 2);
}

TEST(SetDim, KeepsLeadingBytesAndAddsJoinedPairs) {
    CBitGraph g = Edgeless(4);
    g.CalcDeg();
    g.SetDim(6);
    EXPECT_EQ(g.GetDim(), 6);
    EXPECT_EQ(g.m_Bits.Size(), 15u);
    EXPECT_EQ(g.GetMinDeg(), 0);
    EXPECT_EQ(g.GetMaxDeg(), 0);
    EXPECT_EQ(g.m_Bits.m_pData[0] & 0x3F, 0x3F) << "first six pair bits kept";
    EXPECT_EQ(g.m_Bits.m_pData[1], 0x00) << "added byte is zero (joined)";
    g = true;
    g.SetEdge(5, 6);
    g.CalcDeg();
    EXPECT_EQ(g.GetDeg(6), 1);
    g.SetDim(-3);
    EXPECT_EQ(g.GetDim(), 0);
    EXPECT_EQ(g.GetEdgeCount(), 0u);
}

TEST(DeleteNode, IsolatesTheNodeAcrossByteBoundaries) {
    for (short k : {1, 2, 9, 17, 20}) {
        CBitGraph g(20);
        g = false;
        g.DeleteNode(k);
        g.CalcDeg();
        EXPECT_EQ(g.GetDeg(k), 0) << k;
        EXPECT_EQ(g.GetEdgeCount(), 190u - 19u) << k;
        EXPECT_EQ(g.GetMaxDeg(), 18) << k;
    }
}
