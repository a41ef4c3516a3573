// Graphs of blocks joined by few edges: the split finds the blocks, the
// block-by-block search glues the blocks' paths into a cycle of the whole
// that keeps every fixed edge, and it never claims one that is not there.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stop_token>
#include <vector>

#include "common/graphfamilies.h"
#include "core/cyclecheck.h"
#include "exact/blocksearch.h"
#include "exact/blocksplit.h"
#include "exact/exactsearch.h"
#include "solve/solver.h"

using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;

namespace {

// Wheels (a hub joined to every node of a rim cycle) side by side; wheel k
// has hub first[k] and rim nodes first[k] + 1 .. first[k] + rim. They are
// joined by links from a rim node to another wheel's hub, or by a node of
// degree two between two hubs: taking the hubs away leaves each rim, and
// each such node, in a piece of its own.
struct Wheels {
    std::vector<NodeId> first;
    std::vector<Edge> edges;
    NodeId nodes = 0;

    // With a seed, the rim also gets chords: a random matching of its
    // nodes, so that the wheel is not narrow.
    NodeId Add(NodeId rim, std::uint64_t seed = 0)
    {
        first.push_back(nodes);
        for (NodeId i = 0; i < rim; ++i) {
            edges.emplace_back(nodes, nodes + 1 + i);
            edges.emplace_back(nodes + 1 + i, nodes + 1 + (i + 1) % rim);
        }
        if (seed != 0) {
            std::vector<NodeId> perm(rim);
            for (NodeId i = 0; i < rim; ++i) perm[i] = i;
            std::mt19937_64 random(seed);
            std::shuffle(perm.begin(), perm.end(), random);
            for (NodeId i = 0; i + 1 < rim; i += 2) edges.emplace_back(nodes + 1 + perm[i], nodes + 1 + perm[i + 1]);
        }
        nodes += rim + 1;
        return static_cast<NodeId>(first.size() - 1);
    }
    NodeId Rim(NodeId wheel, NodeId i) const { return first[wheel] + 1 + i; }
    void Link(NodeId a, NodeId i, NodeId b) { edges.emplace_back(Rim(a, i), first[b]); }
    void Connect(NodeId a, NodeId b)
    {
        edges.emplace_back(first[a], nodes);
        edges.emplace_back(nodes, first[b]);
        ++nodes;
    }
    // A second hub for wheel k, joined to its whole rim.
    NodeId AddHub(NodeId k, NodeId rim)
    {
        for (NodeId i = 0; i < rim; ++i) edges.emplace_back(nodes, Rim(k, i));
        return nodes++;
    }
    Graph Build() const { return Graph::FromEdges(nodes, edges); }
};

// k wheels of the given rim in a ring, rim nodes 0, 4, 8, ... of each
// linked to the next one's hub.
Wheels Ring(NodeId k, NodeId rim, NodeId links)
{
    Wheels w;
    for (NodeId i = 0; i < k; ++i) w.Add(rim);
    for (NodeId i = 0; i < k; ++i)
        for (NodeId l = 0; l < links; ++l) w.Link(i, 4 * l, (i + 1) % k);
    return w;
}

bool Search(const Graph& g, std::vector<NodeId>& cycle, std::stop_token stop = {})
{
    const auto split = hcp::FindBlockSplit(g);
    EXPECT_TRUE(split.has_value());
    if (!split) return false;
    hcp::SolveOptions options;
    options.stop = stop;
    hcp::BlockSearch search;
    return search.Run(g, *split, options, 1'000'000, cycle);
}

bool Uses(const std::vector<NodeId>& cycle, Edge e)
{
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        const NodeId a = cycle[i], b = cycle[(i + 1) % cycle.size()];
        if ((a == e.first && b == e.second) || (a == e.second && b == e.first)) return true;
    }
    return false;
}

}  // namespace

TEST(BlockSplit, FindsTheWheelsOfARing)
{
    const Wheels w = Ring(6, 20, 2);
    const Graph g = w.Build();
    const auto split = hcp::FindBlockSplit(g);
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->blocks, 6u);
    EXPECT_EQ(split->crossing.size(), 12u);
    // A node of degree two between two wheels is a block of its own.
    Wheels v = Ring(6, 20, 2);
    v.Connect(0, 3);
    const auto withNode = hcp::FindBlockSplit(v.Build());
    ASSERT_TRUE(withNode.has_value());
    EXPECT_EQ(withNode->blocks, 7u);
    EXPECT_EQ(withNode->crossing.size(), 14u);
    EXPECT_NE(withNode->block[v.nodes - 1], withNode->block[v.first[0]]);
    // Each wheel, hub and rim, is one block.
    for (NodeId k = 0; k < 6; ++k)
        for (NodeId i = 0; i < 20; ++i) EXPECT_EQ(split->block[w.Rim(k, i)], split->block[w.first[k]]);
    for (const Edge& e : split->crossing) EXPECT_NE(split->block[e.first], split->block[e.second]);
}

