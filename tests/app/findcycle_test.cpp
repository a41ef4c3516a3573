// One find-cycle run: the engine's optimize method as the desktop program
// runs it, the stop request, a proof, and the log line.
#include <gtest/gtest.h>

#include <sstream>
#include <stop_token>

#include "apptestutil.h"
#include "core/cyclecheck.h"
#include "cycle/cycle.h"
#include "cycle/searchcontrol.h"
#include "findcycle.h"
#include "graph/seedclock.h"

namespace {

constexpr std::uint64_t kSeed = 4242;

// The knight's graph of an m x n board, nodes numbered row by row.
hcp::Graph KnightGraph(int rows, int cols)
{
    CCycle c(static_cast<short>(rows * cols));
    apptest::MakeKnightGraph(c, rows, cols);
    return hcp::Graph::FromBitGraph(c);
}

// The run the desktop program made before it solved through the engine:
// Init(false), the degree-2 reduction, then Optimize at most five times
// while gaps remain, with the clock fixed to the seed. The engine must
// reach the same order.
std::vector<hcp::NodeId> DesktopRecipe(const hcp::Graph& g, std::uint32_t seed)
{
    hcp::SetFixedSeedClock(seed);
    CCycle cycle(g.ToBitGraph());
    cycle.CalcDeg();
    if (cycle.GetMinDeg() == 2)
        while (cycle.AnalyzeDegree() > 0) {
        }
    cycle.Init(false);
    std::ostringstream silent;
    hcp::SearchControl ctl;
    for (int k = 0; k < app::kMaxOptimizeCalls; ++k)
        if (cycle.Optimize(0, silent, ctl) == 0)
            break;
    hcp::ClearFixedSeedClock();
    std::vector<hcp::NodeId> order;
    for (short v : cycle.m_path)
        order.push_back(static_cast<hcp::NodeId>(v - 1));
    return order;
}

TEST(FindCycleRun, SolvesTheKnightGraphOfASixBySixBoardAndLeavesTheGraphAlone)
{
    const hcp::Graph g = KnightGraph(6, 6);
    const hcp::Graph before = g;
    const app::FindCycleResult r = app::FindCycle(g, {}, kSeed);
    EXPECT_EQ(r.verdict, hcp::Verdict::Hamiltonian);
    EXPECT_EQ(r.h, 0);
    EXPECT_GE(r.optimizeCalls, 1);
    EXPECT_LE(r.optimizeCalls, app::kMaxOptimizeCalls);
    EXPECT_FALSE(r.cancelled);
    EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
    EXPECT_EQ(g, before);
}

TEST(FindCycleRun, ReachesTheOrderOfTheOldRecipe)
{
    // 41 x 41 has no closed tour: all five calls run, so the orders differ
    // at once if the sequence of calls or the seeding differs.
    for (const auto& [rows, cols] : {std::pair{6, 6}, std::pair{8, 8}, std::pair{15, 15}}) {
        const hcp::Graph g = KnightGraph(rows, cols);
        for (std::uint32_t seed : {1u, 99u}) {
            const app::FindCycleResult r = app::FindCycle(g, {}, seed);
            EXPECT_EQ(r.order, DesktopRecipe(g, seed)) << rows << "x" << cols << " seed " << seed;
        }
    }
}

TEST(FindCycleRun, ReductionIsUsedButTheCallersGraphKeepsItsEdges)
{
    // A square 1-2-3-4 with a chord 1-3: nodes 2 and 4 force all four square
    // edges, so the solver drops the chord from its own copy only.
    const std::vector<hcp::Edge> edges{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}};
    const hcp::Graph g = hcp::Graph::FromEdges(4, edges);
    const app::FindCycleResult r = app::FindCycle(g, {}, kSeed);
    EXPECT_EQ(r.h, 0);
    EXPECT_TRUE(g.HasEdge(0, 2));
    EXPECT_EQ(g.EdgeCount(), 5u);
}

TEST(FindCycleRun, ANodeOfDegreeOneIsAProofNotASearch)
{
    CCycle c(12);
    apptest::MakeKnightGraph(c, 3, 4);   // corner squares have degree 2, but one
    c.DelEdge(1, 7);                      // corner is cut down to degree 1
    const app::FindCycleResult r = app::FindCycle(hcp::Graph::FromBitGraph(c), {}, kSeed);
    EXPECT_EQ(r.verdict, hcp::Verdict::NoCycle);
    EXPECT_EQ(r.reason, "node 1 has degree 1");
    EXPECT_EQ(r.optimizeCalls, 0);
    EXPECT_TRUE(r.order.empty());
    EXPECT_EQ(app::FindCycleLogLine(r).rfind("Find cycle: no Hamiltonian cycle (node 1 has degree 1), ", 0), 0u);
}

TEST(FindCycleRun, AStopRequestedBeforehandEndsBeforeAnyOrder)
{
    // The caller keeps the order it has: nothing was searched.
    const hcp::Graph g = KnightGraph(7, 7);
    std::stop_source stop;
    stop.request_stop();
    const app::FindCycleResult r = app::FindCycle(g, stop.get_token(), kSeed);
    EXPECT_EQ(r.optimizeCalls, 0);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.order.empty());
    EXPECT_EQ(r.h, -1);
}

TEST(FindCycleLogLine, SaysHCallsTimeAndCancel)
{
    app::FindCycleResult r;
    r.h = 0;
    r.optimizeCalls = 1;
    r.seconds = 0.25;
    EXPECT_EQ(app::FindCycleLogLine(r), "Find cycle: H=0 after 1 Optimize call, 0.25 s");
    r.h = 2;
    r.optimizeCalls = 3;
    r.cancelled = true;
    EXPECT_EQ(app::FindCycleLogLine(r), "Find cycle: H=2 after 3 Optimize calls, 0.25 s, cancelled");
    // The reduction's note is whole, however many edges it counts.
    r.cancelled = false;
    r.edgesCut = 168510;
    EXPECT_EQ(app::FindCycleLogLine(r),
              "Find cycle: H=2 after 3 Optimize calls, 0.25 s; the degree-2 reduction cut 168510 edges that no "
              "Hamiltonian cycle can use (drawn dashed; the graph itself is unchanged)");
    r.edgesCut = 1;
    EXPECT_NE(app::FindCycleLogLine(r).find(" cut 1 edge that "), std::string::npos);
}

}  // namespace
