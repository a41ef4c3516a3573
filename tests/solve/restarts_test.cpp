// Restarts and races: the answer of restarts on many threads is that of
// one thread taking them in order, budgets cut at the same restart, and a
// failure on any thread reaches the caller.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "core/cyclecheck.h"
#include "core/race.h"
#include "solve/restarts.h"
#include "solve/solve_test_graphs.h"
#include "solve/solver.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::SolveOptions;
using hcp::SolveResult;
using hcp::Verdict;

namespace {

// A stand-in for a randomised search on the ring of 12 nodes: restart k
// (seed k when the first seed is 0) finds the ring when k is in `winners`,
// otherwise an order with k % 4 + 1 gaps. Early restarts take longest, so
// on several threads they finish last.
class ScriptedSearch final : public hcp::Method {
public:
    explicit ScriptedSearch(std::vector<std::uint64_t> winners, std::uint64_t throwAt = ~0ull)
        : m_winners(std::move(winners)), m_throwAt(throwAt) {}
    std::string_view Name() const override { return "scripted"; }
    std::string_view Summary() const override { return "test"; }
    bool Complete() const override { return false; }
    bool Restartable() const override { return true; }
    SolveResult Run(const Graph& g, const SolveOptions& o) const override
    {
        const std::uint64_t k = o.seed;
        std::this_thread::sleep_for(std::chrono::milliseconds(k < 4 ? 8 - 2 * k : 0));
        if (k == m_throwAt) throw std::runtime_error("restart " + std::to_string(k) + " broke");
        SolveResult r;
        r.stats.optimizeCalls = k + 1;
        r.stats.restarts = 1;
        const NodeId n = g.NodeCount();
        for (NodeId v = 0; v < n; ++v) r.order.push_back(v);
        if (std::find(m_winners.begin(), m_winners.end(), k) != m_winners.end()) {
            r.verdict = Verdict::Hamiltonian;
            return r;
        }
        // Swapping nodes at distance 2 opens gaps; k % 4 + 1 swaps.
        for (std::uint64_t s = 0; s <= k % 4; ++s) std::swap(r.order[1 + 3 * s], r.order[2 + 3 * s]);
        return r;
    }

private:
    std::vector<std::uint64_t> m_winners;
    std::uint64_t m_throwAt;
};

SolveResult Restarts(const hcp::Method& m, std::uint64_t restarts, int threads,
                     std::function<bool(const hcp::SolveStats&)> enough = {})
{
    const Graph ring = solvetest::Cycle(12);
    SolveOptions o;
    o.seed = 0;
    hcp::RestartPlan plan;
    plan.restarts = restarts;
    plan.threads = threads;
    plan.enough = std::move(enough);
    return hcp::RunRestarts(ring, m, o, plan);
}

}  // namespace

TEST(Restarts, TheLowestDecidingRestartWinsOnAnyNumberOfThreads)
{
    const ScriptedSearch search({5, 3, 9});
    for (int threads : {1, 2, 4, 8}) {
        const SolveResult r = Restarts(search, 20, threads);
        EXPECT_EQ(r.verdict, Verdict::Hamiltonian) << threads;
        EXPECT_EQ(r.restart, 3) << threads;
        EXPECT_EQ(r.seed, 3u) << threads;
        // Restarts 0..3 count, whatever ran beyond them: 1 + 2 + 3 + 4 calls.
        EXPECT_EQ(r.stats.optimizeCalls, 10u) << threads;
        EXPECT_EQ(r.stats.restarts, 4u) << threads;
    }
}

TEST(Restarts, WithoutADecisionTheFewestGapsThenTheLowestRestartAreReported)
{
    const ScriptedSearch search({});
    for (int threads : {1, 3}) {
        const SolveResult r = Restarts(search, 7, threads);
        EXPECT_EQ(r.verdict, Verdict::Unknown);
        // Restarts 0 and 4 both leave the fewest gaps; 0 is reported.
        EXPECT_EQ(r.restart, 0) << threads;
        EXPECT_EQ(r.gaps, hcp::CheckCycle(solvetest::Cycle(12), r.order).gaps);
        EXPECT_EQ(r.stats.restarts, 7u);
    }
}

