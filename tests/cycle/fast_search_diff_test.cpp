// The fast search against the list-based one, step for step: for random
// graphs of several sizes and densities, knight graphs, small hand-made
// graphs and many start orders, both must leave the same order (read from
// the front), return the same H, count the same Optimize calls and
// main-loop steps, and write the same reports. The drivers IsCycleExist
// and FindMinCycle must answer the same with either engine.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/fastsearch.h"
#include "cycle/report.h"
#include "cycle/searchimpl.h"
#include "cycle_test_util.h"
#include "graph/seedclock.h"
#include "search_test_graphs.h"

namespace {

using Mode = hcp::FastSearch::Mode;

// What one engine did with one graph and start order.
struct Run {
    std::vector<std::vector<short>> orders;  // after each Optimize call
    std::vector<int> results;
    std::string reports;                     // times of day blanked out
    std::string startLines;
    hcp::SearchStats stats;
};

std::string WithoutTimes(const std::string& s)
{
    static const std::regex time("[0-9][0-9]:[0-9][0-9]:[0-9][0-9]");
    return std::regex_replace(s, time, "hh:mm:ss");
}

// Up to `calls` Optimize calls while H > 0, as the desktop program makes
// them, with progress reports (level 1) captured.
Run Search(CCycle c, const std::vector<short>& start, int calls, bool fast, Mode mode)
{
    Run run;
    cycletest::SetOrder(c, start);
    std::ostringstream reports, startLines;
    hcp::SetThreadReportStream(&reports);
    hcp::SearchControl ctl;
    ctl.stats = &run.stats;
    for (int call = 0; call < calls; ++call) {
        const int h = fast ? hcp::OptimizeFast(c, 1, startLines, ctl, mode)
                           : hcp::OptimizeListBased(c, 1, startLines, ctl);
        run.results.push_back(h);
        run.orders.push_back(cycletest::Order(c));
        if (h == 0) break;
    }
    hcp::SetThreadReportStream(nullptr);
    run.reports = WithoutTimes(reports.str());
    run.startLines = WithoutTimes(startLines.str());
    return run;
}

void ExpectSameRuns(const Run& list, const Run& fast, const std::string& what)
{
    ASSERT_EQ(fast.results, list.results) << what;
    ASSERT_EQ(fast.orders, list.orders) << what;
    EXPECT_EQ(fast.stats.optimizeCalls, list.stats.optimizeCalls) << what;
    EXPECT_EQ(fast.stats.loopSteps, list.stats.loopSteps) << what;
    EXPECT_EQ(fast.reports, list.reports) << what;
    EXPECT_EQ(fast.startLines, list.startLines) << what;
}

// Compares every fast mode with the list-based search on `starts` random
// start orders of c (the identity first).
void CheckSearch(const CCycle& c, unsigned seed, int starts, const std::string& name)
{
    const int n = c.m_nDim;
    std::mt19937 gen(seed);
    std::vector<short> start = cycletest::Identity(n);
    for (int k = 0; k < starts; ++k) {
        const Run list = Search(c, start, 5, false, Mode::Auto);
        for (Mode mode : {Mode::Auto, Mode::Scan, Mode::Neighbours}) {
            const std::string what = name + " seed " + std::to_string(seed) + " start "
                + std::to_string(k) + " mode " + std::to_string(static_cast<int>(mode));
            ExpectSameRuns(list, Search(c, start, 5, true, mode), what);
        }
        std::shuffle(start.begin(), start.end(), gen);
    }
}

TEST(FastSearchDiff, RandomGraphsOfSeveralSizesAndDensities)
{
    // Very sparse graphs of more nodes make the list-based search take
    // millions of zero-gain steps; they stay small here.
    unsigned seed = 11;
    for (short n : {4, 5, 7, 12, 25, 36, 50, 90})
        for (double degree : {1.5, 3.0, 5.0, 9.0})
            for (int round = 0; round < 2; ++round, ++seed)
                if (degree > 2 || n < 40)
                    CheckSearch(searchtest::Random(n, std::min(1.0, degree / (n - 1)), seed), seed, 2,
                                "random n " + std::to_string(n) + " degree " + std::to_string(degree));
}

TEST(FastSearchDiff, SparseGraphsWithMinimumDegreeTwo)
{
    for (unsigned seed = 1; seed <= 8; ++seed)
        CheckSearch(searchtest::RandomMinDegreeTwo(static_cast<short>(20 + 10 * seed), 20, seed),
                    seed, 2, "min degree two");
}

TEST(FastSearchDiff, KnightGraphs)
{
    CheckSearch(searchtest::Knight(4, 4), 1, 4, "knight 4x4");
    CheckSearch(searchtest::Knight(5, 5), 2, 4, "knight 5x5");
    CheckSearch(searchtest::Knight(6, 6), 3, 4, "knight 6x6");
    CheckSearch(searchtest::Knight(3, 10), 4, 4, "knight 3x10");
    CheckSearch(searchtest::Knight(8, 8), 5, 3, "knight 8x8");
    CheckSearch(searchtest::Knight(10, 12), 6, 2, "knight 10x12");
}

TEST(FastSearchDiff, SmallHandMadeGraphs)
{
    CheckSearch(searchtest::Petersen(), 1, 8, "Petersen");
    CheckSearch(cycletest::WithEdges(6, {{2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}, {3, 5}, {1, 4}, {2, 4}}),
                2, 6, "one gap");
    CCycle empty(8);
    empty = true;
    CheckSearch(empty, 3, 3, "no edges");
    CheckSearch(CCycle(9), 4, 3, "complete");
    // A star and a path: nodes of degree 0 and 1 raise the gap bound.
    CheckSearch(cycletest::WithEdges(7, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {5, 6}}), 5, 6, "star");
}

