// What a picture is made of, as data: a path's links (no closing one), a
// directed graph's arcs paired into lines with arrowheads where they point,
// and when a large picture leaves the arrowheads out.
#include <gtest/gtest.h>

#include <cmath>

#include "graphscene.h"
#include "scenegeometry.h"

namespace {

// Nodes 1..n on a circle of radius 200 around (300, 300).
std::vector<QPointF> Circle(int n)
{
    std::vector<QPointF> at(static_cast<std::size_t>(n) + 1);
    for (int v = 1; v <= n; ++v) {
        const double t = 2 * M_PI * (v - 1) / n;
        at[v] = QPointF(300 + 200 * std::cos(t), 300 + 200 * std::sin(t));
    }
    return at;
}

double Distance(const QPointF& a, const QPointF& b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// GP(n, 2): traceable for every n, and the Petersen graph for n = 5.
hcp::Graph GeneralizedPetersen2(hcp::NodeId n)
{
    std::vector<hcp::Edge> e;
    for (hcp::NodeId i = 0; i < n; ++i) {
        e.emplace_back(i, (i + 1) % n);
        e.emplace_back(i, n + i);
        e.emplace_back(n + i, n + (i + 2) % n);
    }
    return hcp::Graph::FromEdges(2 * n, e);
}

TEST(PathScene, APathHasOneLinkFewerThanItsCycle)
{
    const hcp::Graph g = GeneralizedPetersen2(5);
    // A Hamiltonian path of the Petersen graph: outer 1..5, then the inner
    // star from 6 (spoke 1-6 is not used; 5-10 is).
    const std::vector<hcp::NodeId> path{0, 1, 2, 3, 4, 9, 7, 5, 8, 6};
    const app::GraphScene asPath = app::BuildScene(g, path, {}, hcp::Goal::Path);
    const app::GraphScene asCycle = app::BuildScene(g, path, {}, hcp::Goal::Cycle);
    EXPECT_FALSE(asPath.closed);
    EXPECT_EQ(asPath.LinkCount(), 9u);
    EXPECT_EQ(asCycle.LinkCount(), 10u);
    // The path is one of the graph; the Petersen graph has no cycle, so the
    // closing link 7-1 is a gap.
    EXPECT_EQ(asPath.gaps, 0);
    EXPECT_EQ(asCycle.gaps, 1);
    EXPECT_TRUE(asCycle.gap[9]);
    const std::vector<QPointF> at = Circle(10);
    const app::LinkLines lines = app::OrderLinkLines(asPath, at, {});
    EXPECT_EQ(lines.joined.size(), 9u);
    EXPECT_TRUE(lines.gaps.empty());
    // No line runs from the path's last node back to its first.
    for (const QLineF& l : lines.joined)
        EXPECT_FALSE(l.p1() == at[7] && l.p2() == at[1]);
    const app::LinkLines cycle = app::OrderLinkLines(asCycle, at, {});
    EXPECT_EQ(cycle.joined.size(), 9u);
    ASSERT_EQ(cycle.gaps.size(), 1u);
    EXPECT_EQ(cycle.gaps[0], QLineF(at[7], at[1]));
    // An undirected picture has no arrowheads, whatever it shows.
    EXPECT_FALSE(app::ShowArrows(asPath, 100.0));
    EXPECT_TRUE(app::EdgeArrowHeads(asPath, at, {}, {}).empty());
}

TEST(PathScene, TinyOrdersHaveNoLinks)
{
    const hcp::Graph g = hcp::Graph::FromEdges(2, std::vector<hcp::Edge>{{0, 1}});
    const std::vector<hcp::NodeId> one{0};
    EXPECT_EQ(app::BuildScene(g, one, {}, hcp::Goal::Path).LinkCount(), 0u);
    const std::vector<hcp::NodeId> two{0, 1};
    EXPECT_EQ(app::BuildScene(g, two, {}, hcp::Goal::Path).LinkCount(), 1u);
    EXPECT_EQ(app::BuildScene(g, two, {}, hcp::Goal::Cycle).LinkCount(), 2u);
}

TEST(DirectedScene, ArcsArePairedIntoLinesWithTheirHeads)
{
    // 1->2, 2->1 (a pair), 2->3, 4->3, 1->4.
    const std::vector<hcp::Edge> arcs{{0, 1}, {1, 0}, {1, 2}, {3, 2}, {0, 3}};
    const hcp::Graph g = hcp::Graph::FromArcs(4, arcs);
    const std::vector<hcp::NodeId> order{0, 1, 2, 3};
    const app::GraphScene s = app::BuildScene(g, order, {});
    EXPECT_TRUE(s.directed);
    EXPECT_EQ(s.edges, (std::vector<app::NodePair>{{1, 2}, {1, 4}, {2, 3}, {3, 4}}));
    EXPECT_EQ(s.heads, (std::vector<std::uint8_t>{app::kHeadAtSecond | app::kHeadAtFirst, app::kHeadAtSecond,
                                                  app::kHeadAtSecond, app::kHeadAtFirst}));
    // The cycle 1 2 3 4 runs along 1->2, 2->3; 3->4 and 4->1 are against
    // the arcs 4->3 and 1->4: gaps.
    EXPECT_EQ(s.gap, (std::vector<char>{0, 0, 1, 1}));
    EXPECT_EQ(s.gaps, 2);
    // Reversed, the order runs along 4->3 and 1->4 but against the rest.
    const std::vector<hcp::NodeId> back{3, 2, 1, 0};
    EXPECT_EQ(app::BuildScene(g, back, {}).gap, (std::vector<char>{0, 1, 0, 0}));
}

TEST(DirectedScene, EveryArcGetsAnArrowheadAtItsHeadAndAPairTwo)
{
    const std::vector<hcp::Edge> arcs{{0, 1}, {1, 0}, {1, 2}};
    const hcp::Graph g = hcp::Graph::FromArcs(3, arcs);
    const app::GraphScene s = app::BuildScene(g, std::vector<hcp::NodeId>{}, {});
    const std::vector<QPointF> at = Circle(3);
    const app::ArrowSize size{8.0, 5.0};
    const std::vector<QLineF> heads = app::EdgeArrowHeads(s, at, size, {});
    // Two strokes per arc: three arcs.
    ASSERT_EQ(heads.size(), 6u);
    // Each tip sits inset before the node the arc enters, each stroke is as
    // long as asked and points back towards the tail.
    int atNode[4] = {0, 0, 0, 0};
    for (const QLineF& l : heads) {
        EXPECT_NEAR(l.length(), size.length, 1e-9);
        int head = 0;
        for (int v = 1; v <= 3; ++v)
            if (std::abs(Distance(l.p1(), at[v]) - size.inset) < 1e-9)
                head = v;
        ASSERT_NE(head, 0);
        ++atNode[head];
        EXPECT_GT(Distance(l.p2(), at[head]), Distance(l.p1(), at[head]));
    }
    // 1 is entered by 2->1, 2 by 1->2, 3 by 2->3: one arrowhead each.
    EXPECT_EQ(atNode[1], 2);
    EXPECT_EQ(atNode[2], 2);
    EXPECT_EQ(atNode[3], 2);
    // Out of sight, or too short to show beside its nodes: none.
    EXPECT_TRUE(app::EdgeArrowHeads(s, at, size, QRectF(0, 0, 10, 10)).empty());
    std::vector<QPointF> close(4, QPointF(50, 50));
    close[2] = QPointF(60, 50);
    close[3] = QPointF(50, 60);
    EXPECT_TRUE(app::EdgeArrowHeads(s, close, size, {}).empty());
}

TEST(DirectedScene, TheOrderCarriesArrowheadsAlongItsLinks)
{
    // The directed triangle 1->2->3->1 as a cycle and as a path.
    const std::vector<hcp::Edge> arcs{{0, 1}, {1, 2}, {2, 0}};
    const hcp::Graph g = hcp::Graph::FromArcs(3, arcs);
    const std::vector<hcp::NodeId> order{0, 1, 2};
    const std::vector<QPointF> at = Circle(3);
    const app::ArrowSize size{10.0, 4.0};
    const app::GraphScene cycle = app::BuildScene(g, order, {});
    EXPECT_EQ(cycle.gaps, 0);
    const std::vector<QLineF> round = app::LinkArrowHeads(app::OrderLinkLines(cycle, at, {}), size);
    EXPECT_EQ(round.size(), 6u);
    const app::GraphScene path = app::BuildScene(g, order, {}, hcp::Goal::Path);
    const std::vector<QLineF> open = app::LinkArrowHeads(app::OrderLinkLines(path, at, {}), size);
    ASSERT_EQ(open.size(), 4u);
    // The path's arrowheads point at 2 and at 3, none at its first node.
    for (const QLineF& l : open)
        EXPECT_GT(Distance(l.p1(), at[1]), 100.0);
}

TEST(DirectedScene, AnArcBackAlongALinkShowsAboveTheOrder)
{
    // 1 -> 2 -> 3 -> 1 with 2 -> 1 too: the cycle's line covers the edge
    // 1-2, so the head of 2 -> 1 is drawn above it, at node 1.
    const std::vector<hcp::Edge> arcs{{0, 1}, {1, 0}, {1, 2}, {2, 0}};
    const hcp::Graph g = hcp::Graph::FromArcs(3, arcs);
    const std::vector<QPointF> at = Circle(3);
    const app::ArrowSize size{8.0, 5.0};
    const std::vector<hcp::NodeId> forward{0, 1, 2};
    const std::vector<QLineF> heads = app::ReverseArcHeads(app::BuildScene(g, forward, {}), at, size, {});
    ASSERT_EQ(heads.size(), 2u);
    for (const QLineF& l : heads)
        EXPECT_NEAR(Distance(l.p1(), at[1]), size.inset, 1e-9);
    // The order 2 1 3 uses 2 -> 1; the arc back, 1 -> 2, enters node 2.
    // Its other links are gaps, which carry none.
    const std::vector<hcp::NodeId> other{1, 0, 2};
    const app::GraphScene s = app::BuildScene(g, other, {});
    EXPECT_EQ(s.gaps, 2);
    const std::vector<QLineF> back = app::ReverseArcHeads(s, at, size, {});
    ASSERT_EQ(back.size(), 2u);
    EXPECT_NEAR(Distance(back[0].p1(), at[2]), size.inset, 1e-9);
    // Without arc pairs there is nothing to add.
    const std::vector<hcp::Edge> ring{{0, 1}, {1, 2}, {2, 0}};
    EXPECT_TRUE(app::ReverseArcHeads(app::BuildScene(hcp::Graph::FromArcs(3, ring), forward, {}), at, size, {})
                    .empty());
}

TEST(DirectedScene, LargePicturesShowArrowheadsOnlyWhenZoomedIn)
{
    std::vector<hcp::Edge> arcs;
    const hcp::NodeId n = 30000;
    for (hcp::NodeId v = 0; v < n; ++v)
        arcs.emplace_back(v, (v + 1) % n);
    const app::GraphScene big = app::BuildScene(hcp::Graph::FromArcs(n, arcs), std::vector<hcp::NodeId>{}, {});
    ASSERT_GT(big.edges.size(), app::kArrowEdges);
    EXPECT_FALSE(app::ShowArrows(big, -1.0));
    EXPECT_FALSE(app::ShowArrows(big, app::kArrowSpacing / 2));
    EXPECT_TRUE(app::ShowArrows(big, app::kArrowSpacing));
    arcs.resize(100);
    const app::GraphScene small = app::BuildScene(hcp::Graph::FromArcs(n, arcs), std::vector<hcp::NodeId>{}, {});
    EXPECT_TRUE(app::ShowArrows(small, -1.0));
}

}  // namespace
