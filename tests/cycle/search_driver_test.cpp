// The search drivers: gap bound, reports per level, finish conditions,
// stop requests and counters, the answers for tiny graphs and for orders
// that are not permutations, and the outer drivers' attempt rules.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <sstream>
#include <stop_token>
#include <string>
#include <thread>

#include "cycle/cycle.h"
#include "cycle/report.h"
#include "cycle/searchimpl.h"
#include "graph/seedclock.h"
#include "search_test_graphs.h"

using searchtest::Order;

namespace {

// Catches the progress reports of this thread for the test's lifetime.
class ReportCapture {
public:
    ReportCapture() { hcp::SetThreadReportStream(&m_text); }
    ~ReportCapture() { hcp::SetThreadReportStream(nullptr); }
    std::string Text() const { return m_text.str(); }
    int Reports() const {
        int n = 0;
        const std::string t = m_text.str();
        for (std::size_t p = t.find("H="); p != std::string::npos; p = t.find("H=", p + 1)) ++n;
        return n;
    }

private:
    std::ostringstream m_text;
};

// Fixes the seeding clock of this thread for the test's lifetime.
class FixedClock {
public:
    explicit FixedClock(std::uint32_t value) { hcp::SetFixedSeedClock(value); }
    ~FixedClock() { hcp::ClearFixedSeedClock(); }
};

// A 5-cycle with o pendant nodes hung on node 1 and z isolated nodes.
CBitGraph WithLowDegrees(int z, int o) {
    const short n = static_cast<short>(5 + o + z);
    CBitGraph g(n);
    g = true;
    for (short i = 1; i <= 5; ++i) g.SetEdge(i, static_cast<short>(i % 5 + 1));
    for (short k = 0; k < o; ++k) g.SetEdge(1, static_cast<short>(6 + k));
    return g;
}

// The CloseGapForward worked example: one improving move reaches H = 0.
CCycle OneMoveFromCycle() {
    CCycle c(6);
    c = true;
    for (auto [u, v] : {std::pair<short, short>{2, 3}, {3, 4}, {5, 6}, {6, 1}, {2, 5}, {1, 4}})
        c.SetEdge(u, v);
    return c;
}

// Each driver test runs once with the list-based engine and once with the
// default one: both must behave alike.
class Optimize : public ::testing::TestWithParam<bool> {
protected:
    hcp::SearchControl Ctl(hcp::SearchStats* stats = nullptr, std::stop_token stop = {}) const {
        return searchtest::Engine(GetParam(), stats, stop);
    }
};
class IsCycleExist : public Optimize {};
class FindMinCycle : public Optimize {};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Engines, Optimize, ::testing::Bool(), searchtest::EngineName());
INSTANTIATE_TEST_SUITE_P(Engines, IsCycleExist, ::testing::Bool(), searchtest::EngineName());
INSTANTIATE_TEST_SUITE_P(Engines, FindMinCycle, ::testing::Bool(), searchtest::EngineName());

TEST(GapBound, follows_the_degree_table) {
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(0, 0)), 0);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(0, 1)), 1);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(0, 3)), 2);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(0, 4)), 2);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(1, 0)), 2);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(2, 2)), 3);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(1, 3)), 3);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(1, 4)), 3);
    EXPECT_EQ(hcp::GapBound(WithLowDegrees(3, 7)), 7);
}

TEST(GapBound, ignores_a_stale_degree_cache) {
    CBitGraph g = WithLowDegrees(0, 0);
    g.CalcDeg();
    g.DelEdge(1, 2);  // nodes 1 and 2 now have degree 1
    EXPECT_EQ(hcp::GapBound(g), 1);
}

