// The loop watch: which runs of cheap covers make a region, and which
// nodes the region has.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "exact/loopwatch.h"
#include "exact/reduction.h"
#include "exact/workgraph.h"

using hcp::LoopWatch;
using hcp::NodeId;
using hcp::WorkGraph;

namespace {

// The circular ladder of 1000 nodes: rings 0..499 and 500..999 (v next to
// v + 1 round each ring) and a rung from v to v + 500. The proofs leave
// every edge of it.
const WorkGraph& Ladder()
{
    static const WorkGraph graph = [] {
        std::vector<hcp::Edge> edges;
        for (NodeId v = 0; v < 500; ++v) {
            edges.emplace_back(v, (v + 1) % 500);
            edges.emplace_back(500 + v, 500 + (v + 1) % 500);
            edges.emplace_back(v, 500 + v);
        }
        hcp::Reduction reduction;
        EXPECT_EQ(reduction.Run(hcp::Graph::FromEdges(1000, edges)), hcp::ProofOutcome::Open);
        EXPECT_EQ(reduction.EdgeCount(), 1500u);
        WorkGraph w;
        w.Build(reduction);
        return w;
    }();
    return graph;
}

std::vector<NodeId> Range(NodeId from, NodeId to)
{
    std::vector<NodeId> r;
    for (NodeId v = from; v < to; ++v) r.push_back(v);
    return r;
}

// A cover of 1000 nodes: the small cycle 'small' and the rest as one cycle.
std::vector<std::vector<NodeId>> Cover(const std::vector<NodeId>& small)
{
    std::vector<bool> in(1000, false);
    for (NodeId v : small) in[v] = true;
    std::vector<NodeId> rest;
    for (NodeId v = 0; v < 1000; ++v)
        if (!in[v]) rest.push_back(v);
    return {rest, small};
}

std::vector<NodeId> Sorted(std::span<const NodeId> s)
{
    std::vector<NodeId> v(s.begin(), s.end());
    std::sort(v.begin(), v.end());
    return v;
}

// Feeds the cover 'calls' times with the given conflicts; returns what the
// last call named.
std::vector<NodeId> Feed(LoopWatch& watch, const std::vector<std::vector<NodeId>>& cover, std::uint64_t calls,
                         std::uint64_t conflicts = 1)
{
    std::vector<NodeId> named;
    for (std::uint64_t i = 0; i < calls; ++i) {
        named = Sorted(watch.Observe(cover, conflicts));
        if (i + 1 < calls) {
            EXPECT_TRUE(named.empty()) << "named a region after " << i + 1 << " calls";
        }
    }
    return named;
}

}  // namespace

TEST(LoopWatch, ARunOfCheapCoversNamesTheUnionOfTheirSmallCycles)
{
    LoopWatch watch(Ladder());
    // The small cycle wanders: 100..199 shifted by one node each call.
    std::vector<NodeId> named;
    for (NodeId k = 0; k < LoopWatch::kCalls; ++k) {
        EXPECT_TRUE(named.empty());
        named = Sorted(watch.Observe(Cover(Range(100 + k, 200 + k)), 2));
    }
    EXPECT_EQ(named, Range(100, 200 + LoopWatch::kCalls - 1));
    EXPECT_EQ(watch.Regions(), 1u);
    // The run starts again from nothing.
    EXPECT_EQ(Feed(watch, Cover(Range(600, 650)), LoopWatch::kCalls), Range(600, 650));
}

TEST(LoopWatch, AnExpensiveCallOrASingleCycleBreaksTheRun)
{
    LoopWatch watch(Ladder());
    const auto cover = Cover(Range(10, 60));
    Feed(watch, cover, LoopWatch::kCalls - 1);
    EXPECT_TRUE(watch.Observe(cover, LoopWatch::kConflicts + 1).empty());
    Feed(watch, cover, LoopWatch::kCalls - 1);
    EXPECT_TRUE(watch.Observe({Range(0, 1000)}, 0).empty());
    EXPECT_TRUE(watch.Observe({}, 0).empty());
    EXPECT_EQ(watch.Regions(), 0u);
    EXPECT_EQ(Feed(watch, cover, LoopWatch::kCalls, LoopWatch::kConflicts), Range(10, 60));
}

TEST(LoopWatch, LargeCyclesTakeNoPartAndARegionIsAtMostHalfTheGraph)
{
    LoopWatch watch(Ladder());
    // Three cycles: 0..299 (over a quarter), 300..339, and the rest, the
    // largest; only the 40 nodes count.
    const std::vector<std::vector<NodeId>> three = {Range(0, 300), Range(300, 340), Range(340, 1000)};
    EXPECT_EQ(Feed(watch, three, LoopWatch::kCalls), Range(300, 340));
    // Small cycles spread over more than half the nodes end the run.
    LoopWatch spread(Ladder());
    for (NodeId k = 0; k < LoopWatch::kCalls; ++k)
        EXPECT_TRUE(spread.Observe(Cover(Range(20 * k, 20 * k + 20)), 1).empty()) << k;
    EXPECT_EQ(spread.Regions(), 0u);
}

