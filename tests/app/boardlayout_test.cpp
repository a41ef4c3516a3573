// Board shapes of leaper graphs, their edges and the board layout.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "boardlayout.h"
#include "forcelayout.h"

namespace {

TEST(BoardLayout, ShapeFromTheGeneratorsFileName)
{
    const auto s = app::BoardShapeFromName("examples/leaper_1_2_30_30.hcp", 900);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, (app::BoardShape{1, 2, 30, 30}));
    EXPECT_EQ(app::LeaperFileName(*s), "leaper_1_2_30_30.hcp");
    EXPECT_TRUE(app::BoardShapeFromName("leaper_2_3_4_7.hcp", 28));
    EXPECT_FALSE(app::BoardShapeFromName("leaper_1_2_30_30.hcp", 899));   // wrong size
    EXPECT_FALSE(app::BoardShapeFromName("leaper_1_2_30_30x.hcp", 900));
    EXPECT_FALSE(app::BoardShapeFromName("graph150.hcp", 823));
    EXPECT_FALSE(app::BoardShapeFromName("leaper_1_2_0_30.hcp", 0));
}

TEST(BoardLayout, KnightEdgesMatchAnIndependentCount)
{
    // The knight's graph of an m x n board has 4mn - 6(m + n) + 8 edges.
    for (auto [m, n] : {std::pair{3, 4}, {5, 5}, {8, 8}, {6, 9}}) {
        const app::BoardShape s{1, 2, m, n};
        const auto edges = app::LeaperEdges(s);
        EXPECT_EQ(static_cast<int>(edges.size()), 4 * m * n - 6 * (m + n) + 8) << m << "x" << n;
        EXPECT_TRUE(app::EdgesAreLeaperMoves(s, edges));
        // The same moves are no king's moves, nor moves on a wider board.
        EXPECT_FALSE(app::EdgesAreLeaperMoves(app::BoardShape{1, 1, m, n}, edges));
        EXPECT_FALSE(app::EdgesAreLeaperMoves(app::BoardShape{1, 2, m, n + 1}, edges));
        std::set<std::pair<int, int>> unique(edges.begin(), edges.end());
        EXPECT_EQ(unique.size(), edges.size());
        for (auto [u, v] : edges) {
            EXPECT_LT(u, v);
            EXPECT_GE(u, 1);
            EXPECT_LE(v, m * n);
        }
    }
    // A rook's step of one (a wazir) on 2 x 3: 7 edges.
    EXPECT_EQ(app::LeaperEdges(app::BoardShape{0, 1, 2, 3}).size(), 7u);
}

TEST(BoardLayout, EveryNodeSitsOnItsSquare)
{
    const app::BoardShape s{1, 2, 3, 5};
    std::vector<float> x, y;
    app::BoardLayout(s, 15, x, y);
    ASSERT_EQ(x.size(), 15u);
    // Cells of 1/5 on the 5-wide axis; 3 rows centred vertically.
    for (int k = 0; k < 15; ++k) {
        EXPECT_NEAR(x[k], (k % 5 + 0.5) / 5, 1e-6) << k;
        EXPECT_NEAR(y[k], 0.2 + (k / 5 + 0.5) / 5, 1e-6) << k;
    }
    const app::BoardShape g = app::GridShape(10);
    EXPECT_EQ(g.cols, 4);
    EXPECT_EQ(g.rows, 3);
}

TEST(ForceLayout, PlacesEveryNodeInsideTheUnitSquareRepeatably)
{
    // Two triangles joined by one edge: a picture with distinct places.
    const std::vector<std::pair<int, int>> edges = {{1, 2}, {2, 3}, {1, 3}, {4, 5}, {5, 6}, {4, 6}, {3, 4}};
    std::vector<float> x, y, x2, y2;
    ASSERT_TRUE(app::ForceLayout(6, edges, x, y));
    ASSERT_TRUE(app::ForceLayout(6, edges, x2, y2));
    ASSERT_EQ(x.size(), 6u);
    EXPECT_EQ(x, x2);
    EXPECT_EQ(y, y2);
    for (int i = 0; i < 6; ++i) {
        EXPECT_GE(x[i], 0.0f);
        EXPECT_LE(x[i], 1.0f);
        EXPECT_GE(y[i], 0.0f);
        EXPECT_LE(y[i], 1.0f);
    }
    // Neighbours lie closer than the far ends of the two triangles.
    auto d = [&](int a, int b) { return std::hypot(x[a - 1] - x[b - 1], y[a - 1] - y[b - 1]); };
    EXPECT_LT(d(1, 2), d(1, 6));
    std::string why;
    EXPECT_FALSE(app::ForceLayout(3, {{1, 4}}, x, y, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(x.size(), 6u);   // untouched
}

TEST(ForceLayout, NormaliseFillsTheSquareAndCentresDegenerateAxes)
{
    std::vector<double> x{2, 4, 6}, y{1, 1, 1};
    app::NormaliseToUnit(x, y, 0.1);
    EXPECT_DOUBLE_EQ(x[0], 0.1);
    EXPECT_DOUBLE_EQ(x[2], 0.9);
    EXPECT_DOUBLE_EQ(x[1], 0.5);
    EXPECT_DOUBLE_EQ(y[0], 0.5);
}

}  // namespace
