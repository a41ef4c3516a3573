// The two dynamic programmes on their own. The subset programme decides
// every graph it takes and agrees with the tests' own programme, which
// runs the other way (pushing paths forward instead of pulling rows); the
// frontier programme decides narrow graphs of any length and leaves wide
// ones to the search. Both honour fixed edges.
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

// Fixed edges: a cycle must use them. Both programmes take them as
// forced edges of the working graph.
void ExpectFixedEdgesHonoured(ExactEngine engine) {
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
        const hcp::SolveResult r = search.Run(g, {}, engine);
        ASSERT_NE(r.verdict, Verdict::Unknown);
        const bool truth = HamiltonianThroughFixedByDp(g);
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

TEST(HeldKarp, FixedEdgesAreHonoured) { ExpectFixedEdgesHonoured(ExactEngine::DynamicProgramme); }

TEST(FrontierProgramme, FixedEdgesAreHonoured) { ExpectFixedEdgesHonoured(ExactEngine::Frontier); }

TEST(FrontierProgramme, NarrowGraphsOfAnySizeAndWideOnesLeftToTheSearch) {
    hcp::ExactSearch search;
    // Ladders, prisms and thin grids: narrow at any length.
    for (NodeId k : {30u, 200u, 1000u}) {
        const hcp::SolveResult prism = search.Run(GeneralizedPetersen(k, 1), {}, ExactEngine::Frontier);
        EXPECT_EQ(prism.verdict, Verdict::Hamiltonian);
        EXPECT_STREQ(search.LastPart(), "frontier");
        EXPECT_TRUE(hcp::CheckCycle(GeneralizedPetersen(k, 1), prism.order).hamiltonian);
        const Graph grid = Grid(4, k + 1);
        const hcp::SolveResult r = search.Run(grid, {}, ExactEngine::Frontier);
        EXPECT_EQ(r.verdict, Verdict::Hamiltonian) << k;
        EXPECT_TRUE(hcp::CheckCycle(grid, r.order).hamiltonian);
    }
    // GP(n, 2) with n = 5 (mod 6) has no cycle, the others do.
    for (NodeId n : {101u, 102u, 103u, 104u}) {
        const hcp::SolveResult r = search.Run(GeneralizedPetersen(n, 2), {}, ExactEngine::Frontier);
        EXPECT_EQ(r.verdict, n % 6 == 5 ? Verdict::NoCycle : Verdict::Hamiltonian) << n;
        EXPECT_STREQ(search.LastPart(), "frontier");
    }
    // A random cubic graph of 300 nodes has no narrow order: the SAT search
    // takes it.
    const hcp::SolveResult wide = search.Run(RandomCubic(300, 3), {}, ExactEngine::Frontier);
    EXPECT_NE(wide.verdict, Verdict::Unknown);
    EXPECT_STREQ(search.LastPart(), "sat");
}
