// Every connected cubic graph on 10 and 12 nodes (from nauty-geng -c -d3
// -D3) and random graphs near the Hamiltonicity threshold, decided by every
// engine and compared with the exhaustive Held-Karp check.
#include <gtest/gtest.h>

#include "core/cyclecheck.h"
#include "exact/exactsearch.h"
#include "common/graphfamilies.h"
#include "common/heldkarp.h"

using namespace testgraphs;
using hcp::ExactEngine;
using hcp::ExactSearch;
using hcp::Verdict;

namespace {

// Counts in 'hamiltonian' the graphs the exhaustive check calls Hamiltonian.
void CompareAll(const std::vector<Graph>& graphs, const std::string& what, int& hamiltonian) {
    hamiltonian = 0;
    ExactSearch reused;
    for (std::size_t i = 0; i < graphs.size(); ++i) {
        const Graph& g = graphs[i];
        const bool truth = HamiltonianByDp(g);
        hamiltonian += truth ? 1 : 0;
        // The depth-first search, then the SAT search with both models
        // taking turns and with each model on its own.
        for (int run = 0; run < 4; ++run) {
            const ExactEngine engine = run == 0 ? ExactEngine::DepthFirst : ExactEngine::Sat;
            hcp::SolveOptions options;
            options.coverModel = run == 2 ? hcp::CoverModel::Arcs
                                 : run == 3 ? hcp::CoverModel::Edges
                                            : hcp::CoverModel::Both;
            const hcp::SolveResult r = reused.Run(g, options, engine);
            ASSERT_NE(r.verdict, Verdict::Unknown) << what << " #" << i;
            ASSERT_EQ(r.verdict == Verdict::Hamiltonian, truth) << what << " #" << i << " run " << run << ": " << r.reason;
            if (truth) {
                ASSERT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian) << what << " #" << i;
            }
        }
    }
}

}  // namespace

TEST(ExhaustiveComparison, AllConnectedCubicGraphsOnTenAndTwelveNodes) {
    const auto ten = ReadGraph6File(TOURVANE_TEST_DATA "/cubic10.g6");
    const auto twelve = ReadGraph6File(TOURVANE_TEST_DATA "/cubic12.g6");
    ASSERT_EQ(ten.size(), 19u);
    ASSERT_EQ(twelve.size(), 85u);
    // Known counts: on 10 nodes the Petersen graph and the one cubic graph
    // with a bridge fail; on 12 nodes five graphs fail.
    int hamiltonian = 0;
    CompareAll(ten, "cubic10", hamiltonian);
    EXPECT_EQ(hamiltonian, 17);
    CompareAll(twelve, "cubic12", hamiltonian);
    EXPECT_EQ(hamiltonian, 80);
}

TEST(ExhaustiveComparison, RandomGraphsNearTheThreshold) {
    // p around (ln n + ln ln n) / n, where about half are Hamiltonian.
    std::vector<Graph> graphs;
    for (NodeId n = 4; n <= 16; ++n)
        for (double p : {0.2, 0.3, 0.4}) {
            const double scaled = p * 12.0 / n + 0.05;
            for (std::uint64_t seed = 1; seed <= 12; ++seed) graphs.push_back(Random(n, scaled, seed * 1000 + n));
        }
    int hamiltonian = 0;
    CompareAll(graphs, "G(n,p)", hamiltonian);
    // Both answers must be well represented, or the comparison proves little.
    EXPECT_GT(hamiltonian, static_cast<int>(graphs.size() / 5));
    EXPECT_LT(hamiltonian, static_cast<int>(graphs.size() * 4 / 5));
}

TEST(ExhaustiveComparison, RandomCubicGraphsUpToTwentyNodes) {
    // Sparse graphs without short cycles are where the relaxation returns
    // covers of interleaved cycles that no 2-opt exchange can splice, so the
    // cuts (not the splicing) decide; no cut may remove a real cycle.
    std::vector<Graph> graphs;
    for (NodeId n = 14; n <= 20; n += 2)
        for (std::uint64_t seed = 1; seed <= 10; ++seed) graphs.push_back(RandomCubic(n, seed * 7919 + n));
    int hamiltonian = 0;
    CompareAll(graphs, "random cubic", hamiltonian);
    EXPECT_GT(hamiltonian, 0);
}

TEST(ExhaustiveComparison, FixedEdgesAgreeWithTheCheck) {
    // With a fixed edge the question is a cycle through it. The check
    // answers that too: a cycle through u-v takes exactly one other edge at
    // u, so try each with the rest of u's edges gone.
    int withFixed = 0;
    ExactSearch search;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        Graph g = Random(10, 0.45, seed);
        const auto edges = g.Edges();
        if (edges.empty()) continue;
        const hcp::Edge fixed = edges[seed % edges.size()];
        g.SetFixedEdges({fixed});
        for (ExactEngine engine : {ExactEngine::DepthFirst, ExactEngine::Sat}) {
            const hcp::SolveResult r = search.Run(g, {}, engine);
            ASSERT_NE(r.verdict, Verdict::Unknown);
            if (r.verdict == Verdict::Hamiltonian) {
                ++withFixed;
                bool used = false;
                for (std::size_t i = 0; i < r.order.size(); ++i) {
                    const auto u = r.order[i], v = r.order[(i + 1) % r.order.size()];
                    used |= (u == fixed.first && v == fixed.second) || (u == fixed.second && v == fixed.first);
                }
                EXPECT_TRUE(used) << "seed " << seed;
            } else {
                std::vector<hcp::Edge> kept;
                for (const auto& e : edges)
                    if (e == fixed || (e.first != fixed.first && e.second != fixed.first)) kept.push_back(e);
                for (NodeId w : g.Neighbors(fixed.first)) {
                    if (w == fixed.second) continue;
                    std::vector<hcp::Edge> trial = kept;
                    trial.emplace_back(std::min(fixed.first, w), std::max(fixed.first, w));
                    EXPECT_FALSE(HamiltonianByDp(Make(10, trial))) << "seed " << seed;
                }
            }
        }
    }
    EXPECT_GT(withFixed, 0);
}
