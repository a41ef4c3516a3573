// The complete method on two threads, one SAT model each: the verdict is
// the one-thread verdict, every cycle is checked, and a stop or time budget
// ends both threads.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "core/cyclecheck.h"
#include "common/graphfamilies.h"
#include "common/heldkarp.h"
#include "solve/solver.h"

using namespace testgraphs;
using hcp::Verdict;

namespace {

hcp::SolveResult Exact(const Graph& g, int threads)
{
    hcp::SolveOptions o;
    o.threads = threads;
    return hcp::Solve(g, "exact", o);
}

void ExpectSameVerdict(const Graph& g, const std::string& name)
{
    const hcp::SolveResult one = Exact(g, 1);
    const hcp::SolveResult two = Exact(g, 2);
    ASSERT_NE(one.verdict, Verdict::Unknown) << name;
    EXPECT_EQ(two.verdict, one.verdict) << name;
    EXPECT_EQ(two.method, "exact") << name;
    if (two.verdict == Verdict::Hamiltonian) {
        EXPECT_TRUE(hcp::CheckCycle(g, two.order).hamiltonian) << name;
    } else {
        EXPECT_FALSE(two.reason.empty()) << name;
    }
}

}  // namespace

// Past the depth-first search's size, GP(n, 2) has no cycle exactly when
// n = 5 (mod 6): both answers of the race come up.
TEST(ModelRace, GeneralizedPetersenGraphsAgreeWithOneThread)
{
    for (NodeId n = 33; n <= 47; ++n) {
        const Graph g = GeneralizedPetersen(n, 2);
        ExpectSameVerdict(g, "GP(" + std::to_string(n) + ",2)");
        EXPECT_EQ(Exact(g, 2).verdict, n % 6 == 5 ? Verdict::NoCycle : Verdict::Hamiltonian) << n;
    }
}

// Random cubic graphs have no short cycles for the 2-opt splice to use:
// the cuts decide, in both models.
TEST(ModelRace, RandomCubicGraphsAgreeWithOneThread)
{
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const NodeId n = static_cast<NodeId>(66 + 12 * seed);
        ExpectSameVerdict(RandomCubic(n, seed), "random cubic " + std::to_string(n) + " seed " + std::to_string(seed));
    }
}

TEST(ModelRace, TimeBudgetEndsBothThreads)
{
    hcp::SolveOptions o;
    o.threads = 2;
    o.timeLimit = 0.2;
    std::ostringstream log;
    o.log = &log;
    const auto t0 = std::chrono::steady_clock::now();
    const hcp::SolveResult r = hcp::Solve(GeneralizedPetersen(311, 2), "exact", o);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(took, 30.0) << "returns at all";
    if (r.verdict == Verdict::Unknown) {
        EXPECT_TRUE(r.stopped);
    } else {
        EXPECT_EQ(r.verdict, Verdict::NoCycle);   // GP(311, 2): 311 = 5 (mod 6)
    }
}
