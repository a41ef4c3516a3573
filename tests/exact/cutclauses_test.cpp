// The edge model's cuts against every cover of small graphs. A cut on a
// node set must leave exactly the covers with an edge across the set's
// boundary (a cut that lost one more could lose a Hamiltonian cycle), and
// on its boundary literals alone it must exclude exactly the choices no
// cover makes, fewer than two edges across.
#include <gtest/gtest.h>

#include <cadical.hpp>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <random>
#include <set>
#include <stop_token>
#include <vector>

#include "common/graphfamilies.h"
#include "core/cyclecheck.h"
#include "exact/allcovers.h"
#include "exact/coverencoding.h"
#include "exact/reduction.h"
#include "exact/satsearch.h"
#include "exact/workgraph.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::SatModel;
using hcp::WorkGraph;
using covertest::AllCovers;
using covertest::EdgeSet;
using covertest::Working;

namespace {

// The edges with one end in the set.
EdgeSet Boundary(const WorkGraph& w, const std::vector<bool>& in)
{
    EdgeSet cut;
    for (std::uint32_t e = 0; e < w.EdgeCount(); ++e)
        if (in[w.EdgeAt(e).first] != in[w.EdgeAt(e).second]) cut.push_back(e);
    return cut;
}

// The covers the edge model admits after a cut on each set.
std::set<EdgeSet> CoversAfterCuts(const WorkGraph& w, const std::vector<std::vector<NodeId>>& sets)
{
    return covertest::ModelCovers(w, SatModel::Edges, [&](CaDiCaL::Solver& solver, hcp::CoverEncoding& encoding) {
        std::vector<std::uint32_t> mark(w.NodeCount(), 0);
        std::uint32_t stamp = 0;
        for (const auto& set : sets) {
            ++stamp;
            for (NodeId v : set) mark[v] = stamp;
            encoding.AddCut(solver, set, mark, stamp);
        }
    });
}

// Random proper subsets of smallest to n - 2 nodes.
std::vector<std::vector<NodeId>> RandomSets(NodeId n, int count, std::mt19937_64& rng, NodeId smallest = 2)
{
    return covertest::RandomSets(n, count, rng, smallest, n - 2);
}

struct ClauseList : CaDiCaL::ClauseIterator {
    std::vector<std::vector<int>> clauses;
    bool clause(const std::vector<int>& c) override
    {
        clauses.push_back(c);
        return true;
    }
};

void ExpectCutsKeepEveryCrossingCover(const Graph& g, const std::vector<std::vector<NodeId>>& sets, const char* what)
{
    Working work(g);
    ASSERT_TRUE(work.open) << what;
    const WorkGraph& w = work.graph;
    ASSERT_LE(w.EdgeCount(), 24u) << what;
    std::set<EdgeSet> crossing;
    for (const EdgeSet& c : AllCovers(w)) {
        const bool crossesAll = std::all_of(sets.begin(), sets.end(), [&](const auto& set) {
            std::vector<bool> in(w.NodeCount(), false);
            for (NodeId v : set) in[v] = true;
            return std::any_of(c.begin(), c.end(), [&](std::uint32_t e) {
                return in[w.EdgeAt(e).first] != in[w.EdgeAt(e).second];
            });
        });
        if (crossesAll) crossing.insert(c);
    }
    EXPECT_EQ(CoversAfterCuts(w, sets), crossing) << what;
}

}  // namespace

TEST(CutClauses, CutsLeaveExactlyTheCoversThatCrossEverySet)
{
    std::mt19937_64 rng(5);
    int checked = 0;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const Graph g = seed % 3 == 0 ? testgraphs::Random(9, 0.55, seed) : testgraphs::RandomCubic(seed % 2 ? 12 : 10, seed);
        Working probe(g);
        if (!probe.open || probe.graph.EdgeCount() > 24) continue;
        for (const auto& set : RandomSets(probe.graph.NodeCount(), 4, rng))
            ExpectCutsKeepEveryCrossingCover(g, {set}, "one set");
        ExpectCutsKeepEveryCrossingCover(g, RandomSets(probe.graph.NodeCount(), 3, rng), "three sets on one solver");
        ++checked;
    }
    EXPECT_GE(checked, 8);
    // Every cover of the Petersen graph is two pentagons; a cut on the
    // outer rim must drop the one made of the two rims and keep the rest.
    ExpectCutsKeepEveryCrossingCover(testgraphs::Petersen(), {{0, 1, 2, 3, 4}}, "a rim of the Petersen graph");
}

