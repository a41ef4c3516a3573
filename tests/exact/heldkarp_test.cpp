// The subset programme on its own: every graph it takes is decided, its
// cycles are cycles, and it agrees with the tests' own programme, which
// runs the other way (pushing paths forward instead of pulling rows).
#include <gtest/gtest.h>

#include "common/graphfamilies.h"
#include "common/heldkarp.h"
#include "core/cyclecheck.h"
#include "exact/exactsearch.h"

using namespace testgraphs;
using hcp::ExactEngine;
using hcp::Verdict;

namespace {

void ExpectAgrees(hcp::ExactSearch& search, const Graph& g, const std::string& what)
{
    const bool truth = HamiltonianByDp(g);
    const hcp::SolveResult r = search.Run(g, {}, ExactEngine::DynamicProgramme);
    ASSERT_NE(r.verdict, Verdict::Unknown) << what;
    ASSERT_EQ(r.verdict == Verdict::Hamiltonian, truth) << what << ": " << r.reason;
    if (truth) {
        EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian) << what;
    } else if (std::string(search.LastPart()) == "held-karp") {
        EXPECT_NE(r.reason.find("dynamic programme"), std::string::npos) << r.reason;
    }
}

}  // namespace

TEST(HeldKarp, DenseGraphsUpToTwentyFourNodes) {
    // Dense graphs with one clique too many parts: the depth-first search
    // may take long on these, the programme never does.
    hcp::ExactSearch search;
    for (NodeId s = 2; s <= 5; ++s) {
        ExpectAgrees(search, CliqueJoinedToParts(s, s + 1, 3, s), "clique and parts " + std::to_string(s));
        ExpectAgrees(search, CliqueJoinedToParts(s, s, 3, s), "clique and parts (Hamiltonian) " + std::to_string(s));
    }
    for (NodeId n = 17; n <= 24; ++n)
        for (std::uint64_t seed = 1; seed <= 2; ++seed)
            ExpectAgrees(search, Random(n, 2.6 / n + 0.1, seed * 131 + n), "G(" + std::to_string(n) + ", p)");
}

TEST(HeldKarp, CubicGraphsAndFamilies) {
    hcp::ExactSearch search;
    ExpectAgrees(search, Petersen(), "Petersen");
    ExpectAgrees(search, Herschel(), "Herschel");
    ExpectAgrees(search, FlowerSnark(5), "J5");
    ExpectAgrees(search, GeneralizedPetersen(11, 2), "GP(11, 2)");
    int hamiltonian = 0;
    const auto sixteen = Geng("-c -d3 -D3 16");
    if (sixteen.empty()) GTEST_SKIP() << "nauty-geng is not installed";
    ASSERT_EQ(sixteen.size(), 4060u);
    for (const Graph& g : sixteen) {
        const hcp::SolveResult r = search.Run(g, {}, ExactEngine::DynamicProgramme);
        ASSERT_NE(r.verdict, Verdict::Unknown);
        hamiltonian += r.verdict == Verdict::Hamiltonian;
    }
    // 219 connected cubic graphs on 16 nodes have no cycle.
    EXPECT_EQ(hamiltonian, 4060 - 219);
}

TEST(HeldKarp, FixedEdgesAreHonoured) {
    // With edge u-v fixed, a cycle must use it: compare with the tests'
    // programme on the graph where u keeps only v and one other neighbour.
    hcp::ExactSearch search;
    int found = 0, none = 0;
    for (std::uint64_t seed = 1; seed <= 80; ++seed) {
        Graph g = Random(11, 0.5, seed);
        const auto edges = g.Edges();
        if (edges.size() < 2) continue;
        std::vector<hcp::Edge> fixed{edges[seed % edges.size()]};
        // A second fixed edge elsewhere now and then.
        if (seed % 3 == 0) {
            const hcp::Edge other = edges[(seed * 7) % edges.size()];
            if (other != fixed[0]) fixed.push_back(other);
        }
        g.SetFixedEdges(fixed);
        const hcp::SolveResult r = search.Run(g, {}, ExactEngine::DynamicProgramme);
        ASSERT_NE(r.verdict, Verdict::Unknown);
        // Truth: some cycle of g through every fixed edge, found by forcing
        // each fixed edge with a subdivision node of degree 2.
        std::vector<hcp::Edge> split;
        NodeId extra = 11;
        for (const auto& e : edges) {
            if (std::find(fixed.begin(), fixed.end(), e) == fixed.end()) {
                split.push_back(e);
                continue;
            }
            split.emplace_back(e.first, extra);
            split.emplace_back(e.second, extra);
            ++extra;
        }
        const bool truth = HamiltonianByDp(Make(extra, split));
        ASSERT_EQ(r.verdict == Verdict::Hamiltonian, truth) << "seed " << seed << ": " << r.reason;
        if (truth) {
            ++found;
            EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian) << "seed " << seed;
        } else {
            ++none;
        }
    }
    EXPECT_GT(found, 5);
    EXPECT_GT(none, 5);
}
