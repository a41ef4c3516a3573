// The solver interface: the legacy adapters give the drivers' own results,
// a solve leaves the graph alone, verdicts are checked, and stops work.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "core/cyclecheck.h"
#include "cycle/cycle.h"
#include "cycle/report.h"
#include "graph/seedclock.h"
#include "solve/solve_test_graphs.h"
#include "solve/solver.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::Verdict;

namespace {

// The order the legacy driver leaves for a fixed seed clock, 0-based.
std::vector<NodeId> LegacyOrder(const Graph& g, const char* method, std::uint32_t seed) {
    std::ostringstream sink;
    hcp::SetFixedSeedClock(seed);
    hcp::SetThreadReportStream(&sink);
    CCycle c(g.ToBitGraph());
    if (std::string(method) == "exist") c.IsCycleExist(sink);
    else c.FindMinCycle();
    hcp::SetThreadReportStream(nullptr);
    hcp::ClearFixedSeedClock();
    std::vector<NodeId> out;
    for (short v : c.m_path) out.push_back(static_cast<NodeId>(v - 1));
    return out;
}

}  // namespace

TEST(LegacyAdapters, GiveTheDriversOwnOrders) {
    for (const char* method : {"exist", "min"}) {
        for (std::uint32_t seed : {1u, 7u, 12345u}) {
            const Graph g = solvetest::Knight(8, 8);
            hcp::SolveOptions o;
            o.seed = seed;
            const hcp::SolveResult r = hcp::Solve(g, method, o);
            EXPECT_EQ(r.order, LegacyOrder(g, method, seed)) << method << " seed " << seed;
            EXPECT_EQ(r.method, method);
            EXPECT_EQ(r.seed, seed);
        }
    }
}

TEST(LegacyAdapters, FindCyclesAndDegreeProofs) {
    const Graph knight = solvetest::Knight(10, 10);
    const auto r = hcp::Solve(knight, "exist");
    ASSERT_EQ(r.verdict, Verdict::Hamiltonian);
    EXPECT_TRUE(hcp::CheckCycle(knight, r.order).hamiltonian);
    EXPECT_EQ(r.gaps, 0);

    const std::vector<hcp::Edge> path{{0, 1}, {1, 2}, {2, 3}};
    const auto p = hcp::Solve(Graph::FromEdges(4, path), "optimize");
    EXPECT_EQ(p.verdict, Verdict::NoCycle);
    EXPECT_EQ(p.reason, "node 1 has degree 1");

    const auto petersen = hcp::Solve(solvetest::Petersen(), "exist");
    EXPECT_EQ(petersen.verdict, Verdict::Unknown);
    EXPECT_EQ(petersen.gaps, 1);
}

TEST(Solver, LeavesTheGraphUnchanged) {
    // A graph with degree-2 nodes, which the drivers reduce in their copy.
    const Graph g = solvetest::Knight(6, 6);
    const Graph before = g;
    for (const char* m : {"exist", "min", "optimize"}) {
        hcp::Solve(g, m);
        EXPECT_EQ(g, before) << m;
    }
}

TEST(Solver, UnknownMethodNamesTheKnownOnes) {
    try {
        hcp::Solve(solvetest::Cycle(4), "magic");
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("exist, min, optimize"), std::string::npos) << e.what();
    }
}

TEST(Solver, StopTokenAndTimeBudgetEndTheSolve) {
    const Graph hard = solvetest::Knight(7, 7);   // 7 x 7: odd, so no closed tour
    std::stop_source stop;
    stop.request_stop();
    hcp::SolveOptions o;
    o.stop = stop.get_token();
    o.restarts = 1000000;
    auto r = hcp::Solve(hard, "optimize", o);
    EXPECT_NE(r.verdict, Verdict::Hamiltonian);

    hcp::SolveOptions timed;
    timed.restarts = 1000000;
    timed.timeLimit = 0.2;
    const auto start = std::chrono::steady_clock::now();
    r = hcp::Solve(hard, "min", timed);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(r.stopped);
    EXPECT_LT(took, 5.0);   // generous: only checks that the budget ends it at all
}

TEST(LegacyAdapters, MinStillReportsTheFewestGapsOfAProvedImpossibleGraph) {
    // A 4-cycle with a pendant fifth node: no cycle (node 5 has degree 1),
    // but an order with a single gap exists, and min finds it.
    const std::vector<hcp::Edge> edges{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 4}};
    const Graph g = Graph::FromEdges(5, edges);
    const auto m = hcp::Solve(g, "min");
    EXPECT_EQ(m.verdict, Verdict::NoCycle);
    EXPECT_EQ(m.reason, "node 5 has degree 1");
    EXPECT_EQ(m.gaps, 1);
    EXPECT_TRUE(hcp::CheckCycle(g, m.order).permutation);
    // exist and optimize stop at the proof.
    for (const char* method : {"exist", "optimize"}) {
        const auto r = hcp::Solve(g, method);
        EXPECT_EQ(r.verdict, Verdict::NoCycle) << method;
        EXPECT_TRUE(r.order.empty()) << method;
        EXPECT_EQ(r.stats.optimizeCalls, 0u) << method;
    }
}

TEST(Solver, ACycleThatSkipsAFixedEdgeIsNoAnswer) {
    // A 6-cycle with one chord fixed: every Hamiltonian cycle of the graph
    // is the ring itself, which does not use the chord.
    std::vector<hcp::Edge> edges;
    for (NodeId v = 0; v < 6; ++v) edges.emplace_back(v, (v + 1) % 6);
    edges.emplace_back(0, 3);
    Graph g = Graph::FromEdges(6, edges);
    const auto free = hcp::Solve(g, "exist");
    ASSERT_EQ(free.verdict, Verdict::Hamiltonian);
    g.SetFixedEdges({{0, 3}});
    const auto fixed = hcp::Solve(g, "exist");
    EXPECT_EQ(fixed.verdict, Verdict::Unknown);
    EXPECT_EQ(fixed.reason, "the cycle found does not use the fixed edge 1 4");
}

// The step limit bounds each restart of every legacy driver, and a limited
// restart still reports an order of the graph, never a cycle it is not.
TEST(LegacyAdapters, StepLimitEndsEachRestartWithAnOrder) {
    const Graph g = solvetest::Knight(20, 20);
    for (const char* method : {"exist", "min", "optimize"}) {
        hcp::SolveOptions o;
        o.stepLimit = 40;
        o.restarts = 3;
        const hcp::SolveResult r = hcp::Solve(g, method, o);
        EXPECT_EQ(r.stats.restarts, 3u) << method;
        EXPECT_LE(r.stats.loopSteps, 3u * 40u) << method;
        EXPECT_GT(r.stats.loopSteps, 0u) << method;
        EXPECT_EQ(r.verdict, Verdict::Unknown) << method << ": 40 steps cannot close 400 nodes";
        const hcp::CycleCheck c = hcp::CheckCycle(g, r.order);
        EXPECT_TRUE(c.permutation) << method;
        EXPECT_EQ(r.gaps, c.gaps) << method;
    }
}
