// The gap search's own bookkeeping: the gap count it keeps move by move
// agrees with a recount, and the greedy start is a permutation whose gaps
// never outnumber its walks.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/cyclecheck.h"
#include "large/gapsearch.h"
#include "large/graphfamilies.h"
#include "large/greedystart.h"

using hcp::Graph;
using hcp::NodeId;

TEST(GreedyStart, IsAPermutationWithNoMoreGapsThanWalks)
{
    for (const Graph& g : {hcp::KnightBoard(7, 9), hcp::KnightBoard(40, 40), hcp::HiddenCycleCubic(5000, 4)}) {
        hcp::Random64 rng(11);
        const hcp::GreedyStart s = hcp::MakeGreedyStart(g, rng);
        const hcp::CycleCheck c = hcp::CheckCycle(g, s.order);
        ASSERT_TRUE(c.permutation) << c.problem;
        EXPECT_LE(c.gaps, static_cast<int>(s.paths));
        EXPECT_GE(s.paths, 1u);
    }
}

TEST(GapSearch, KeepsItsGapCountEqualToARecount)
{
    // A random order on a board with no closed tour: the search makes many
    // moves of every kind and never finishes, so stop it at several points
    // and recount.
    const Graph g = hcp::KnightBoard(15, 15);
    std::vector<NodeId> order(g.NodeCount());
    std::iota(order.begin(), order.end(), 0u);
    hcp::Random64 rng(2);
    for (NodeId i = g.NodeCount() - 1; i > 0; --i) std::swap(order[i], order[rng.Below(i + 1)]);
    hcp::GapSearch search(g, order, rng);
    EXPECT_EQ(search.Gaps(), hcp::CheckCycle(g, order).gaps);
    for (std::uint32_t budget : {50u, 500u, 5000u, 50000u, 200000u}) {
        std::stop_source source;
        hcp::StopWatch stop(source.get_token(), 1);
        std::uint32_t ticks = 0;
        search.Run(stop, [&](int) {
            if (++ticks * 256 >= budget) source.request_stop();
        });
        const std::vector<NodeId> now = search.Order();
        const hcp::CycleCheck c = hcp::CheckCycle(g, now);
        ASSERT_TRUE(c.permutation) << c.problem;
        EXPECT_EQ(search.Gaps(), c.gaps) << "after " << budget;
        EXPECT_GE(search.Gaps(), 1);
        EXPECT_TRUE(search.List().Consistent());
    }
    // By then the last gaps have been walked towards each other too.
    EXPECT_GT(search.Stats().guidedWalks, 0u);
}

TEST(GapSearch, AStepLimitEndsTheRunAtExactlyThatManySteps)
{
    // The 15 x 15 board has no closed tour, so only the limit ends the run;
    // a limited run repeats with its seed and leaves a consistent order.
    const Graph g = hcp::KnightBoard(15, 15);
    std::vector<NodeId> order(g.NodeCount());
    std::iota(order.begin(), order.end(), 0u);
    std::vector<NodeId> first;
    for (int run = 0; run < 2; ++run) {
        hcp::Random64 rng(5);
        hcp::GapSearch search(g, order, rng);
        search.SetStepLimit(3000);
        std::stop_source never;
        hcp::StopWatch stop(never.get_token());
        EXPECT_FALSE(search.Run(stop, {}));
        EXPECT_TRUE(search.GaveUp());
        EXPECT_EQ(search.Stats().steps, 3000u);
        const std::vector<NodeId> now = search.Order();
        const hcp::CycleCheck c = hcp::CheckCycle(g, now);
        ASSERT_TRUE(c.permutation) << c.problem;
        EXPECT_EQ(search.Gaps(), c.gaps);
        if (run == 0) first = now;
        else EXPECT_EQ(now, first);
        // Run again: the limit counts the steps already taken.
        EXPECT_FALSE(search.Run(stop, {}));
        EXPECT_EQ(search.Stats().steps, 3000u);
    }
}
