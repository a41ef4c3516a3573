// Region orders against every cover of small graphs: with an order on a
// node set, each model's solutions are exactly the covers (sets of
// disjoint cycles through every node, forced edges kept) with no cycle
// inside the set, found by enumerating edge sets. A region order that
// forbade one cover too many would cost a Hamiltonian cycle, one too few
// would leave the cut loop its family of covers.
#include <gtest/gtest.h>

#include <cadical.hpp>

#include <algorithm>
#include <random>
#include <set>
#include <stop_token>
#include <vector>

#include "common/graphfamilies.h"
#include "exact/allcovers.h"
#include "exact/coverencoding.h"
#include "exact/reduction.h"
#include "exact/workgraph.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::SatModel;
using hcp::WorkGraph;
using covertest::AllCovers;
using covertest::CyclesOf;
using covertest::HasCycleInside;
using covertest::EdgeSet;
using covertest::Working;

namespace {

// The covers each model admits after the region orders.
std::set<EdgeSet> ModelCovers(const WorkGraph& w, SatModel model, const std::vector<std::vector<NodeId>>& regions)
{
    return covertest::ModelCovers(w, model, [&](CaDiCaL::Solver& solver, hcp::CoverEncoding& encoding) {
        std::vector<std::uint32_t> mark(w.NodeCount(), 0);
        std::uint32_t stamp = 0;
        for (const auto& region : regions) {
            ++stamp;
            for (NodeId v : region) mark[v] = stamp;
            encoding.AddRegion(solver, region, mark, stamp);
        }
    });
}

// Random proper subsets of the nodes, of 3 to n - 1 nodes.
std::vector<std::vector<NodeId>> RandomRegions(NodeId n, int count, std::mt19937_64& rng)
{
    return covertest::RandomSets(n, count, rng, 3, n - 1);
}

void ExpectExactlyTheAllowedCovers(const Graph& g, const std::vector<std::vector<NodeId>>& regions, const char* what)
{
    Working work(g);
    ASSERT_TRUE(work.open) << what;
    const WorkGraph& w = work.graph;
    ASSERT_LE(w.EdgeCount(), 26u) << what;
    std::vector<std::vector<bool>> inRegion;
    for (const auto& r : regions) {
        inRegion.emplace_back(w.NodeCount(), false);
        for (NodeId v : r) inRegion.back()[v] = true;
    }
    std::set<EdgeSet> allowed, hamiltonian;
    for (const EdgeSet& c : AllCovers(w)) {
        if (CyclesOf(w, c).size() == 1) hamiltonian.insert(c);
        if (std::none_of(inRegion.begin(), inRegion.end(), [&](const auto& in) { return HasCycleInside(w, c, in); }))
            allowed.insert(c);
    }
    EXPECT_EQ(ModelCovers(w, SatModel::Edges, regions), allowed) << what << ": edge model";
    EXPECT_EQ(ModelCovers(w, SatModel::Arcs, regions), allowed) << what << ": arc model";
    EXPECT_EQ(ModelCovers(w, SatModel::Ranks, regions), hamiltonian) << what << ": rank model";
}

}  // namespace

TEST(RegionOrder, EachModelAdmitsExactlyTheCoversWithNoCycleInside)
{
    std::mt19937_64 rng(7);
    covertest::ForRandomCubic([&](std::uint64_t, const Graph& g, const WorkGraph& w) {
        for (const auto& region : RandomRegions(w.NodeCount(), 4, rng))
            ExpectExactlyTheAllowedCovers(g, {region}, "random cubic graph");
        // Several orders on one solver, each with its own numbering.
        ExpectExactlyTheAllowedCovers(g, RandomRegions(w.NodeCount(), 3, rng), "three regions at once");
    });
}

TEST(RegionOrder, PetersenCoversOfTwoPentagonsAreForbiddenByEitherPentagon)
{
    // Every cover of the Petersen graph is two 5-cycles, and it has no
    // Hamiltonian cycle; an order on the outer rim forbids the covers that
    // use the rim, and one on the rim plus an inner node still does.
    const Graph g = testgraphs::Petersen();
    ExpectExactlyTheAllowedCovers(g, {{0, 1, 2, 3, 4}}, "outer rim");
    ExpectExactlyTheAllowedCovers(g, {{0, 1, 2, 3, 4, 5}}, "rim and a spoke's end");
    ExpectExactlyTheAllowedCovers(g, {{5, 6, 7, 8, 9}, {0, 1, 2, 3, 4}}, "both rims");
}

TEST(RegionOrder, ACycleThroughARegionOfPowerOfTwoSizeCannotWrapRound)
{
    // Faces of the cube: four nodes, two position bits, and a 4-cycle
    // through all of them would number itself if 3 + 1 wrapped to 0.
    const Graph g = testgraphs::Hypercube(3);
    ExpectExactlyTheAllowedCovers(g, {{0, 1, 3, 2}}, "a face");
    ExpectExactlyTheAllowedCovers(g, {{0, 1, 3, 2}, {4, 5, 7, 6}}, "opposite faces");
    ExpectExactlyTheAllowedCovers(g, {{0, 1, 2, 3, 4, 5, 6}}, "all but one node");
    // Eight of the twelve nodes of the prism over a hexagon: four of each
    // rim and the two rungs at their ends make a cycle of 8 through them.
    ExpectExactlyTheAllowedCovers(testgraphs::GeneralizedPetersen(6, 1), {{0, 1, 2, 3, 6, 7, 8, 9}}, "prism");
}

TEST(RegionOrder, OrdersAreSoundOnHamiltonianGraphsOfDegreeFour)
{
    // Denser graphs: nodes with four edges inside a region, where the edge
    // model's in-and-out rule has three pairs to state per node.
    std::mt19937_64 rng(11);
    covertest::ForRandomDense([&](const Graph& g, const WorkGraph& w) {
        for (const auto& region : RandomRegions(w.NodeCount(), 3, rng))
            ExpectExactlyTheAllowedCovers(g, {region}, "random graph");
    });
}
