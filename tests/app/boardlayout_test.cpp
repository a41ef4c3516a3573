// Board shapes of leaper graphs, their recognition from the graph and the
// board layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "boardlayout.h"
#include "core/leapergraph.h"
#include "forcelayout.h"

namespace {

TEST(BoardLayout, TheGeneratorsFileName)
{
    EXPECT_EQ(app::LeaperFileName(app::BoardShape{1, 2, 30, 30}), "leaper_1_2_30_30.hcp");
}

TEST(BoardRecognition, TheGraphDecidesWhateverTheName)
{
    const hcp::Graph knight = hcp::LeaperGraph(1, 2, 5, 6);
    EXPECT_EQ(app::RecogniseBoard(knight, "board.hcp"), (app::BoardShape{1, 2, 5, 6}));
    // A name that promises another leaper is overruled by the edges.
    EXPECT_EQ(app::RecogniseBoard(knight, "leaper_2_3_5_6.hcp"), (app::BoardShape{1, 2, 5, 6}));
    // A name that agrees picks its own shape among equal graphs: a 1 x 6
    // row of wazir steps is also a 6 x 1 column.
    const hcp::Graph row = hcp::LeaperGraph(0, 1, 1, 6);
    EXPECT_EQ(app::RecogniseBoard(row, "leaper_0_1_6_1.hcp"), (app::BoardShape{0, 1, 6, 1}));
    hcp::Graph named = hcp::LeaperGraph(1, 2, 4, 4);
    named.SetName("leaper_2_1_4_4");
    EXPECT_EQ(app::RecogniseBoard(named), (app::BoardShape{2, 1, 4, 4}));
    // Fixed edges do not change what the board is.
    hcp::Graph fixed = hcp::LeaperGraph(1, 2, 3, 4);
    fixed.SetFixedEdges({fixed.Edges().front()});
    EXPECT_EQ(app::RecogniseBoard(fixed), (app::BoardShape{1, 2, 3, 4}));
    EXPECT_FALSE(app::RecogniseBoard(hcp::Graph::FromEdges(12, {})));
    // The graph's NAME helps when the file's name does not.
    hcp::Graph row2 = hcp::LeaperGraph(0, 1, 1, 6);
    row2.SetName("leaper_0_1_6_1");
    EXPECT_EQ(app::RecogniseBoard(row2, "board.hcp"), (app::BoardShape{0, 1, 6, 1}));
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
