// Closing a SAT cover of a few cycles with the gap search: what it returns
// is a Hamiltonian cycle of the working graph that keeps every forced
// edge, and it never spends more steps than it was given.
#include <gtest/gtest.h>

#include <vector>

#include "common/graphfamilies.h"
#include "core/cyclecheck.h"
#include "exact/coverrepair.h"
#include "exact/cyclecover.h"
#include "exact/reduction.h"
#include "exact/workgraph.h"

using hcp::Graph;
using hcp::NodeId;

namespace {

// The cover of a graph on outer nodes 0..n-1 and inner nodes n..2n-1 by
// the outer cycle and the inner cycles i -> i + step. In GP(n, 2), with
// step 2 (two cycles of n/2 when n is even), no 2-opt splice joins them,
// since no spoke's end is next to another spoke's end on both cycles.
hcp::CycleCover OuterAndInner(NodeId n, NodeId step = 2)
{
    std::vector<NodeId> succ(2 * n);
    for (NodeId i = 0; i < n; ++i) {
        succ[i] = (i + 1) % n;
        succ[n + i] = n + (i + step) % n;
    }
    hcp::CycleCover cover;
    cover.Load(succ);
    return cover;
}

struct Working {
    hcp::Reduction reduction;
    hcp::WorkGraph graph;
    explicit Working(const Graph& g)
    {
        EXPECT_EQ(reduction.Run(g), hcp::ProofOutcome::Open);
        graph.Build(reduction);
    }
};

}  // namespace

TEST(CoverRepair, ClosesCoversNoSpliceJoins)
{
    // GP(n, 2) has a Hamiltonian cycle exactly when n is not 5 mod 6.
    for (NodeId n : {12u, 30u, 100u, 400u}) {
        const Graph g = testgraphs::GeneralizedPetersen(n, 2);
        Working w(g);
        hcp::CycleCover cover = OuterAndInner(n);
        const std::size_t before = cover.CycleCount();
        EXPECT_EQ(cover.MergeAll(w.graph), 0u) << "n = " << n;
        ASSERT_EQ(cover.CycleCount(), before);
        hcp::CoverRepair repair(w.graph, 1);
        std::stop_source never;
        hcp::StopWatch stop(never.get_token());
        std::vector<NodeId> cycle;
        bool closed = false;
        for (int attempt = 0; attempt < 5 && !closed; ++attempt) closed = repair.TryClose(cover, 500'000, stop, cycle);
        ASSERT_TRUE(closed) << "n = " << n;
        const hcp::CycleCheck c = hcp::CheckCycle(g, cycle);
        EXPECT_TRUE(c.permutation) << c.problem;
        EXPECT_EQ(c.gaps, 0) << "n = " << n;
    }
}

TEST(CoverRepair, SpendsNoMoreThanItsStepsWhereNoCycleExists)
{
    for (NodeId n : {11u, 23u, 29u}) {
        const Graph g = testgraphs::GeneralizedPetersen(n, 2);
        Working w(g);
        const hcp::CycleCover cover = OuterAndInner(n);
        hcp::CoverRepair repair(w.graph, 7);
        std::stop_source never;
        hcp::StopWatch stop(never.get_token());
        std::vector<NodeId> cycle{42};
        for (int attempt = 1; attempt <= 3; ++attempt) {
            EXPECT_FALSE(repair.TryClose(cover, 20'000, stop, cycle));
            EXPECT_LE(repair.Steps(), 20'000u * static_cast<unsigned>(attempt));
        }
        EXPECT_EQ(repair.Attempts(), 3u);
        EXPECT_EQ(cycle, std::vector<NodeId>{42}) << "a failed repair leaves the caller's order alone";
    }
}

TEST(CoverRepair, AClosedCoverKeepsEveryFixedEdge)
{
    // A prism of 30 rungs covered by its two rims. The gap search closes
    // the two gaps with the rungs at the ends of the order, skipping the
    // rung fixed here: that cycle is a cycle of the graph but no answer,
    // so the repair must turn it down, and any cycle it does return must
    // use the fixed rung.
    const NodeId k = 30;
    std::vector<hcp::Edge> edges;
    for (NodeId i = 0; i < k; ++i) {
        edges.emplace_back(i, (i + 1) % k);
        edges.emplace_back(k + i, k + (i + 1) % k);
        edges.emplace_back(i, k + i);
    }
    Graph free = Graph::FromEdges(2 * k, edges);
    Graph fixed = free;
    fixed.SetFixedEdges({{3, k + 3}});
    Working wFree(free), wFixed(fixed);
    const hcp::CycleCover cover = OuterAndInner(k, 1);
    int turnedDown = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        std::stop_source never;
        hcp::StopWatch stop(never.get_token());
        std::vector<NodeId> cycle;
        hcp::CoverRepair repairFree(wFree.graph, seed);
        ASSERT_TRUE(repairFree.TryClose(cover, 100'000, stop, cycle)) << "seed " << seed;
        const bool skipsRung = hcp::CheckCycle(fixed, cycle).missedFixedCount > 0;
        hcp::CoverRepair repairFixed(wFixed.graph, seed);
        if (repairFixed.TryClose(cover, 100'000, stop, cycle)) {
            const hcp::CycleCheck c = hcp::CheckCycle(fixed, cycle);
            EXPECT_EQ(c.gaps, 0) << "seed " << seed << ": " << c.problem;
            EXPECT_EQ(c.missedFixedCount, 0) << "seed " << seed;
        } else if (skipsRung) {
            ++turnedDown;
        }
    }
    EXPECT_GT(turnedDown, 0) << "the fixed rung never made a difference: the test shows nothing";
}

TEST(CoverRepair, AStopEndsTheRepairWithoutAnAnswer)
{
    const Graph g = testgraphs::GeneralizedPetersen(400, 2);
    Working w(g);
    const hcp::CycleCover cover = OuterAndInner(400);
    hcp::CoverRepair repair(w.graph, 1);
    std::stop_source source;
    source.request_stop();
    hcp::StopWatch stop(source.get_token(), 1);
    std::vector<NodeId> cycle;
    EXPECT_FALSE(repair.TryClose(cover, 500'000, stop, cycle));
    EXPECT_TRUE(cycle.empty());
}