TEST(StartLine, has_the_fixed_date_form) {
    std::ostringstream os;
    hcp::WriteStartLine(os);
    EXPECT_TRUE(std::regex_match(
        os.str(), std::regex("Start time: \t\t(Sun|Mon|Tue|Wed|Thu|Fri|Sat) "
                             "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                             "[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n")))
        << os.str();
}

TEST_P(Optimize, hamiltonian_order_gives_one_report_at_the_finish) {
    CCycle c(6);
    ReportCapture reports;
    std::ostringstream os;
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats);
    EXPECT_EQ(c.Optimize(1, os, ctl), 0);
    EXPECT_EQ(reports.Reports(), 1);
    EXPECT_EQ(reports.Text().rfind("\nH=0\t", 0), 0u) << reports.Text();
    EXPECT_EQ(os.str().rfind("Start time: ", 0), 0u);
    EXPECT_EQ(Order(c), searchtest::Order(CCycle(6)));
    EXPECT_EQ(stats.optimizeCalls, 1u);
}

TEST_P(Optimize, improvement_reaching_the_bound_reports_twice) {
    CCycle c = OneMoveFromCycle();
    ReportCapture reports;
    std::ostringstream os;
    EXPECT_EQ(c.Optimize(1, os, Ctl()), 0);
    EXPECT_EQ(reports.Reports(), 2);
    // Both the improvement and the finish report H = 0.
    const std::string text = reports.Text();
    EXPECT_NE(text.find("H=0"), text.rfind("H=0")) << text;
    EXPECT_EQ(text.find("H=1"), std::string::npos);
    EXPECT_EQ(text.find("H=2"), std::string::npos);
}

TEST_P(Optimize, level_two_writes_start_line_only_and_level_zero_nothing) {
    for (int level : {0, 2}) {
        CCycle c = OneMoveFromCycle();
        ReportCapture reports;
        std::ostringstream os;
        EXPECT_EQ(c.Optimize(level, os, Ctl()), 0);
        EXPECT_EQ(reports.Text(), "");
        EXPECT_EQ(os.str().empty(), level == 0);
    }
}

TEST_P(Optimize, leaves_search_memory_empty) {
    CCycle c = searchtest::Random(20, 0.15, 7);
    c.Init(false);
    std::ostringstream os;
    c.Optimize(0, os, Ctl());
    EXPECT_TRUE(c.m_usedMoves.empty());
    EXPECT_TRUE(c.m_usedMoves2.empty());
    EXPECT_EQ(c.m_triedGaps.m_Bits.Count(), c.PairCount());
}

TEST_P(Optimize, graphs_below_two_nodes_get_a_defined_answer) {
    std::ostringstream os;
    CCycle empty;
    EXPECT_EQ(empty.Optimize(1, os, Ctl()), 0);
    CCycle one(1);
    EXPECT_EQ(one.Optimize(0, os, Ctl()), 1);
    EXPECT_EQ(Order(one), (std::vector<short>{1}));
    EXPECT_FALSE(one.IsCycleExist(os, Ctl()));
    EXPECT_EQ(one.FindMinCycle(Ctl()), 1);
    EXPECT_EQ(Order(one), (std::vector<short>{1}));
    EXPECT_EQ(empty.FindMinCycle(Ctl()), 1) << "no nodes, no cycle: 0 gaps would claim one";
    EXPECT_FALSE(empty.IsCycleExist(os, Ctl()));
}

// Two joined nodes have one edge, and a cycle through both would need two.
TEST_P(FindMinCycle, never_reports_a_cycle_on_two_nodes) {
    CCycle joined(2);
    EXPECT_EQ(joined.FindMinCycle(Ctl()), 1);
    EXPECT_EQ(joined.m_path.size(), 2u);
    CCycle apart(2);
    apart = true;
    EXPECT_EQ(apart.FindMinCycle(Ctl()), 2);
}

TEST_P(Optimize, two_nodes_finish_at_once) {
    std::ostringstream os;
    CCycle joined(2);
    EXPECT_EQ(joined.Optimize(0, os, Ctl()), 0);  // H = 0 lies below the bound 1
    CCycle apart(2);
    apart = true;
    EXPECT_EQ(apart.Optimize(0, os, Ctl()), 2);
    EXPECT_EQ(Order(apart), (std::vector<short>{1, 2}));
}

// Orders that are not permutations hold links that cannot be marked; the
// search must end all the same and report the gaps it leaves.
TEST_P(Optimize, ends_on_orders_that_are_not_permutations) {
    const std::vector<std::vector<short>> orders = {
        {1, 2, 1, 3, 4, 5, 6, 7},  // 1 twice, 8 missing
        {1, 1, 2, 3, 4, 5, 6, 7},  // a link from 1 to itself
        {0, 2, 3, 9, 5, 6, 7, 8},  // numbers outside 1..8
        {4},                       // one node of eight
        {},                        // no node at all
    };
    for (unsigned seed : {1u, 2u, 3u}) {
        for (const auto& order : orders) {
            for (double p : {0.0, 0.25}) {
                CCycle c = searchtest::Random(8, p, seed);
                searchtest::SetOrder(c, order);
                std::stop_source watchdogStop;
                std::jthread watchdog([&](std::stop_token done) {
                    for (int k = 0; k < 500 && !done.stop_requested(); ++k)
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    if (!done.stop_requested()) watchdogStop.request_stop();
                });
                const hcp::SearchControl ctl = Ctl(nullptr, watchdogStop.get_token());
                std::ostringstream os;
                const int h = c.Optimize(0, os, ctl);
                watchdog.request_stop();
                watchdog.join();
                EXPECT_FALSE(watchdogStop.stop_requested()) << "search did not end";
                EXPECT_EQ(h, c.CalcPathLen());
                EXPECT_EQ(c.m_path.size(), order.size());
            }
        }
    }
}

TEST_P(Optimize, second_call_can_improve_on_the_first) {
    // The first call ends with every gap tried; the second starts with empty
    // marks and move sets and gets further on this graph.
    CCycle c = searchtest::Random(20, 0.15, 8);
    c.Init(false);
    std::ostringstream os;
    const int first = c.Optimize(0, os, Ctl());
    EXPECT_LT(c.Optimize(0, os, Ctl()), first);
}

TEST_P(Optimize, stop_request_before_the_first_step) {
    CCycle c = OneMoveFromCycle();
    std::stop_source stop;
    stop.request_stop();
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats, stop.get_token());
    ReportCapture reports;
    std::ostringstream os;
    EXPECT_EQ(c.Optimize(1, os, ctl), 2);
    EXPECT_EQ(Order(c), searchtest::Order(CCycle(6)));
    EXPECT_EQ(stats.optimizeCalls, 1u);
    EXPECT_EQ(stats.loopSteps, 0u);
    EXPECT_EQ(reports.Reports(), 1);  // the finish report
    EXPECT_TRUE(c.m_usedMoves.empty());
}

TEST_P(Optimize, stop_request_from_another_thread_ends_a_long_search) {
    // Isolated nodes make the zero-gain moves grind for a long time.
    CCycle c = searchtest::Random(400, 0.004, 11);
    c.Init(false);
    std::stop_source stop;
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats, stop.get_token());
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop.request_stop();
    });
    std::ostringstream os;
    const int h = c.Optimize(0, os, ctl);
    stopper.join();
    EXPECT_EQ(h, c.CalcPathLen());
    EXPECT_TRUE(c.IsPermutation(c.m_path));
    EXPECT_GT(stats.loopSteps, 0u);
}