TEST(CutClauses, ACutExcludesFewerThanTwoEdgesAcrossAndNothingElse)
{
    // The clauses a cut adds mention only its boundary edges, so each
    // choice of boundary edges can be checked against them directly.
    std::mt19937_64 rng(9);
    std::set<std::size_t> sizesSeen;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        const Graph g = seed % 2 ? testgraphs::RandomCubic(14, seed) : testgraphs::Random(12, 0.4, seed);
        Working work(g);
        if (!work.open) continue;
        const WorkGraph& w = work.graph;
        for (const auto& set : RandomSets(w.NodeCount(), 16, rng, 1)) {
            std::vector<bool> in(w.NodeCount(), false);
            std::vector<std::uint32_t> mark(w.NodeCount(), 0);
            for (NodeId v : set) {
                in[v] = true;
                mark[v] = 1;
            }
            const EdgeSet cut = Boundary(w, in);
            // (Two edges across make two unit clauses, which the solver
            // keeps as assignments rather than clauses.)
            if (cut.size() < 3 || cut.size() > 10) continue;
            sizesSeen.insert(cut.size());
            CaDiCaL::Solver solver;
            auto encoding = hcp::MakeCoverEncoding(SatModel::Edges, w);
            encoding->AddCut(solver, set, mark, 1);
            ClauseList list;
            solver.traverse_clauses(list);
            for (const auto& c : list.clauses)
                for (int l : c)
                    ASSERT_TRUE(std::binary_search(cut.begin(), cut.end(), static_cast<std::uint32_t>(std::abs(l) - 1)))
                        << "a cut clause mentions an edge off the boundary";
            for (std::uint32_t choice = 0; choice < (1u << cut.size()); ++choice) {
                auto chosen = [&](int l) {
                    const auto at = std::lower_bound(cut.begin(), cut.end(), static_cast<std::uint32_t>(std::abs(l) - 1));
                    return ((choice >> (at - cut.begin())) & 1u) != 0;
                };
                const bool excluded = std::any_of(list.clauses.begin(), list.clauses.end(), [&](const auto& c) {
                    return std::none_of(c.begin(), c.end(), [&](int l) { return chosen(l) == (l > 0); });
                });
                EXPECT_EQ(excluded, std::popcount(choice) < 2)
                    << cut.size() << " boundary edges, " << std::popcount(choice) << " chosen";
            }
        }
    }
    for (std::size_t k = 3; k <= 8; ++k) EXPECT_TRUE(sizesSeen.count(k)) << "no cut of " << k << " edges was tried";
}

namespace {

// Every node of a cubic graph replaced by K_{2,3}, its three nodes of
// degree two taking the node's three edges: a cycle through the result
// runs through each gadget entering and leaving once, so the result has a
// cycle exactly when the base graph has. Each gadget is a set with three
// edges across, whose cut must keep the covers that cross it twice.
Graph Gadgets(const Graph& base)
{
    std::vector<hcp::Edge> e;
    std::vector<NodeId> used(base.NodeCount(), 0);
    for (NodeId v = 0; v < base.NodeCount(); ++v)
        for (NodeId port = 2; port < 5; ++port) {
            e.emplace_back(5 * v, 5 * v + port);
            e.emplace_back(5 * v + 1, 5 * v + port);
        }
    for (const hcp::Edge& b : base.Edges())
        e.emplace_back(5 * b.first + 2 + used[b.first]++, 5 * b.second + 2 + used[b.second]++);
    return testgraphs::Make(5 * base.NodeCount(), e);
}

}  // namespace

TEST(CutClauses, BothModelsDecideGraphsOfThreeEdgeGadgets)
{
    // Petersen, flower snark J5, Coxeter and GP(11, 2) have no cycle; the
    // prism, the dodecahedron, GP(31, 2) and GP(40, 3) have one. A proof
    // takes the cut loop through covers whose cycles keep to gadgets.
    const struct {
        Graph base;
        hcp::Verdict verdict;
        const char* name;
    } cases[] = {{testgraphs::Petersen(), hcp::Verdict::NoCycle, "Petersen"},
                 {testgraphs::FlowerSnark(5), hcp::Verdict::NoCycle, "J5"},
                 {testgraphs::Coxeter(), hcp::Verdict::NoCycle, "Coxeter"},
                 {testgraphs::GeneralizedPetersen(11, 2), hcp::Verdict::NoCycle, "GP(11,2)"},
                 {testgraphs::GeneralizedPetersen(5, 1), hcp::Verdict::Hamiltonian, "prism"},
                 {testgraphs::GeneralizedPetersen(10, 2), hcp::Verdict::Hamiltonian, "dodecahedron"},
                 {testgraphs::GeneralizedPetersen(31, 2), hcp::Verdict::Hamiltonian, "GP(31,2)"},
                 {testgraphs::GeneralizedPetersen(40, 3), hcp::Verdict::Hamiltonian, "GP(40,3)"}};
    for (const auto& c : cases) {
        const Graph g = Gadgets(c.base);
        Working work(g);
        ASSERT_TRUE(work.open) << c.name;
        for (SatModel model : {SatModel::Edges, SatModel::Arcs}) {
            const hcp::SolveResult r = hcp::RunSatSearch(work.graph, hcp::SolveOptions{}, model);
            EXPECT_EQ(r.verdict, c.verdict) << c.name << ": " << r.reason;
            if (r.verdict == hcp::Verdict::NoCycle) {
                EXPECT_GT(r.stats.clausesAdded, 0u) << c.name;
            }
            if (r.verdict == hcp::Verdict::Hamiltonian) {
                EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian) << c.name;
            }
        }
    }
}
