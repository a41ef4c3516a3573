// The paint scene: edges, ruled-out edges and gaps, against the pair store.
#include <gtest/gtest.h>

#include "cycle/cycle.h"
#include "graphscene.h"
#include "ruledout.h"

namespace {

TEST(GraphScene, EdgesGapsAndRuledOutEdgesOfASmallGraph)
{
    // The 5-cycle 1-2-3-4-5 plus the chord 1-3, in the order 1 2 4 3 5.
    CCycle c(static_cast<short>(5));
    c = true;
    for (auto [u, v] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 1}, {1, 3}})
        c.SetEdge(static_cast<short>(u), static_cast<short>(v));
    const hcp::Graph g = hcp::Graph::FromBitGraph(c);
    const std::vector<hcp::NodeId> order{0, 1, 3, 2, 4};
    const app::GraphScene s = app::BuildScene(g, order, {{3, 1}, {2, 4}, {9, 1}});
    EXPECT_EQ(s.nodes, 5);
    // 1-3 is ruled out (given reversed); 2-4 and 9-1 are no edges and dropped.
    EXPECT_EQ(s.ruledOut, (std::vector<app::NodePair>{{1, 3}}));
    EXPECT_EQ(s.edges, (std::vector<app::NodePair>{{1, 2}, {1, 5}, {2, 3}, {3, 4}, {4, 5}}));
    EXPECT_EQ(s.order, (std::vector<int>{1, 2, 4, 3, 5}));
    // Links 1-2 yes, 2-4 gap, 4-3 yes, 3-5 gap, 5-1 yes.
    EXPECT_EQ(s.gap, (std::vector<char>{0, 1, 0, 1, 0}));
    EXPECT_EQ(s.gaps, 2);
    const app::GraphScene again = app::BuildScene(g, order, {});
    EXPECT_NE(again.revision, s.revision);
    EXPECT_EQ(again.edges.size(), 6u);
}

TEST(GraphScene, GapCountAgreesWithTheEngineOnAKnightsGraph)
{
    // The engine's own count of the order's missing links is the reference.
    CCycle c(static_cast<short>(36));
    c = true;
    for (int r = 0; r < 6; ++r)
        for (int k = 0; k < 6; ++k)
            for (auto [dr, dk] : {std::pair{1, 2}, {2, 1}, {1, -2}, {2, -1}}) {
                const int r2 = r + dr, k2 = k + dk;
                if (r2 < 6 && k2 >= 0 && k2 < 6)
                    c.SetEdge(static_cast<short>(r * 6 + k + 1), static_cast<short>(r2 * 6 + k2 + 1));
            }
    c.Init(false);
    std::vector<hcp::NodeId> order;
    for (short v : c.m_path)
        order.push_back(static_cast<hcp::NodeId>(v - 1));
    const app::GraphScene s = app::BuildScene(hcp::Graph::FromBitGraph(c), order, {});
    EXPECT_EQ(s.edges.size(), 4u * 36 - 6 * 12 + 8);
    EXPECT_EQ(s.gaps, c.CalcPathLen());
}

}  // namespace

namespace {

TEST(RuledOut, TheChordOfASquareAndNothingOnACycle)
{
    // A square with the chord 1-3: nodes 2 and 4 have degree 2, so both
    // ends of the chord already have their cycle edges; the chord goes.
    CBitGraph square(static_cast<short>(4));
    square = true;
    for (auto [u, v] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 1}, {1, 3}})
        square.SetEdge(static_cast<short>(u), static_cast<short>(v));
    EXPECT_EQ(app::ReductionRuledOut(square), (std::vector<std::pair<int, int>>{{1, 3}}));
    // The graph itself is untouched.
    EXPECT_TRUE(square.GetEdge(1, 3));
    // A plain cycle has nothing to rule out; K4 has no node of degree 2.
    CBitGraph ring(static_cast<short>(5));
    ring = true;
    for (int i = 1; i <= 5; ++i)
        ring.SetEdge(static_cast<short>(i), static_cast<short>(i % 5 + 1));
    EXPECT_TRUE(app::ReductionRuledOut(ring).empty());
    CBitGraph k4(static_cast<short>(4));
    k4 = false;
    EXPECT_TRUE(app::ReductionRuledOut(k4).empty());
}

}  // namespace