TEST_P(Optimize, counts_one_step_per_gap_count) {
    CCycle c = OneMoveFromCycle();
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats);
    std::ostringstream os;
    EXPECT_EQ(c.Optimize(0, os, ctl), 0);
    EXPECT_EQ(stats.optimizeCalls, 1u);
    EXPECT_EQ(stats.loopSteps, 1u);  // one step, one move, bound reached
}

TEST_P(IsCycleExist, low_degree_answers_false_without_searching) {
    CCycle c = searchtest::Petersen();
    c.DelEdge(1, 2);
    c.DelEdge(1, 5);  // node 1 keeps only its spoke
    searchtest::SetOrder(c, {3, 1, 2, 4, 5, 6, 7, 8, 9, 10});
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats);
    std::ostringstream os;
    EXPECT_FALSE(c.IsCycleExist(os, ctl));
    EXPECT_EQ(Order(c), (std::vector<short>{3, 1, 2, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(stats.optimizeCalls, 0u);
}

TEST_P(IsCycleExist, gives_up_when_a_call_ends_with_three_gaps) {
    // Three separate triangles: every order has at least three gaps.
    CCycle c(9);
    c = true;
    for (short t = 0; t < 3; ++t) {
        const short base = static_cast<short>(3 * t + 1);
        c.SetEdge(base, static_cast<short>(base + 1));
        c.SetEdge(static_cast<short>(base + 1), static_cast<short>(base + 2));
        c.SetEdge(base, static_cast<short>(base + 2));
    }
    FixedClock clock(5);
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats);
    std::ostringstream os;
    EXPECT_FALSE(c.IsCycleExist(os, ctl));
    EXPECT_EQ(stats.optimizeCalls, 1u);
    EXPECT_EQ(os.str(), "");
}

TEST_P(IsCycleExist, one_gap_short_makes_two_attempts_of_eight_calls) {
    // The Petersen graph has Hamiltonian paths but no cycle: each call ends
    // with one gap.
    CCycle c = searchtest::Petersen();
    FixedClock clock(5);
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats);
    std::ostringstream os;
    EXPECT_FALSE(c.IsCycleExist(os, ctl));
    EXPECT_EQ(stats.optimizeCalls, 16u);
    EXPECT_EQ(c.CalcPathLen(), 1);
}