TEST(BlockSplit, NoneWithoutHubsOrWithTooManyCrossings)
{
    EXPECT_FALSE(hcp::FindBlockSplit(testgraphs::RandomCubic(200, 3)).has_value());
    // 65 wheels linked in pairs: 130 crossing edges.
    EXPECT_FALSE(hcp::FindBlockSplit(Ring(65, 12, 2).Build()).has_value());
    EXPECT_TRUE(hcp::FindBlockSplit(Ring(64, 12, 2).Build()).has_value());
    // Wheels whose rims touch directly are one piece without their hubs.
    Wheels touching = Ring(6, 20, 1);
    for (NodeId k = 0; k < 6; ++k) touching.edges.emplace_back(touching.Rim(k, 5), touching.Rim((k + 1) % 6, 5));
    EXPECT_FALSE(hcp::FindBlockSplit(touching.Build()).has_value());
    // Too small to be worth it.
    EXPECT_FALSE(hcp::FindBlockSplit(Ring(4, 12, 2).Build()).has_value());
    // A block of more than half the nodes: searching it alone is about as
    // hard as the whole graph.
    Wheels lopsided;
    const NodeId big = lopsided.Add(150), small = lopsided.Add(40);
    lopsided.Link(big, 0, small);
    lopsided.Link(small, 0, big);
    EXPECT_FALSE(hcp::FindBlockSplit(lopsided.Build()).has_value());
    // One wheel: taking its hub away leaves one piece.
    Wheels one;
    one.Add(150);
    EXPECT_FALSE(hcp::FindBlockSplit(one.Build()).has_value());
}

TEST(BlockSearch, GluesTheBlocksPathsIntoACycle)
{
    for (NodeId links : {1u, 2u, 4u}) {
        const Graph g = Ring(5, 24, links).Build();
        std::vector<NodeId> cycle;
        ASSERT_TRUE(Search(g, cycle)) << links << " links";
        EXPECT_TRUE(hcp::CheckCycle(g, cycle).hamiltonian);
    }
}

TEST(BlockSearch, ABlockEnteredTwiceIsCoveredByTwoPaths)
{
    // Two small wheels hang on a big one with two hubs, each by a link to
    // it and one back: the cycle goes out to each and back, so the big
    // wheel is two paths. One cycle: left, hub 1, rim 1 .. 30, right,
    // hub 2, rim 31 .. 59, 0, left.
    Wheels w;
    const NodeId centre = w.Add(60), left = w.Add(40), right = w.Add(40);
    const NodeId second = w.AddHub(centre, 60);
    w.Link(centre, 0, left);
    w.Link(left, 7, centre);
    w.Link(centre, 30, right);
    w.edges.emplace_back(w.Rim(right, 9), second);
    const Graph g = w.Build();
    std::vector<NodeId> cycle;
    ASSERT_TRUE(Search(g, cycle));
    EXPECT_TRUE(hcp::CheckCycle(g, cycle).hamiltonian);
}

// Four wheels in a chain, rim 0 of each linked to the next one's hub, and
// a shared hub joined to rim nodes 3, 6, .., 30 of every wheel: no wheel
// holds half its neighbours. It closes the chain: into wheel 0 at one of
// its neighbours there, out of wheel 3 at another.
struct Chain {
    Wheels w;
    NodeId shared = 0;
    Chain()
    {
        for (NodeId k = 0; k < 4; ++k) w.Add(32);
        for (NodeId k = 0; k + 1 < 4; ++k) w.Link(k, 0, k + 1);
        shared = w.nodes++;
        for (NodeId k = 0; k < 4; ++k)
            for (NodeId i = 3; i <= 30; i += 3) w.edges.emplace_back(shared, w.Rim(k, i));
    }
};

TEST(BlockSplit, AHubSharedByBlocksIsABlockOfItsOwnWithABundleToEach)
{
    const Chain c;
    const auto split = hcp::FindBlockSplit(c.w.Build());
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->blocks, 5u);
    EXPECT_EQ(split->crossing.size(), 3u);
    ASSERT_EQ(split->bundles.size(), 4u);
    for (NodeId k = 0; k < 4; ++k) {
        EXPECT_NE(split->block[c.shared], split->block[c.w.first[k]]);
        EXPECT_EQ(split->bundles[k].first, c.shared);
        EXPECT_EQ(split->bundles[k].second, split->block[c.w.first[k]]);
    }
}

