// The auto method: checked cycles on knight boards, proofs only through a
// complete method, verdicts equal to an independent dynamic programme on
// nauty's small-graph families, the same verdict with one thread or many,
// and identical results run after run with one thread.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/heldkarp.h"
#include "core/cyclecheck.h"
#include "core/leapergraph.h"
#include "io/graph6.h"
#include "solve/automethod.h"
#include "solve/solve_test_graphs.h"
#include "solve/solver.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::Verdict;

namespace {

// The tests' Held-Karp programme as a method: the ground truth for graphs
// of up to 16 nodes.
class HeldKarpMethod final : public hcp::Method {
public:
    std::string_view Name() const override { return "test-held-karp"; }
    std::string_view Summary() const override { return "subset dynamic programme (tests)"; }
    bool Complete() const override { return true; }
    hcp::SolveResult Run(const Graph& g, const hcp::SolveOptions&) const override
    {
        hcp::SolveResult r;
        const NodeId n = g.NodeCount();
        if (n > 16) return r;
        if (n < 3) {
            r.verdict = Verdict::NoCycle;
            r.reason = "too small";
            return r;
        }
        r.order = testgraphs::HeldKarpCycle(g);
        if (!r.order.empty()) {
            r.verdict = Verdict::Hamiltonian;
            return r;
        }
        r.verdict = Verdict::NoCycle;
        r.reason = "no path through every node closes";
        return r;
    }
};

// auto ending with the dynamic programme instead of the engine's exact
// method, so the sequencing and the race are tested on their own.
const char* TestAuto()
{
    static bool once = [] {
        hcp::RegisterMethod(std::make_shared<HeldKarpMethod>());
        hcp::RegisterMethod(hcp::MakeAutoMethod("test-auto", "test-held-karp", 0));
        return true;
    }();
    (void)once;
    return "test-auto";
}

std::vector<Graph> Family(const std::string& file)
{
    std::ifstream in(std::string(TOURVANE_TEST_DATA) + "/" + file);
    std::vector<Graph> out;
    for (std::string line; std::getline(in, line);) out.push_back(hcp::DecodeGraph6(line));
    return out;
}

bool Checked(const Graph& g, const hcp::SolveResult& r)
{
    return r.verdict == Verdict::Hamiltonian && hcp::CheckCycle(g, r.order).hamiltonian;
}

TEST(Auto, FindsCheckedCyclesOnKnightBoards)
{
    for (auto [rows, cols] : {std::pair{5, 6}, {6, 6}, {8, 8}, {10, 10}, {12, 12}}) {
        const Graph g = solvetest::Knight(rows, cols);
        const hcp::SolveResult r = hcp::Solve(g, "auto");
        EXPECT_TRUE(Checked(g, r)) << rows << "x" << cols;
        EXPECT_FALSE(r.method.empty());
    }
}

// Past the legacy engine's size the large-graph search decides a knight's
// board alone, even with threads to spare: the complete method's model of a
// graph that size would cost gigabytes beside it.
TEST(Auto, LargeBoardsAreNotRacedAgainstTheCompleteMethod)
{
    const Graph g = hcp::LeaperGraph(1, 2, 200, 200);
    hcp::SolveOptions o;
    o.threads = 2;
    std::ostringstream log;
    o.log = &log;
    const hcp::SolveResult r = hcp::Solve(g, "auto", o);
    EXPECT_TRUE(Checked(g, r));
    EXPECT_EQ(r.method, "large");
    EXPECT_EQ(log.str().find("exact:"), std::string::npos) << "the complete method ran:\n" << log.str();
}

TEST(Auto, PetersenIsProvedOnlyByACompleteMethod)
{
    const Graph g = solvetest::Petersen();
    const hcp::SolveResult r = hcp::Solve(g, "auto");
    if (hcp::FindMethod("exact") == nullptr) {
        // A local search alone proves nothing here, and auto says so.
        EXPECT_FALSE(hcp::FindMethod("auto")->Complete());
        EXPECT_EQ(r.verdict, Verdict::Unknown);
    } else {
        EXPECT_TRUE(hcp::FindMethod("auto")->Complete());
        EXPECT_EQ(r.verdict, Verdict::NoCycle);
        EXPECT_FALSE(r.reason.empty());
    }
    const hcp::SolveResult t = hcp::Solve(g, TestAuto());
    EXPECT_EQ(t.verdict, Verdict::NoCycle);
    EXPECT_EQ(t.method, "test-held-karp");
    EXPECT_FALSE(t.reason.empty());
}

TEST(Auto, DegreeProofsNeedNoCompleteMethod)
{
    const std::vector<hcp::Edge> path = {{0, 1}, {1, 2}, {2, 3}};
    const hcp::SolveResult r = hcp::Solve(Graph::FromEdges(4, path), "auto");
    EXPECT_EQ(r.verdict, Verdict::NoCycle);
    EXPECT_NE(r.reason.find("degree 1"), std::string::npos) << r.reason;
    // The cheap proofs are the complete method's first stage, and say so:
    // above the tiny size auto runs them itself, before the local search.
    EXPECT_EQ(r.method, "exact");
    EXPECT_EQ(r.stage, "proofs");
    std::vector<hcp::Edge> pendant;
    for (NodeId v = 0; v < 99; ++v) pendant.push_back({v, (v + 1) % 99});
    pendant.push_back({0, 99});
    const hcp::SolveResult large = hcp::Solve(Graph::FromEdges(100, pendant), "auto");
    EXPECT_EQ(large.verdict, Verdict::NoCycle);
    EXPECT_EQ(large.method, "exact");
    EXPECT_EQ(large.stage, "proofs");
}

TEST(Auto, VerdictsMatchTheDynamicProgrammeOnSmallFamilies)
{
    // All 853 connected graphs on 7 nodes (383 Hamiltonian) and all 85
    // connected cubic graphs on 12 nodes (5 not, as nauty-cubhamg finds).
    const hcp::Method* truth = hcp::FindMethod((TestAuto(), "test-held-karp"));
    const bool haveExact = hcp::FindMethod("exact") != nullptr;
    std::set<std::string> nonHamiltonian12;
    {
        std::ifstream in(std::string(TOURVANE_TEST_DATA) + "/cubic12_nonhamiltonian.g6");
        for (std::string line; std::getline(in, line);) nonHamiltonian12.insert(line);
    }
    for (const auto& [file, hamiltonian] : {std::pair{"connected7.g6", 383}, {"cubic12.g6", 80}}) {
        int count = 0;
        for (const Graph& g : Family(file)) {
            const Verdict want = truth->Run(g, {}).verdict;
            count += want == Verdict::Hamiltonian;
            const hcp::SolveResult t = hcp::Solve(g, TestAuto());
            EXPECT_EQ(t.verdict, want) << file;
            if (want == Verdict::Hamiltonian) {
                EXPECT_TRUE(Checked(g, t));
            }
            if (haveExact) {
                EXPECT_EQ(hcp::Solve(g, "auto").verdict, want) << file;
            }
        }
        EXPECT_EQ(count, hamiltonian) << file;
    }
    EXPECT_EQ(nonHamiltonian12.size(), 5u);
    for (const std::string& line : nonHamiltonian12)
        EXPECT_EQ(hcp::Solve(hcp::DecodeGraph6(line), TestAuto()).verdict, Verdict::NoCycle) << line;
}

TEST(Auto, SameVerdictWithOneThreadOrFour)
{
    for (const Graph& g : Family("cubic12.g6")) {
        hcp::SolveOptions one, four;
        four.threads = 4;
        const hcp::SolveResult a = hcp::Solve(g, TestAuto(), one);
        const hcp::SolveResult b = hcp::Solve(g, TestAuto(), four);
        EXPECT_EQ(a.verdict, b.verdict);
        EXPECT_NE(a.verdict, Verdict::Unknown);
    }
}

TEST(Auto, BothThreadsAgreeWithOneOnGraphsPastTheTinySize)
{
    // Above 64 nodes auto runs the local search and, with two threads, the
    // complete method twice (a model per thread). GP(n, 2) for n = 5 mod 6
    // has no cycle, which only the complete method can show, and the
    // others must come back with checked cycles.
    for (NodeId n = 33; n <= 41; ++n) {
        const Graph g = solvetest::GeneralizedPetersen(n, 2);
        const Verdict want = n % 6 == 5 ? Verdict::NoCycle : Verdict::Hamiltonian;
        for (int threads : {1, 2}) {
            hcp::SolveOptions o;
            o.threads = threads;
            const hcp::SolveResult r = hcp::Solve(g, "auto", o);
            ASSERT_EQ(r.verdict, want) << "GP(" << n << ",2), " << threads << " threads: " << r.reason;
            if (want == Verdict::NoCycle) {
                EXPECT_EQ(r.method, "exact");
                EXPECT_FALSE(r.stage.empty()) << "the proof names no stage";
                EXPECT_FALSE(r.reason.empty());
            } else {
                EXPECT_TRUE(Checked(g, r));
            }
        }
    }
}

TEST(Auto, OneThreadRepeatsExactly)
{
    // The local search gets a budget in work, not time, so a run on a busy
    // machine ends where a run on an idle one does.
    for (const Graph& g : {solvetest::Knight(10, 10), solvetest::Knight(6, 7), solvetest::Petersen()}) {
        hcp::SolveOptions o;
        o.seed = 17;
        o.workBudget = 6;
        const hcp::SolveResult a = hcp::Solve(g, "auto", o);
        const hcp::SolveResult b = hcp::Solve(g, "auto", o);
        EXPECT_EQ(a.verdict, b.verdict);
        EXPECT_EQ(a.order, b.order);
        EXPECT_EQ(a.method, b.method);
        EXPECT_EQ(a.stats.optimizeCalls, b.stats.optimizeCalls);
    }
}

TEST(Auto, LocalSearchStopsAtItsBudget)
{
    // Petersen never yields a cycle, so the local search spends its whole
    // budget, restart by restart, and stops soon after reaching it.
    const hcp::Method* noComplete = nullptr;
    static const bool registered = [] {
        hcp::RegisterMethod(hcp::MakeAutoMethod("test-auto-alone", "test-no-such-method"));
        return true;
    }();
    (void)registered;
    noComplete = hcp::FindMethod("test-auto-alone");
    ASSERT_NE(noComplete, nullptr);
    EXPECT_FALSE(noComplete->Complete());
    for (std::uint64_t budget : {1u, 20u, 100u}) {
        hcp::SolveOptions o;
        o.workBudget = budget;
        const hcp::SolveResult r = hcp::Solve(solvetest::Petersen(), "test-auto-alone", o);
        EXPECT_EQ(r.verdict, Verdict::Unknown);
        EXPECT_GE(r.stats.optimizeCalls, budget);
        EXPECT_LT(r.stats.optimizeCalls, budget + 17);   // one exist restart makes at most 16
        EXPECT_GT(r.gaps, 0);
    }
}

}  // namespace