TEST(Restarts, AWorkBudgetCutsAtTheSameRestartOnAnyNumberOfThreads)
{
    const ScriptedSearch search({});
    // Calls add up 1, 3, 6, 10, 15: a budget of 10 ends the run at restart 3.
    auto enough = [](const hcp::SolveStats& s) { return s.optimizeCalls >= 10; };
    for (int threads : {1, 2, 4}) {
        const SolveResult r = Restarts(search, 0, threads, enough);
        EXPECT_EQ(r.stats.optimizeCalls, 10u) << threads;
        EXPECT_EQ(r.stats.restarts, 4u) << threads;
    }
}

TEST(Restarts, AFailureBeforeTheDecisionReachesTheCallerAndOneAfterItDoesNot)
{
    const ScriptedSearch early({6}, 2);
    for (int threads : {1, 4}) EXPECT_THROW(Restarts(early, 10, threads), std::runtime_error) << threads;
    const ScriptedSearch late({1}, 6);
    for (int threads : {1, 4}) EXPECT_EQ(Restarts(late, 10, threads).restart, 1) << threads;
}

TEST(Restarts, SolveRunsTheLegacyRestartsTheSameOnOneThreadAndOnFour)
{
    // No cycle to find: every restart runs, and the best order must be the
    // same one however the restarts were spread over threads.
    const Graph g = solvetest::Petersen();
    SolveOptions one;
    one.restarts = 6;
    one.seed = 11;
    SolveOptions four = one;
    four.threads = 4;
    for (const char* m : {"exist", "min", "optimize"}) {
        const SolveResult a = hcp::Solve(g, m, one), b = hcp::Solve(g, m, four);
        EXPECT_EQ(a.verdict, b.verdict) << m;
        EXPECT_EQ(a.order, b.order) << m;
        EXPECT_EQ(a.restart, b.restart) << m;
        EXPECT_EQ(a.stats.optimizeCalls, b.stats.optimizeCalls) << m;
    }
}

namespace {

// A race side that waits for its stop token, up to a few seconds.
SolveResult WaitForStop(const SolveOptions& o)
{
    for (int i = 0; i < 500 && !o.stop.stop_requested(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    SolveResult r;
    r.stopped = o.stop.stop_requested();
    return r;
}

SolveResult Answer(Verdict v, const char* method)
{
    SolveResult r;
    r.verdict = v;
    r.method = method;
    return r;
}

}  // namespace

TEST(Race, AnExceptionOnEitherSideReachesTheCallerAndStopsTheOther)
{
    auto boom = [](const SolveOptions&) -> SolveResult { throw std::runtime_error("side failed"); };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(hcp::Race({boom}, {WaitForStop}, SolveOptions{}), std::runtime_error);
    EXPECT_THROW(hcp::Race({WaitForStop}, {boom}, SolveOptions{}), std::runtime_error);
    // The waiting side was stopped, not left to run out its five seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(Race, TheFirstAnswerStopsTheOtherSideAndACompleteAnswerIsPreferred)
{
    hcp::RaceOutcome o = hcp::Race({[](const SolveOptions&) { return Answer(Verdict::NoCycle, "proof"); }},
                                   {WaitForStop}, SolveOptions{});
    EXPECT_TRUE(o.second.stopped);
    EXPECT_EQ(o.winner, 0);
    EXPECT_EQ(o.Take().method, "proof");

    o = hcp::Race({WaitForStop}, {[](const SolveOptions&) { return Answer(Verdict::NoCycle, "proof"); }},
                  SolveOptions{});
    EXPECT_EQ(o.winner, 1);

    auto local = [](const SolveOptions&) { return Answer(Verdict::Hamiltonian, "local"); };
    auto exact = [](const SolveOptions&) { return Answer(Verdict::Hamiltonian, "exact"); };
    o = hcp::Race({local, false}, {exact, true}, SolveOptions{});
    EXPECT_EQ(o.Take().method, "exact");
    o = hcp::Race({exact, true}, {exact, true}, SolveOptions{});
    EXPECT_EQ(o.winner, 0);
}

TEST(Race, TheCallersStopReachesBothSides)
{
    std::stop_source caller;
    SolveOptions o;
    o.stop = caller.get_token();
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        caller.request_stop();
    });
    const hcp::RaceOutcome r = hcp::Race({WaitForStop}, {WaitForStop}, o);
    EXPECT_TRUE(r.first.stopped);
    EXPECT_TRUE(r.second.stopped);
}