TEST(BlockSearch, ASharedHubComesInWhereTheBlocksPathsChoose)
{
    Chain c;
    Graph g = c.w.Build();
    std::vector<NodeId> cycle;
    ASSERT_TRUE(Search(g, cycle));
    EXPECT_TRUE(hcp::CheckCycle(g, cycle).hamiltonian);
    // Fixed: the shared hub to rim 12 of wheel 3, and a crossing link.
    const std::vector<Edge> fixed{{c.shared, c.w.Rim(3, 12)}, {c.w.Rim(1, 0), c.w.first[2]}};
    g.SetFixedEdges(fixed);
    ASSERT_TRUE(Search(g, cycle));
    EXPECT_TRUE(hcp::CheckCycle(g, cycle).hamiltonian);
    for (const Edge& e : fixed) EXPECT_TRUE(Uses(cycle, e));
}

TEST(BlockSearch, KeepsFixedEdgesInsideAndAcrossBlocks)
{
    Wheels w = Ring(4, 30, 3);
    Graph g = w.Build();
    const auto split = hcp::FindBlockSplit(g);
    ASSERT_TRUE(split.has_value());
    // The search tries crossing edges in order, each first taken: fixing
    // the last link of each junction and a rim edge of every wheel asks
    // for a cycle the first subset does not give. One fits: into wheel k
    // at its hub, rim 9 up to 29, 0 up to 8, out.
    std::vector<Edge> fixed;
    for (NodeId k = 0; k < 4; ++k) {
        fixed.emplace_back(w.Rim(k, 8), w.first[(k + 1) % 4]);
        fixed.emplace_back(w.Rim(k, 11), w.Rim(k, 12));
    }
    g.SetFixedEdges(fixed);
    std::vector<NodeId> cycle;
    ASSERT_TRUE(Search(g, cycle));
    EXPECT_TRUE(hcp::CheckCycle(g, cycle).hamiltonian);
    for (const Edge& e : fixed) EXPECT_TRUE(Uses(cycle, e)) << e.first + 1 << "-" << e.second + 1;
}

TEST(BlockSearch, ClaimsNothingWhereNoCycleFits)
{
    // The second wheel meets the others only at its hub, by both its
    // crossing edges: its rim cannot be reached.
    Wheels w;
    const NodeId a = w.Add(40), b = w.Add(40), c = w.Add(40);
    w.Link(a, 0, b);
    w.Link(c, 0, b);
    w.Link(c, 10, a);
    w.Link(a, 20, c);
    const Graph g = w.Build();
    std::vector<NodeId> cycle;
    EXPECT_FALSE(Search(g, cycle));
    EXPECT_TRUE(cycle.empty());
    hcp::ExactSearch exact;
    EXPECT_EQ(exact.Run(g, hcp::SolveOptions{}).verdict, hcp::Verdict::NoCycle);
}

TEST(BlockSearch, AStoppedSearchFindsNothing)
{
    std::stop_source stop;
    stop.request_stop();
    std::vector<NodeId> cycle;
    EXPECT_FALSE(Search(Ring(5, 24, 2).Build(), cycle, stop.get_token()));
    EXPECT_TRUE(cycle.empty());
}

TEST(BlockSearch, TheExactMethodSearchesBlocksFirstWhenAsked)
{
    // Wheels with chords: too wide for the frontier programme.
    Wheels w;
    for (NodeId k = 0; k < 3; ++k) w.Add(120, k + 1);
    for (NodeId k = 0; k < 3; ++k) {
        w.Link(k, 0, (k + 1) % 3);
        w.Link(k, 2, (k + 1) % 3);
    }
    const Graph g = w.Build();
    hcp::ExactSearch exact;
    hcp::SolveResult r = exact.Run(g, hcp::SolveOptions{});
    ASSERT_EQ(r.verdict, hcp::Verdict::Hamiltonian);
    EXPECT_STREQ(exact.LastPart(), "blocks");
    EXPECT_EQ(r.stage, "blocks");
    EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
    exact.SetBlockSearch(false);
    r = exact.Run(g, hcp::SolveOptions{});
    ASSERT_EQ(r.verdict, hcp::Verdict::Hamiltonian);
    EXPECT_STREQ(exact.LastPart(), "sat");
    // The method's result names the stage too, for the tables.
    const hcp::SolveResult viaSolve = hcp::Solve(g, "exact");
    ASSERT_EQ(viaSolve.verdict, hcp::Verdict::Hamiltonian);
    EXPECT_EQ(viaSolve.method, "exact");
    EXPECT_EQ(viaSolve.stage, "blocks");
}
