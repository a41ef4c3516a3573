// Exhaustive ground truth for each new part of the complete method on its
// own and for the portfolio: every connected graph of up to 9 nodes with
// minimum degree 2 and every connected cubic graph of up to 18 nodes (from
// nauty-geng), random graphs near the threshold up to 24 nodes, and the
// families whose answers the literature gives.
#include <gtest/gtest.h>

#include "common/graphfamilies.h"
#include "common/heldkarp.h"
#include "common/witness.h"
#include "core/cyclecheck.h"
#include "exact/exactsearch.h"

using namespace testgraphs;
using hcp::ExactEngine;
using hcp::Verdict;

namespace {

const ExactEngine kEngines[] = {ExactEngine::Auto, ExactEngine::DynamicProgramme, ExactEngine::Frontier};

const char* EngineName(ExactEngine e)
{
    return e == ExactEngine::Auto ? "portfolio" : e == ExactEngine::DynamicProgramme ? "held-karp" : "frontier";
}

// Decides g with 'engine' and compares with 'truth'; a cycle must be one,
// and a toughness reason must name a set that splits the graph.
void Expect(hcp::ExactSearch& search, const Graph& g, ExactEngine engine, bool truth, const std::string& what)
{
    const hcp::SolveResult r = search.Run(g, {}, engine);
    ASSERT_NE(r.verdict, Verdict::Unknown) << what << " " << EngineName(engine);
    ASSERT_EQ(r.verdict == Verdict::Hamiltonian, truth) << what << " " << EngineName(engine) << ": " << r.reason;
    if (truth) {
        ASSERT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian) << what;
    } else if (std::string(search.LastPart()) == "toughness") {
        // A set found once the reduction removed edges splits the graph
        // the reduction left, not the one given.
        const std::string after = " once the edges no cycle can use are removed";
        if (r.reason.size() > after.size() && r.reason.ends_with(after)) {
            const hcp::Reduction& red = search.LastReduction();
            std::vector<hcp::Edge> kept;
            for (NodeId v = 0; v < red.NodeCount(); ++v)
                for (NodeId w : red.Neighbors(v))
                    if (v < w) kept.emplace_back(v, w);
            ASSERT_EQ(CheckToughnessWitness(Make(red.NodeCount(), kept), r.reason.substr(0, r.reason.size() - after.size())), "") << what;
        } else {
            ASSERT_EQ(CheckToughnessWitness(g, r.reason), "") << what;
        }
    }
}

}  // namespace

TEST(Portfolio, EveryGraphUpToNineNodesWithMinimumDegreeTwo) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // A sanitizer slows the search forty times over: a fixed tenth of the
    // 9-node graphs still reaches every part, and the plain build checks
    // them all.
    constexpr std::size_t kNineNodeStride = 10;
#else
    constexpr std::size_t kNineNodeStride = 1;
#endif
    hcp::ExactSearch search;
    for (int n = 3; n <= 9; ++n) {
        const auto graphs = Geng("-c -d2 " + std::to_string(n));
        if (graphs.empty()) GTEST_SKIP() << "nauty-geng is not installed";
        int hamiltonian = 0;
        const std::size_t stride = n == 9 ? kNineNodeStride : 1;
        for (std::size_t i = 0; i < graphs.size(); i += stride) {
            const bool truth = HamiltonianByDp(graphs[i]);
            hamiltonian += truth;
            for (ExactEngine e : kEngines) Expect(search, graphs[i], e, truth, std::to_string(n) + "-node #" + std::to_string(i));
        }
        // The Hamiltonian ones among them (OEIS A003216, connected with
        // minimum degree 2 counted by nauty): both answers occur.
        EXPECT_GT(hamiltonian, 0);
        if (n >= 5) {
            EXPECT_LT(hamiltonian, static_cast<int>(graphs.size()));
        }
    }
}

TEST(Portfolio, EveryCubicGraphUpToEighteenNodesAgainstKnownCounts) {
    // Connected cubic graphs, and how many have no Hamiltonian cycle
    // (OEIS A002851 and A164919).
    const struct {
        int nodes;
        std::size_t all, without;
    } counts[] = {{4, 1, 0}, {6, 2, 0}, {8, 5, 0}, {10, 19, 2}, {12, 85, 5}, {14, 509, 35}, {16, 4060, 219}, {18, 41301, 1666}};
    hcp::ExactSearch search;
    for (const auto& c : counts) {
        // nauty-geng takes 15 s over the 18-node ones, so they are stored.
        const auto graphs = c.nodes == 18 ? ReadGraph6File(TOURVANE_SOURCE_DIR "/tests/common/data/cubic18.g6")
                                          : Geng("-c -d3 -D3 " + std::to_string(c.nodes));
        if (graphs.empty()) GTEST_SKIP() << "nauty-geng is not installed";
        ASSERT_EQ(graphs.size(), c.all);
        for (ExactEngine e : {ExactEngine::Auto, ExactEngine::Frontier}) {
            std::size_t without = 0;
            for (const Graph& g : graphs) {
                const hcp::SolveResult r = search.Run(g, {}, e);
                ASSERT_NE(r.verdict, Verdict::Unknown);
                if (r.verdict == Verdict::NoCycle)
                    ++without;
                else
                    ASSERT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
            }
            EXPECT_EQ(without, c.without) << c.nodes << " nodes, " << EngineName(e);
        }
    }
}

