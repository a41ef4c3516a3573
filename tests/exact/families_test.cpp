// Graph families whose answer is known from the literature, through every
// engine of the exact method: each answer is checked against the family's
// known status, never against another engine.
#include <gtest/gtest.h>

#include "core/cyclecheck.h"
#include "exact/exactsearch.h"
#include "common/graphfamilies.h"
#include "common/heldkarp.h"
#include "solve/solver.h"

using namespace testgraphs;
using hcp::ExactEngine;
using hcp::ExactSearch;
using hcp::Verdict;

namespace {

const ExactEngine kEngines[] = {ExactEngine::Auto, ExactEngine::DepthFirst, ExactEngine::Sat, ExactEngine::Sat};

void ExpectVerdict(const Graph& g, Verdict want, const std::string& name, bool sat = true) {
    int run = 0;
    for (ExactEngine engine : kEngines) {
        ++run;
        if (!sat && engine == ExactEngine::Sat) continue;
        ExactSearch search;
        // The SAT runs: both models side by side, then the edge model alone.
        if (run == 4) search.SetSatModel(hcp::SatModel::Edges);
        const hcp::SolveResult r = search.Run(g, {}, engine);
        EXPECT_EQ(r.verdict, want) << name << " engine " << static_cast<int>(engine) << ": " << r.reason;
        if (r.verdict == Verdict::Hamiltonian) {
            EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian) << name;
        } else if (r.verdict == Verdict::NoCycle) {
            EXPECT_FALSE(r.reason.empty()) << name;
        }
    }
}

}  // namespace

TEST(KnownFamilies, SnarksAndPetersenHaveNoCycle) {
    ExpectVerdict(GeneralizedPetersen(5, 2), Verdict::NoCycle, "Petersen");
    // The SAT relaxation cuts the snarks' cycle covers off one by one (2^n
    // calls for J_n), so it only takes the small ones here.
    for (NodeId n : {5u, 7u, 9u, 11u})
        ExpectVerdict(FlowerSnark(n), Verdict::NoCycle, "J" + std::to_string(n), n <= 7);
}

TEST(KnownFamilies, GeneralizedPetersenByResidue) {
    // GP(n, 2) is Hamiltonian exactly when n is not 5 mod 6.
    for (NodeId n = 5; n <= 30; ++n) {
        const Verdict want = n % 6 == 5 ? Verdict::NoCycle : Verdict::Hamiltonian;
        ExpectVerdict(GeneralizedPetersen(n, 2), want, "GP(" + std::to_string(n) + ",2)");
    }
}

TEST(KnownFamilies, BipartiteAndThetaGraphs) {
    ExpectVerdict(Herschel(), Verdict::NoCycle, "Herschel");
    for (NodeId n = 2; n <= 7; ++n) {
        ExpectVerdict(CompleteBipartite(n, n + 1), Verdict::NoCycle, "K(n,n+1)");
        ExpectVerdict(CompleteBipartite(n, n), Verdict::Hamiltonian, "K(n,n)");
    }
    ExpectVerdict(CompleteBipartite(1, 1), Verdict::NoCycle, "K(1,1)");
    for (auto [r, c] : {std::pair{3u, 3u}, {3u, 5u}, {5u, 7u}, {7u, 7u}, {9u, 9u}})
        ExpectVerdict(Grid(r, c), Verdict::NoCycle, "odd grid");
    for (auto [r, c] : {std::pair{2u, 3u}, {4u, 5u}, {6u, 6u}, {7u, 8u}, {10u, 10u}})
        ExpectVerdict(Grid(r, c), Verdict::Hamiltonian, "even grid");
    ExpectVerdict(Theta(1, 1, 1), Verdict::NoCycle, "theta 1 1 1");
    ExpectVerdict(Theta(2, 3, 4), Verdict::NoCycle, "theta 2 3 4");
    ExpectVerdict(Theta(0, 5, 5), Verdict::Hamiltonian, "theta 0 5 5 (the long paths)");
    ExpectVerdict(Theta(0, 0, 5), Verdict::Hamiltonian, "theta 0 0 5 (a cycle)");
}

TEST(KnownFamilies, HamiltonianControls) {
    for (int d = 2; d <= 7; ++d) ExpectVerdict(Hypercube(d), Verdict::Hamiltonian, "Q" + std::to_string(d));
    for (NodeId n = 3; n <= 12; ++n) ExpectVerdict(Complete(n), Verdict::Hamiltonian, "K" + std::to_string(n));
    ExpectVerdict(GeneralizedPetersen(40, 3), Verdict::Hamiltonian, "GP(40,3)");
}

TEST(KnownFamilies, ExactIsARegisteredCompleteMethod) {
    const hcp::Method* m = hcp::FindMethod("exact");
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->Complete());
    const auto r = hcp::Solve(FlowerSnark(7), "exact");
    EXPECT_EQ(r.verdict, Verdict::NoCycle);
    EXPECT_EQ(r.method, "exact");
    const auto h = hcp::Solve(GeneralizedPetersen(24, 2), "exact");
    EXPECT_EQ(h.verdict, Verdict::Hamiltonian);
    EXPECT_EQ(h.gaps, 0);
}
