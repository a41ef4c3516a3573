// The solver graph type: building, conversion to and from the legacy bit
// graph, and the one cycle check.
#include <gtest/gtest.h>

#include <random>

#include "core/cyclecheck.h"
#include "core/graph.h"
#include "graph/bitgraph.h"
#include "solve/solve_test_graphs.h"

using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;

TEST(SolverGraph, MergesRepeatsAndDropsSelfLoops) {
    const std::vector<Edge> edges{{0, 1}, {1, 0}, {2, 2}, {1, 2}, {0, 1}};
    const Graph g = Graph::FromEdges(4, edges);
    EXPECT_EQ(g.NodeCount(), 4u);
    EXPECT_EQ(g.EdgeCount(), 2u);
    EXPECT_TRUE(g.HasEdge(1, 0));
    EXPECT_FALSE(g.HasEdge(2, 2));
    EXPECT_EQ(g.Degree(3), 0u);
    EXPECT_EQ(g.MinDegree(), 0u);
    EXPECT_EQ(g.MaxDegree(), 2u);
    EXPECT_EQ(g.Edges(), (std::vector<Edge>{{0, 1}, {1, 2}}));
}

TEST(SolverGraph, RejectsNodeOutOfRangeNamingIt) {
    const std::vector<Edge> edges{{0, 7}};
    try {
        Graph::FromEdges(3, edges);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "edge 1 8 names a node outside 1..3");
    }
}

TEST(SolverGraph, BitGraphRoundTripOnRandomGraphs) {
    std::mt19937 gen(5);
    for (int n : {0, 1, 2, 7, 8, 9, 17, 64, 100}) {
        std::vector<Edge> edges;
        std::bernoulli_distribution coin(0.3);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (coin(gen)) edges.emplace_back(i, j);
        const Graph g = Graph::FromEdges(static_cast<NodeId>(n), edges);
        const CBitGraph b = g.ToBitGraph();
        EXPECT_EQ(static_cast<unsigned>(b.GetEdgeCount()), g.EdgeCount()) << n;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                ASSERT_EQ(b.GetEdge(static_cast<short>(i + 1), static_cast<short>(j + 1)),
                          g.HasEdge(i, j)) << n << ": " << i << " " << j;
        EXPECT_EQ(Graph::FromBitGraph(b), g) << n;
    }
}

TEST(SolverGraph, FixedEdgesMustBeEdges) {
    Graph g = solvetest::Cycle(5);
    g.SetFixedEdges({{1, 0}, {3, 4}});
    EXPECT_EQ(g.FixedEdges(), (std::vector<Edge>{{0, 1}, {3, 4}}));
    EXPECT_THROW(g.SetFixedEdges({{0, 2}}), std::invalid_argument);
}

TEST(CycleCheck, JudgesOrders) {
    const Graph g = solvetest::Cycle(5);
    const std::vector<NodeId> good{0, 1, 2, 3, 4};
    EXPECT_TRUE(hcp::CheckCycle(g, good).hamiltonian);
    const std::vector<NodeId> twoGaps{0, 2, 1, 3, 4};
    const auto c = hcp::CheckCycle(g, twoGaps);
    EXPECT_TRUE(c.permutation);
    EXPECT_EQ(c.gaps, 2);
    EXPECT_FALSE(c.hamiltonian);
    const std::vector<NodeId> repeat{0, 1, 1, 3, 4};
    EXPECT_EQ(hcp::CheckCycle(g, repeat).problem, "node 2 appears twice");
    const std::vector<NodeId> outside{0, 1, 9, 3, 4};
    EXPECT_EQ(hcp::CheckCycle(g, outside).problem, "node 10 is outside 1..5");
    const std::vector<NodeId> shortOrder{0, 1};
    EXPECT_FALSE(hcp::CheckCycle(g, shortOrder).permutation);
}

TEST(CycleCheck, NoCycleOnFewerThanThreeNodes) {
    const std::vector<Edge> one{{0, 1}};
    const Graph g = Graph::FromEdges(2, one);
    const std::vector<NodeId> order{0, 1};
    EXPECT_FALSE(hcp::CheckCycle(g, order).hamiltonian);
}
