// The cheap proofs: each rule of the reduction on a graph made to need it,
// with the reason a user reads.
#include <gtest/gtest.h>

#include "exact/exactsearch.h"
#include "exact/reduction.h"
#include "common/graphfamilies.h"
#include "common/heldkarp.h"

using namespace testgraphs;
using hcp::ProofOutcome;
using hcp::Reduction;

namespace {

std::string Refute(const Graph& g) {
    Reduction r;
    EXPECT_EQ(r.Run(g), ProofOutcome::NoCycle);
    return r.Reason();
}

}  // namespace

TEST(CheapProofs, DegreeBelowTwo) {
    // A 5-cycle with a pendant node 6 on node 3.
    auto g = Make(6, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {2, 5}});
    EXPECT_EQ(Refute(g), "node 6 has degree 1");
    EXPECT_EQ(Refute(Make(4, {{0, 1}, {1, 2}, {2, 0}})), "node 4 has degree 0");
}

TEST(CheapProofs, TooFewNodes) {
    EXPECT_EQ(Refute(Make(2, {{0, 1}})), "a cycle needs at least 3 nodes, the graph has 2");
    EXPECT_EQ(Refute(Graph{}), "a cycle needs at least 3 nodes, the graph has 0");
}

TEST(CheapProofs, DisconnectedAndCutVertex) {
    auto twoTriangles = Make(6, {{0, 1}, {1, 2}, {2, 0}, {3, 4}, {4, 5}, {5, 3}});
    EXPECT_EQ(Refute(twoTriangles), "the graph is disconnected");
    // Bow tie: two triangles sharing node 3.
    auto bowTie = Make(5, {{0, 1}, {1, 2}, {2, 0}, {2, 3}, {3, 4}, {4, 2}});
    EXPECT_EQ(Refute(bowTie), "node 3 is a cut vertex");
}

TEST(CheapProofs, BipartiteSidesDiffer) {
    EXPECT_EQ(Refute(CompleteBipartite(4, 5)), "bipartite sides of 5 and 4 nodes");
    EXPECT_EQ(Refute(Grid(5, 5)), "bipartite sides of 13 and 12 nodes");
    EXPECT_EQ(Refute(Herschel()), "bipartite sides of 6 and 5 nodes");
}

TEST(CheapProofs, ThreeForcedEdgesAtOneNode) {
    // Every path has an inner node of degree 2, so all six edges at the hubs
    // are forced: a hub would need three, or, once two are forced, the third
    // path loses its edge at the hub and strands a node.
    for (NodeId a : {1u, 2u, 4u}) {
        const std::string reason = Refute(Theta(a, 2, 3));
        EXPECT_TRUE(reason.find("would need three cycle edges") != std::string::npos
                    || reason.find("once the edges no cycle can use are removed") != std::string::npos)
            << reason;
    }
}

TEST(CheapProofs, ClosingEdgesGoAndStrandANode) {
    // Nodes 2 and 4 have degree 2, so the square 1-2-3-4 would be forced
    // shut; the edge 3-4 that closes the path 4 1 2 3 early goes, and the
    // forced paths then reach every node with unjoined ends.
    auto g = Make(7, {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 4}, {4, 5}, {5, 6}, {6, 4}, {2, 5}});
    EXPECT_EQ(Refute(g), "the forced edges make a path through all nodes whose ends 4 and 5 are not joined");
}

TEST(CheapProofs, ForcedCycleShorterThanAll) {
    // In K5, fixing two edges of a triangle is fine; fixing the third too
    // closes a forced cycle of 3 nodes.
    auto g = Complete(5);
    g.SetFixedEdges({{0, 1}, {1, 2}});
    Reduction r;
    EXPECT_EQ(r.Run(g), ProofOutcome::Open);
    g.SetFixedEdges({{0, 1}, {1, 2}, {0, 2}});
    EXPECT_EQ(r.Run(g), ProofOutcome::NoCycle);
    EXPECT_NE(r.Reason().find("close a cycle"), std::string::npos) << r.Reason();
}

TEST(CheapProofs, ForcedEdgesMakeTheCycle) {
    Reduction r;
    ASSERT_EQ(r.Run(Grid(2, 6)), ProofOutcome::Cycle);
    const auto cycle = r.ForcedCycle();
    EXPECT_EQ(cycle.size(), 12u);
    // The 2 x n ladder has exactly one Hamiltonian cycle: its outer rim.
    EXPECT_EQ(r.EdgeCount(), 12u);
}

TEST(CheapProofs, FixedEdgesAreForced) {
    // A 6-cycle with the chord 0-3: its degree-2 nodes force the rim, so a
    // fixed chord gives node 1 three edges, a fixed rim edge changes nothing.
    auto g = Make(6, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 0}, {0, 3}});
    g.SetFixedEdges({{0, 3}});
    Reduction r;
    EXPECT_EQ(r.Run(g), ProofOutcome::NoCycle);
    g.SetFixedEdges({{0, 1}});
    EXPECT_EQ(r.Run(g), ProofOutcome::Cycle);
}

TEST(CheapProofs, ReductionKeepsEveryCycleEdge) {
    // Without nodes of degree 2 or fixed edges there is nothing to force:
    // the hexagonal prism GP(6, 1) keeps all its edges.
    Reduction r;
    ASSERT_EQ(r.Run(GeneralizedPetersen(6, 1)), ProofOutcome::Open);
    EXPECT_EQ(r.EdgeCount(), 18u);
    EXPECT_EQ(r.RemovedEdges(), 0u);
}

TEST(CheapProofs, NoSuccessorMatchingMeansNoCycle) {
    // K(3, 6) plus the edge b1-b2 is neither bipartite nor cut apart, but
    // the six nodes of the big side can only pass on to the three others
    // or to each other along one edge: five successors for six nodes.
    auto edges = CompleteBipartite(3, 6).Edges();
    edges.emplace_back(3, 4);
    const Graph g = Make(9, edges);
    Reduction r;
    EXPECT_EQ(r.Run(g), ProofOutcome::Open);
    hcp::ExactSearch search;
    const auto result = search.Run(g, {}, hcp::ExactEngine::Sat);
    EXPECT_EQ(result.verdict, hcp::Verdict::NoCycle);
    EXPECT_NE(result.reason.find("no set of disjoint cycles covers every node"), std::string::npos)
        << result.reason;
    EXPECT_EQ(result.stats.satCalls, 0u);
}