TEST(Portfolio, RandomGraphsNearTheThresholdUpToTwentyFourNodes) {
    hcp::ExactSearch search;
    int hamiltonian = 0, total = 0;
    for (NodeId n = 10; n <= 24; ++n)
        for (std::uint64_t seed = 1; seed <= (n <= 20 ? 10u : 3u); ++seed) {
            const Graph g = Random(n, (std::log(n) + std::log(std::log(n))) / n, seed * 4099 + n);
            if (g.MinDegree() < 2) continue;
            const bool truth = HamiltonianByDp(g);
            hamiltonian += truth;
            ++total;
            for (ExactEngine e : kEngines) Expect(search, g, e, truth, "G(" + std::to_string(n) + ", p) seed " + std::to_string(seed));
        }
    EXPECT_GT(hamiltonian, total / 5);
    EXPECT_GE(total - hamiltonian, total / 6);
}

TEST(Portfolio, KnownFamiliesWithKnownAnswers) {
    hcp::ExactSearch search;
    for (ExactEngine e : {ExactEngine::Auto, ExactEngine::Frontier}) {
        Expect(search, Petersen(), e, false, "Petersen");
        Expect(search, Herschel(), e, false, "Herschel");
        Expect(search, Coxeter(), e, false, "Coxeter");
        Expect(search, Tutte(), e, false, "Tutte");
        for (NodeId n = 5; n <= 51; n += 2) Expect(search, FlowerSnark(n), e, false, "J" + std::to_string(n));
        // GP(n, 2) has a cycle unless n = 5 (mod 6).
        for (NodeId n = 5; n <= 101; ++n)
            Expect(search, GeneralizedPetersen(n, 2), e, n % 6 != 5, "GP(" + std::to_string(n) + ", 2)");
        Expect(search, CompleteBipartite(7, 8), e, false, "K(7, 8)");
        Expect(search, CompleteBipartite(8, 8), e, true, "K(8, 8)");
        Expect(search, Grid(6, 9), e, true, "6x9 grid");
        Expect(search, Grid(7, 9), e, false, "7x9 grid");
    }
}

TEST(Portfolio, RankModelAloneAgreesWithTheGroundTruth) {
    // The rank model needs no cuts: its first answer is final. Every
    // connected cubic graph of up to 14 nodes and random graphs near the
    // threshold, compared with the exhaustive programme and nauty's counts.
    hcp::ExactSearch search;
    search.SetSatModel(hcp::SatModel::Ranks);
    std::size_t without = 0;
    const auto graphs = Geng("-c -d3 -D3 14");
    if (graphs.empty()) GTEST_SKIP() << "nauty-geng is not installed";
    for (const Graph& g : graphs) {
        const hcp::SolveResult r = search.Run(g, {}, ExactEngine::Sat);
        ASSERT_NE(r.verdict, Verdict::Unknown);
        if (r.verdict == Verdict::NoCycle)
            ++without;
        else
            ASSERT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
        // One call decides, whatever the answer.
        EXPECT_LE(r.stats.satCalls, 1u);
    }
    EXPECT_EQ(without, 35u);
    for (NodeId n = 8; n <= 18; ++n)
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            const Graph g = Random(n, (std::log(n) + std::log(std::log(n))) / n + 0.05, seed * 613 + n);
            Expect(search, g, ExactEngine::Sat, HamiltonianByDp(g), "G(" + std::to_string(n) + ", p) seed " + std::to_string(seed));
        }
    // Graphs where covers are many and cycles none.
    for (NodeId n : {5u, 11u, 17u, 23u}) Expect(search, GeneralizedPetersen(n, 2), ExactEngine::Sat, false, "GP(n, 2)");
    for (NodeId n : {5u, 7u, 9u}) Expect(search, FlowerSnark(n), ExactEngine::Sat, false, "J" + std::to_string(n));
}
