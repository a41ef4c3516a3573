// The large method through the solver interface: cycles on graphs beyond
// the legacy engine's 32,767 nodes, repeatable runs, prompt stops, and the
// only proof it gives (a node of degree below 2).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stop_token>
#include <thread>

#include "common/heldkarp.h"
#include "core/cyclecheck.h"
#include "large/graphfamilies.h"
#include "solve/solver.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::Verdict;

namespace {

hcp::SolveResult SolveLarge(const Graph& g, std::uint64_t seed = 1, double limit = 60.0)
{
    hcp::SolveOptions o;
    o.seed = seed;
    o.timeLimit = limit;
    return hcp::Solve(g, "large", o);
}

Graph Cycle(NodeId n)
{
    std::vector<hcp::Edge> e;
    for (NodeId v = 0; v < n; ++v) e.emplace_back(v, (v + 1) % n);
    return Graph::FromEdges(n, e);
}

}  // namespace

TEST(LargeMethod, FindsAKnightTourOnABoardBeyondTheLegacyLimit)
{
    const Graph g = hcp::KnightBoard(200, 200);
    ASSERT_GT(g.NodeCount(), 32767u);
    const hcp::SolveResult r = SolveLarge(g);
    ASSERT_EQ(r.verdict, Verdict::Hamiltonian) << r.gaps << " gaps";
    EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
    EXPECT_EQ(r.method, "large");
}

TEST(LargeMethod, FindsTheHiddenCycleOfALargeCubicGraph)
{
    const Graph g = hcp::HiddenCycleCubic(50000, 3);
    ASSERT_EQ(g.MinDegree(), 3u);
    ASSERT_EQ(g.MaxDegree(), 3u);
    const hcp::SolveResult r = SolveLarge(g);
    ASSERT_EQ(r.verdict, Verdict::Hamiltonian) << r.gaps << " gaps";
    EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
}

TEST(LargeMethod, FindsCyclesOnSmallKnownFamilies)
{
    std::vector<hcp::Edge> complete;
    for (NodeId u = 0; u < 7; ++u)
        for (NodeId v = u + 1; v < 7; ++v) complete.emplace_back(u, v);
    const std::vector<Graph> graphs = {Cycle(3), Cycle(4), Cycle(11), Graph::FromEdges(7, complete),
                                       hcp::KnightBoard(6, 6), hcp::KnightBoard(8, 8),
                                       hcp::KnightBoard(10, 3), hcp::HiddenCycleCubic(8, 1),
                                       hcp::HiddenCycleCubic(1000, 2)};
    for (std::size_t k = 0; k < graphs.size(); ++k) {
        const hcp::SolveResult r = SolveLarge(graphs[k], 1, 20.0);
        EXPECT_EQ(r.verdict, Verdict::Hamiltonian) << "graph " << k;
    }
}

TEST(LargeMethod, TheSameSeedGivesTheSameCycle)
{
    const Graph g = hcp::HiddenCycleCubic(40000, 9);
    const hcp::SolveResult a = SolveLarge(g, 17), b = SolveLarge(g, 17), c = SolveLarge(g, 18);
    ASSERT_EQ(a.verdict, Verdict::Hamiltonian);
    EXPECT_EQ(a.order, b.order);
    EXPECT_EQ(a.stats.loopSteps, b.stats.loopSteps);
    EXPECT_NE(a.order, c.order);
}

TEST(LargeMethod, ProvesNothingButALowDegree)
{
    const Graph path = Graph::FromEdges(3, std::vector<hcp::Edge>{{0, 1}, {1, 2}});
    hcp::SolveResult r = SolveLarge(path);
    EXPECT_EQ(r.verdict, Verdict::NoCycle);
    EXPECT_EQ(r.reason, "node 1 has degree 1");
    r = SolveLarge(Graph::FromEdges(2, std::vector<hcp::Edge>{{0, 1}}));
    EXPECT_EQ(r.verdict, Verdict::NoCycle);
    // A 5 x 5 board has squares of one colour more than the other, so no
    // closed tour; the search must give up on the budget, never claim a proof.
    r = SolveLarge(hcp::KnightBoard(5, 5), 1, 0.3);
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_GE(r.gaps, 1);
    EXPECT_TRUE(hcp::CheckCycle(hcp::KnightBoard(5, 5), r.order).permutation);
}

TEST(LargeMethod, GivesUpOnItsOwnWhereNoCycleExists)
{
    // No budget and no stop request: the search must still end, with its
    // best order, and say it gave up rather than claim a proof.
    std::vector<hcp::Edge> petersen;
    for (NodeId i = 0; i < 5; ++i) {
        petersen.emplace_back(i, (i + 1) % 5);
        petersen.emplace_back(i, i + 5);
        petersen.emplace_back(5 + i, 5 + (i + 2) % 5);
    }
    for (const Graph& g : {Graph::FromEdges(10, petersen), hcp::KnightBoard(5, 5)}) {
        const hcp::SolveResult r = hcp::Solve(g, "large", {});
        EXPECT_EQ(r.verdict, Verdict::Unknown);
        EXPECT_FALSE(r.stopped);
        EXPECT_GE(r.gaps, 1);
        EXPECT_NE(r.reason.find("gave up"), std::string::npos) << r.reason;
        EXPECT_LT(r.seconds, 60.0);
    }
}

TEST(LargeMethod, AStopRequestEndsTheSearchPromptly)
{
    // An odd board has no closed tour, so only the stop ends this search.
    const Graph g = hcp::KnightBoard(301, 301);
    std::stop_source source;
    hcp::SolveOptions o;
    o.stop = source.get_token();
    int reports = 0;
    int lastGaps = -1;
    o.progress = [&](const hcp::Progress& p) {
        ++reports;
        lastGaps = p.gaps;
    };
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        source.request_stop();
    });
    const auto t0 = std::chrono::steady_clock::now();
    const hcp::SolveResult r = hcp::Solve(g, "large", o);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(seconds, 10.0);
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(r.order.size(), g.NodeCount());
    EXPECT_GE(r.gaps, 1);
    EXPECT_GE(reports, 1);
    EXPECT_GE(lastGaps, r.gaps);
}

namespace {

bool HasCycleExhaustive(const Graph& g) { return testgraphs::HamiltonianByDp(g); }

}  // namespace

TEST(LargeMethod, FindsEveryCycleAnExhaustiveSearchFindsOnSmallRandomGraphs)
{
    hcp::Random64 rng(77);
    int hamiltonian = 0;
    for (int k = 0; k < 300; ++k) {
        const NodeId n = 5 + rng.Below(6);
        std::vector<hcp::Edge> e;
        for (NodeId u = 0; u < n; ++u)
            for (NodeId v = u + 1; v < n; ++v)
                if (rng.Below(100) < 45) e.emplace_back(u, v);
        const Graph g = Graph::FromEdges(n, e);
        if (g.MinDegree() < 2) continue;
        const bool truth = HasCycleExhaustive(g);
        const hcp::SolveResult r = SolveLarge(g, k, truth ? 5.0 : 0.05);
        ASSERT_NE(r.verdict, Verdict::NoCycle) << "graph " << k;
        EXPECT_EQ(r.verdict == Verdict::Hamiltonian, truth) << "graph " << k << " with " << n << " nodes";
        hamiltonian += truth;
    }
    EXPECT_GT(hamiltonian, 50);
}
