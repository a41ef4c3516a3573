// One find-cycle run: the sequence of engine calls, the stop request and
// the log line.
#include <gtest/gtest.h>

#include <stop_token>

#include "apptestutil.h"
#include "cycle/cycle.h"
#include "findcycle.h"
#include "graph/seedclock.h"

namespace {

// The knight's graph of an m x n board, nodes numbered row by row, with the
// identity order.
CCycle KnightGraph(int rows, int cols)
{
    CCycle c(static_cast<short>(rows * cols));
    apptest::MakeKnightGraph(c, rows, cols);
    return c;
}

// Runs repeat exactly: the engine's seeding clock is fixed on this thread.
struct FindCycleRun : ::testing::Test {
    void SetUp() override { hcp::SetFixedSeedClock(4242); }
    void TearDown() override { hcp::ClearFixedSeedClock(); }
};

bool IsHamiltonian(CCycle& c)
{
    if (!c.IsPermutation(c.m_path))
        return false;
    for (auto it = c.m_path.begin(); it != c.m_path.end(); ++it)
        if (!c.GetEdge(*it, *c.Next(it)))
            return false;
    return true;
}

TEST_F(FindCycleRun, SolvesTheKnightGraphOfASixBySixBoard)
{
    CCycle c = KnightGraph(6, 6);
    const app::FindCycleResult r = app::FindCycle(c);
    EXPECT_EQ(r.h, 0);
    EXPECT_GE(r.optimizeCalls, 1);
    EXPECT_LE(r.optimizeCalls, app::kMaxOptimizeCalls);
    EXPECT_FALSE(r.cancelled);
    EXPECT_TRUE(IsHamiltonian(c));
}

TEST_F(FindCycleRun, EdgelessGraphTakesFiveCalls)
{
    CCycle c(6);
    c = true;
    const app::FindCycleResult r = app::FindCycle(c);
    EXPECT_EQ(r.h, 6);
    EXPECT_EQ(r.optimizeCalls, 5);
    EXPECT_EQ(r.edgesCut, 0u);
    EXPECT_TRUE(c.IsPermutation(c.m_path));
}

TEST_F(FindCycleRun, DegreeTwoReductionIsCountedWhenItCutsEdges)
{
    // A square 1-2-3-4 with a chord 1-3; node 2 and 4 have degree 2, so
    // every Hamiltonian cycle uses all four square edges and the chord goes.
    CCycle c(4);
    c = true;
    c.SetEdge(1, 2);
    c.SetEdge(2, 3);
    c.SetEdge(3, 4);
    c.SetEdge(4, 1);
    c.SetEdge(1, 3);
    const app::FindCycleResult r = app::FindCycle(c);
    EXPECT_EQ(r.h, 0);
    EXPECT_EQ(r.edgesCut, 1u);
    EXPECT_FALSE(c.GetEdge(1, 3));
}

TEST_F(FindCycleRun, MinimumDegreeOtherThanTwoCutsNothing)
{
    CCycle c = KnightGraph(3, 4);   // corner squares have degree 2, but one
    c.DelEdge(1, 7);                 // corner is cut down to degree 1
    const app::FindCycleResult r = app::FindCycle(c);
    EXPECT_EQ(r.edgesCut, 0u);
    EXPECT_GT(r.h, 0);
}

TEST_F(FindCycleRun, AStopRequestedBeforehandEndsAfterOneCall)
{
    CCycle c(8);
    c = true;
    std::stop_source stop;
    stop.request_stop();
    const app::FindCycleResult r = app::FindCycle(c, stop.get_token());
    EXPECT_EQ(r.optimizeCalls, 1);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(c.IsPermutation(c.m_path));
}

TEST(FindCycleLogLine, SaysHCallsTimeCancelAndCutEdges)
{
    app::FindCycleResult r;
    r.h = 0;
    r.optimizeCalls = 1;
    r.seconds = 0.25;
    EXPECT_EQ(app::FindCycleLogLine(r), "Find cycle: H=0 after 1 Optimize call, 0.25 s");
    r.h = 2;
    r.optimizeCalls = 3;
    r.cancelled = true;
    r.edgesCut = 4;
    const std::string line = app::FindCycleLogLine(r);
    EXPECT_NE(line.find("H=2 after 3 Optimize calls"), std::string::npos);
    EXPECT_NE(line.find("cancelled"), std::string::npos);
    EXPECT_NE(line.find("cut 4 edges"), std::string::npos);
}

}  // namespace