namespace {

TEST(Auto, RaceEndsWhenTheCompleteSideGivesUp)
{
    // The dynamic programme declines graphs above 16 nodes at once; the
    // local search beside it must then stop at its own budget, not run on
    // (a fault here hangs until the test's time-out).
    hcp::SolveOptions o;
    o.threads = 2;
    o.workBudget = 10;
    const Graph petersenPair = [] {
        std::vector<hcp::Edge> e = solvetest::Petersen().Edges();
        for (auto [u, v] : solvetest::Petersen().Edges()) e.emplace_back(u + 10, v + 10);
        e.emplace_back(0, 10);
        e.emplace_back(1, 11);
        return Graph::FromEdges(20, e);
    }();
    const hcp::SolveResult r = hcp::Solve(petersenPair, TestAuto(), o);
    // Two Petersen graphs joined by two edges: a cycle would need a path
    // through one Petersen graph between adjacent nodes, and there is none.
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_GE(r.stats.optimizeCalls, 10u);
}

}  // namespace

namespace {

bool UsesEdge(const std::vector<NodeId>& order, hcp::Edge e)
{
    for (std::size_t i = 0; i < order.size(); ++i) {
        const NodeId u = order[i], v = order[(i + 1) % order.size()];
        if ((u == e.first && v == e.second) || (u == e.second && v == e.first)) return true;
    }
    return false;
}

TEST(Auto, CycleMustUseTheFixedEdges)
{
    // The local search ignores fixed edges. Fix three edges of the cycle
    // that seed 2 finds and seed 1 does not use: the cycle of seed 1 is then
    // no answer, and whatever auto reports must use all three.
    Graph g = solvetest::Knight(10, 10);   // above the size auto hands straight to exact
    hcp::SolveOptions first, second;
    second.seed = 2;
    const std::vector<NodeId> c1 = hcp::Solve(g, "exist", first).order;
    const std::vector<NodeId> c2 = hcp::Solve(g, "exist", second).order;
    std::vector<hcp::Edge> fixed;
    for (std::size_t i = 0; i < c2.size() && fixed.size() < 3; ++i) {
        hcp::Edge e{std::min(c2[i], c2[(i + 1) % c2.size()]), std::max(c2[i], c2[(i + 1) % c2.size()])};
        if (!UsesEdge(c1, e)) fixed.push_back(e);
    }
    ASSERT_EQ(fixed.size(), 3u);
    g.SetFixedEdges(fixed);
    for (int threads : {1, 2}) {
        hcp::SolveOptions o;
        o.threads = threads;
        const hcp::SolveResult r = hcp::Solve(g, "auto", o);
        ASSERT_EQ(r.verdict, Verdict::Hamiltonian) << threads;
        for (const hcp::Edge& e : fixed) EXPECT_TRUE(UsesEdge(r.order, e)) << e.first + 1 << "-" << e.second + 1;
    }
}

}  // namespace