TEST_P(IsCycleExist, stop_request_makes_no_calls) {
    CCycle c = searchtest::Knight(6, 6);
    std::stop_source stop;
    stop.request_stop();
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats, stop.get_token());
    std::ostringstream os;
    EXPECT_FALSE(c.IsCycleExist(os, ctl));
    EXPECT_EQ(stats.optimizeCalls, 0u);
}

TEST_P(FindMinCycle, without_edges_keeps_a_real_order) {
    CCycle c(7);
    c = true;
    FixedClock clock(3);
    EXPECT_EQ(c.FindMinCycle(Ctl()), 7);
    EXPECT_TRUE(c.IsPermutation(c.m_path));
}

TEST_P(FindMinCycle, restores_the_graph_it_was_given) {
    // The 4-cycle becomes the complete graph under MakeCanonical; the result
    // must describe the order in the 4-cycle itself.
    CCycle c(4);
    c = true;
    c.SetEdge(1, 2);
    c.SetEdge(2, 3);
    c.SetEdge(3, 4);
    c.SetEdge(4, 1);
    const CBitGraph entry(c);
    FixedClock clock(1);
    const int h = c.FindMinCycle(Ctl());
    EXPECT_TRUE(static_cast<const CBitGraph&>(c) == entry);
    EXPECT_EQ(h, searchtest::GapsIn(entry, Order(c)));
    EXPECT_TRUE(c.IsPermutation(c.m_path));
}

TEST_P(FindMinCycle, counts_six_passes_of_calls) {
    CCycle c = searchtest::Petersen();
    FixedClock clock(9);
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats);
    EXPECT_EQ(c.FindMinCycle(ctl), 1);
    EXPECT_EQ(stats.optimizeCalls, 48u);  // no pass reaches 0: 6 x 8 calls
    EXPECT_EQ(c.CalcPathLen(), 1);
}

TEST_P(FindMinCycle, stop_request_makes_no_calls_and_keeps_the_graph) {
    CCycle c = searchtest::Knight(5, 5);
    const CBitGraph entry(c);
    const std::vector<short> before = Order(c);
    std::stop_source stop;
    stop.request_stop();
    hcp::SearchStats stats;
    const hcp::SearchControl ctl = Ctl(&stats, stop.get_token());
    const int h = c.FindMinCycle(ctl);
    EXPECT_EQ(stats.optimizeCalls, 0u);
    EXPECT_TRUE(static_cast<const CBitGraph&>(c) == entry);
    EXPECT_EQ(Order(c), before);
    EXPECT_EQ(h, c.CalcPathLen());
}
