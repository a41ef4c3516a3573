// The toughness proof: it finds the set a graph of the clique-and-parts
// kind hides, names it so the test can check it by hand, and never claims
// a set on a graph that has a cycle.
#include <gtest/gtest.h>

#include "common/graphfamilies.h"
#include "common/heldkarp.h"
#include "common/witness.h"
#include "exact/exactsearch.h"
#include "exact/toughness.h"
#include "io/dimacs.h"

using namespace testgraphs;
using hcp::Verdict;

namespace {

hcp::SolveResult Exact(const Graph& g)
{
    hcp::ExactSearch search;
    return search.Run(g, {});
}

}  // namespace

TEST(ToughnessProof, FindsTheCliqueOfCliqueJoinedToParts) {
    for (NodeId s = 2; s <= 9; ++s)
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            const Graph g = CliqueJoinedToParts(s, s + 1, 3 + static_cast<NodeId>(seed % 3), seed * 31 + s);
            hcp::ToughnessProof proof;
            ASSERT_TRUE(proof.Run(g, 10'000'000)) << "s " << s << " seed " << seed;
            EXPECT_EQ(CheckToughnessWitness(g, proof.Reason()), "") << proof.Reason();
            EXPECT_LE(proof.Witness().size(), s);
            // The portfolio answers with the same kind of reason.
            const hcp::SolveResult r = Exact(g);
            EXPECT_EQ(r.verdict, Verdict::NoCycle);
            EXPECT_EQ(CheckToughnessWitness(g, r.reason), "") << r.reason;
        }
}

TEST(ToughnessProof, SharedSampleGraphIsProvedWithACheckableSet) {
    const std::string path = std::string(TOURVANE_SHARED_DIR) + "/bench/proofs/nontough_5_3.col";
    hcp::Graph g;
    try {
        g = hcp::ReadDimacs(path);
    } catch (const std::exception& e) {
        GTEST_SKIP() << e.what();
    }
    const hcp::SolveResult r = Exact(g);
    ASSERT_EQ(r.verdict, Verdict::NoCycle);
    EXPECT_EQ(CheckToughnessWitness(g, r.reason), "") << r.reason;
}

TEST(ToughnessProof, NeverClaimsASetOnAHamiltonianGraph) {
    // One part fewer makes each graph Hamiltonian; random graphs near the
    // threshold give both answers, checked against the exhaustive programme.
    int witnesses = 0, hamiltonian = 0;
    hcp::ToughnessProof proof;
    for (NodeId s = 2; s <= 6; ++s) {
        const Graph g = CliqueJoinedToParts(s, s, 3, s);
        EXPECT_FALSE(proof.Run(g, 10'000'000)) << proof.Reason();
    }
    for (NodeId n = 8; n <= 16; ++n)
        for (std::uint64_t seed = 1; seed <= 40; ++seed) {
            const Graph g = Random(n, 3.2 / n + 0.08, seed * 977 + n);
            if (g.MinDegree() < 2) continue;
            const bool truth = HamiltonianByDp(g);
            hamiltonian += truth;
            if (!proof.Run(g, 1'000'000)) continue;
            ++witnesses;
            EXPECT_FALSE(truth) << "n " << n << " seed " << seed << ": " << proof.Reason();
            EXPECT_EQ(CheckToughnessWitness(g, proof.Reason()), "");
        }
    EXPECT_GT(witnesses, 10);
    EXPECT_GT(hamiltonian, 10);
}

TEST(ToughnessProof, WorkIsBounded) {
    // A grid of odd size has no cycle, but no small set splits it enough;
    // the search gives up within its budget.
    hcp::ToughnessProof proof;
    const Graph g = Grid(41, 41);
    proof.Run(g, 200'000);
    EXPECT_LT(proof.Work(), 400'000u);
}
