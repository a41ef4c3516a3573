// Leaper graphs built directly as solver graphs, checked against boards whose
// edge counts and degrees are known by hand and against an independent
// pairwise construction.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "core/leapergraph.h"
#include "solve_test_graphs.h"

namespace {

// Joins every pair of squares whose row and column distances are {a, b} in
// either order: the definition, at O(squares^2).
hcp::Graph PairwiseLeaper(int a, int b, int m, int n)
{
    std::vector<hcp::Edge> e;
    const int squares = m * n;
    for (int s = 0; s < squares; ++s)
        for (int t = s + 1; t < squares; ++t) {
            const int dr = std::abs(s / n - t / n), dc = std::abs(s % n - t % n);
            if ((dr == a && dc == b) || (dr == b && dc == a))
                e.emplace_back(static_cast<hcp::NodeId>(s), static_cast<hcp::NodeId>(t));
        }
    return hcp::Graph::FromEdges(static_cast<hcp::NodeId>(squares), e);
}

TEST(LeaperGraph, MatchesThePairwiseDefinitionOnSmallBoards)
{
    const int leapers[][2] = {{1, 2}, {2, 1}, {0, 1}, {1, 1}, {1, 3}, {2, 2}, {0, 0}, {3, 0}};
    for (const auto& l : leapers)
        for (int m = 1; m <= 6; ++m)
            for (int n = 1; n <= 7; ++n)
                EXPECT_EQ(hcp::LeaperGraph(l[0], l[1], m, n), PairwiseLeaper(l[0], l[1], m, n))
                    << l[0] << "," << l[1] << " on " << m << "x" << n;
}

TEST(LeaperGraph, KnownBoards)
{
    // The chessboard knight: 168 moves, corners reach 2 squares, centre 8.
    const hcp::Graph knight = hcp::LeaperGraph(1, 2, 8, 8);
    EXPECT_EQ(knight.NodeCount(), 64u);
    EXPECT_EQ(knight.EdgeCount(), 168u);
    EXPECT_EQ(knight.Degree(0), 2u);
    EXPECT_EQ(knight.Degree(3 * 8 + 3), 8u);
    EXPECT_EQ(knight, solvetest::Knight(8, 8));
    // The grid: m(n-1) + n(m-1) unit steps.
    EXPECT_EQ(hcp::LeaperGraph(0, 1, 5, 7).EdgeCount(), 5u * 6 + 7u * 4);
    // A rectangular board keeps rows of n squares: square (r, c) is r*n + c.
    const hcp::Graph wide = hcp::LeaperGraph(0, 1, 2, 3);
    EXPECT_TRUE(wide.HasEdge(0, 3));
    EXPECT_TRUE(wide.HasEdge(2, 5));
    EXPECT_FALSE(wide.HasEdge(2, 3));
    // Beyond the legacy 32,767-square limit.
    const hcp::Graph big = hcp::LeaperGraph(1, 2, 200, 200);
    EXPECT_EQ(big.NodeCount(), 40000u);
    EXPECT_EQ(big.EdgeCount(), 4u * (200 - 1) * (200 - 2));
}

TEST(LeaperGraph, RefusesBadArguments)
{
    EXPECT_THROW(hcp::LeaperGraph(-1, 2, 8, 8), std::invalid_argument);
    EXPECT_THROW(hcp::LeaperGraph(1, -2, 8, 8), std::invalid_argument);
    EXPECT_THROW(hcp::LeaperGraph(1, 2, 0, 8), std::invalid_argument);
    EXPECT_THROW(hcp::LeaperGraph(1, 2, 8, -3), std::invalid_argument);
    EXPECT_THROW(hcp::LeaperGraph(1, 2, 70000, 70000), std::invalid_argument);
}

}  // namespace
