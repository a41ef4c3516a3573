// The step limit of a SearchControl: a search ends at exactly that many
// steps, the drivers do not start another call once it is reached, a
// limited run repeats, and a limit the search never reaches changes
// nothing. Both engines behave alike.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "cycle/cycle.h"
#include "graph/seedclock.h"
#include "search_test_graphs.h"

namespace {

class StepLimit : public ::testing::TestWithParam<bool> {
protected:
    hcp::SearchControl Ctl(hcp::SearchStats* stats, std::uint64_t limit) const
    {
        hcp::SearchControl ctl = searchtest::Engine(GetParam(), stats);
        ctl.stepLimit = limit;
        return ctl;
    }
};

// Fixes the seeding clock of this thread for the test's lifetime.
class FixedClock {
public:
    explicit FixedClock(std::uint32_t value) { hcp::SetFixedSeedClock(value); }
    ~FixedClock() { hcp::ClearFixedSeedClock(); }
};

// Isolated nodes make the zero-gain moves grind far beyond any limit here.
CCycle Grinding()
{
    CCycle c = searchtest::Random(400, 0.004, 11);
    c.Init(false);
    return c;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Engines, StepLimit, ::testing::Bool(), searchtest::EngineName());

TEST_P(StepLimit, OptimizeEndsAtTheLimitWithAValidOrder)
{
    for (std::uint64_t limit : {1u, 7u, 2000u}) {
        CCycle c = Grinding();
        hcp::SearchStats stats;
        std::ostringstream os;
        const int h = c.Optimize(0, os, Ctl(&stats, limit));
        EXPECT_EQ(stats.loopSteps, limit);
        EXPECT_EQ(h, c.CalcPathLen());
        EXPECT_TRUE(c.IsPermutation(c.m_path));
        EXPECT_TRUE(c.m_usedMoves.empty()) << "the search memory is cleared as at any end";
    }
}

TEST_P(StepLimit, CountsStepsAlreadySpentByEarlierCalls)
{
    CCycle c = Grinding();
    hcp::SearchStats stats;
    stats.loopSteps = 900;   // a caller's earlier calls on the same counters
    std::ostringstream os;
    c.Optimize(0, os, Ctl(&stats, 1000));
    EXPECT_EQ(stats.loopSteps, 1000u);
    c.Optimize(0, os, Ctl(&stats, 1000));
    EXPECT_EQ(stats.loopSteps, 1000u) << "a call at the limit takes no step";
}

TEST_P(StepLimit, ALimitedRunRepeats)
{
    std::vector<short> first;
    for (int run = 0; run < 2; ++run) {
        FixedClock clock(77);
        CCycle c = searchtest::Knight(8, 8);
        hcp::SearchStats stats;
        std::ostringstream os;
        c.IsCycleExist(os, Ctl(&stats, 300));
        EXPECT_LE(stats.loopSteps, 300u);
        if (run == 0) first = searchtest::Order(c);
        else EXPECT_EQ(searchtest::Order(c), first);
    }
}

TEST_P(StepLimit, DriversStartNoCallOnceTheLimitIsReached)
{
    // A random start on this board has hundreds of gaps: no call ends
    // within 50 steps.
    {
        FixedClock clock(5);
        CCycle c = searchtest::Knight(20, 20);
        hcp::SearchStats stats;
        std::ostringstream os;
        EXPECT_FALSE(c.IsCycleExist(os, Ctl(&stats, 50)));
        EXPECT_EQ(stats.loopSteps, 50u);
        EXPECT_EQ(stats.optimizeCalls, 1u);
    }
    {
        FixedClock clock(5);
        CCycle c = searchtest::Knight(20, 20);
        hcp::SearchStats stats;
        const int h = c.FindMinCycle(Ctl(&stats, 50));
        EXPECT_EQ(stats.loopSteps, 50u);
        EXPECT_EQ(stats.optimizeCalls, 1u);
        EXPECT_EQ(h, c.CalcPathLen());
        EXPECT_TRUE(c.IsPermutation(c.m_path));
    }
}

TEST_P(StepLimit, ALimitNeverReachedChangesNothing)
{
    for (std::uint32_t seed : {1u, 9u, 31u}) {
        std::vector<short> unlimited, limited;
        hcp::SearchStats a, b;
        for (int run = 0; run < 2; ++run) {
            FixedClock clock(seed);
            CCycle c = searchtest::Knight(6, 6);
            std::ostringstream os;
            c.IsCycleExist(os, Ctl(run == 0 ? &a : &b, run == 0 ? 0 : ~std::uint64_t{0} >> 1));
            (run == 0 ? unlimited : limited) = searchtest::Order(c);
        }
        EXPECT_EQ(limited, unlimited);
        EXPECT_EQ(a.loopSteps, b.loopSteps);
        EXPECT_EQ(a.optimizeCalls, b.optimizeCalls);
    }
}