// A graph that is Hamiltonian by construction, large enough that the fast
// search lists gap nodes rather than scanning.
TEST(FastSearchDiff, HiddenCycleInASparseGraph)
{
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const short n = static_cast<short>(150 + 50 * seed);
        CCycle c = searchtest::Random(n, 1.5 / n, seed);
        std::mt19937 gen(seed);
        std::vector<short> cycle = cycletest::Identity(n);
        std::shuffle(cycle.begin(), cycle.end(), gen);
        for (int i = 0; i < n; ++i) c.SetEdge(cycle[i], cycle[(i + 1) % n]);
        CheckSearch(c, seed, 2, "hidden cycle n " + std::to_string(n));
    }
}

// IsCycleExist and FindMinCycle with the fixed seeding clock, once on the
// list-based search and once on the default one.
TEST(FastSearchDiff, DriversAnswerTheSameWithEitherEngine)
{
    std::vector<CCycle> graphs;
    graphs.push_back(searchtest::Knight(6, 6));
    graphs.push_back(searchtest::Knight(3, 4));
    graphs.push_back(searchtest::Petersen());
    for (unsigned seed = 1; seed <= 4; ++seed)
        graphs.push_back(searchtest::RandomMinDegreeTwo(static_cast<short>(16 + 8 * seed), 16, seed));
    graphs.push_back(searchtest::Random(30, 0.1, 9));
    for (std::size_t g = 0; g < graphs.size(); ++g) {
        const std::uint32_t clock = g % 2 ? 1u : 77u;
        const std::string what = "graph " + std::to_string(g) + " clock " + std::to_string(clock);
        hcp::SearchStats listStats, fastStats;
        hcp::SearchControl listCtl, fastCtl;
        listCtl.listBased = true;
        listCtl.stats = &listStats;
        fastCtl.stats = &fastStats;
        std::ostringstream sink;
        hcp::SetThreadReportStream(&sink);
        hcp::SetFixedSeedClock(clock);

        CCycle l1 = graphs[g], f1 = graphs[g];
        EXPECT_EQ(f1.IsCycleExist(sink, fastCtl), l1.IsCycleExist(sink, listCtl)) << what;
        EXPECT_EQ(cycletest::Order(f1), cycletest::Order(l1)) << what;

        CCycle l2 = graphs[g], f2 = graphs[g];
        EXPECT_EQ(f2.FindMinCycle(fastCtl), l2.FindMinCycle(listCtl)) << what;
        EXPECT_EQ(cycletest::Order(f2), cycletest::Order(l2)) << what;

        EXPECT_EQ(fastStats.optimizeCalls, listStats.optimizeCalls) << what;
        EXPECT_EQ(fastStats.loopSteps, listStats.loopSteps) << what;
        hcp::ClearFixedSeedClock();
        hcp::SetThreadReportStream(nullptr);
    }
}

}  // namespace