TEST(LoopWatch, AFamilyThatSlipsPastARegionGetsTheTwoTogether)
{
    LoopWatch watch(Ladder());
    EXPECT_EQ(Feed(watch, Cover(Range(100, 200)), LoopWatch::kCalls), Range(100, 200));
    // Overlapping the first region: both are named, with every node within
    // two edges of them: two more on the ring each way, and the rungs' far
    // ends 600..759 with one more each way on theirs.
    std::vector<NodeId> both = Range(98, 262);
    for (NodeId v : Range(599, 761)) both.push_back(v);
    EXPECT_EQ(Feed(watch, Cover(Range(190, 260)), LoopWatch::kCalls), both);
    // Apart from both: alone, and without a margin.
    EXPECT_EQ(Feed(watch, Cover(Range(400, 420)), LoopWatch::kCalls), Range(400, 420));
    // Meeting a region whose union would pass half the graph: alone; where
    // only the margin would pass it, the union without the margin.
    LoopWatch big(Ladder());
    EXPECT_EQ(Feed(big, Cover(Range(0, 240)), LoopWatch::kCalls), Range(0, 240));
    EXPECT_EQ(Feed(big, Cover(Range(230, 470)), LoopWatch::kCalls), Range(0, 470));
    EXPECT_EQ(Feed(big, Cover(Range(460, 700)), LoopWatch::kCalls), Range(460, 700));
    EXPECT_EQ(big.Regions(), 3u);
}

TEST(LoopWatch, RegionsStopOnceTheyHoldTheirShareOfNodes)
{
    // Two families of 240 nodes in turn, each run naming its own nodes or,
    // meeting an earlier region, more: regions are named until they hold
    // 4 x 1000 nodes, and not after.
    LoopWatch watch(Ladder());
    std::size_t ordered = 0;
    bool full = false;
    for (int k = 0; k < 30; ++k) {
        const NodeId from = k % 2 == 0 ? 0 : 500;
        const std::vector<NodeId> named = Feed(watch, Cover(Range(from, from + 240)), LoopWatch::kCalls);
        EXPECT_EQ(named.empty(), full) << "run " << k;
        EXPECT_LE(2 * named.size(), 1000u);
        ordered += named.size();
        full = ordered >= LoopWatch::kShare * 1000;
    }
    EXPECT_TRUE(full);
    EXPECT_GT(watch.Regions(), 8u);
}

namespace {

// The rectangle of the ladder between rungs a and b: ring 1 from a up to b,
// the rung at b, ring 2 back down to a + 500, the rung at a.
std::vector<NodeId> Rectangle(NodeId a, NodeId b)
{
    std::vector<NodeId> c = Range(a, b + 1);
    for (NodeId v = b + 1; v-- > a;) c.push_back(500 + v);
    return c;
}

}  // namespace

TEST(LoopWatch, ARunWhoseSmallCyclesShareAnEdgeNamesIt)
{
    // Rectangles whose ends wander round rungs 150 and 151: each uses the
    // ring edges 150-151 and 650-651, and the lower one is named.
    const WorkGraph& w = Ladder();
    LoopWatch watch(w);
    std::vector<NodeId> named;
    for (NodeId k = 0; k < LoopWatch::kCalls; ++k) {
        EXPECT_TRUE(named.empty());
        named = Sorted(watch.Observe(Cover(Rectangle(150 - k % 10, 151 + k / 10)), 1));
    }
    ASSERT_FALSE(named.empty());
    EXPECT_EQ(watch.CommonEdge(), w.Find(150, 151));
    // Squares side by side: neighbours share a rung, no edge is in all.
    for (NodeId k = 0; k < LoopWatch::kCalls; ++k) named = Sorted(watch.Observe(Cover(Rectangle(300 + k, 301 + k)), 1));
    ASSERT_FALSE(named.empty());
    EXPECT_EQ(watch.CommonEdge(), WorkGraph::kNoEdge);
    // A run broken off does not carry its counts into the next one: 20
    // covers through 20-21, a call of many conflicts, then 40 through 30-31
    // of which only the last 20 also go through 20-21.
    for (NodeId k = 0; k < LoopWatch::kCalls / 2; ++k) watch.Observe(Cover(Rectangle(20 - k % 5, 21 + k % 3)), 1);
    EXPECT_TRUE(watch.Observe(Cover(Rectangle(20, 21)), LoopWatch::kConflicts + 1).empty());
    for (NodeId k = 0; k < LoopWatch::kCalls; ++k) {
        const NodeId from = k < LoopWatch::kCalls / 2 ? 30 : 20;
        named = Sorted(watch.Observe(Cover(Rectangle(from - k % 3, 31 + k % 2)), 1));
    }
    ASSERT_FALSE(named.empty());
    EXPECT_EQ(watch.CommonEdge(), w.Find(30, 31));
}
