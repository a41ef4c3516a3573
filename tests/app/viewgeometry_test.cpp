// The graph view's geometry: graph rectangle, node positions, hit test,
// drops, radii and the printed page.
#include <gtest/gtest.h>

#include <vector>

#include "viewgeometry.h"

namespace {

using app::Box;

TEST(GraphRect, InsetByTheMarginBelowTheTitleStrip)
{
    EXPECT_EQ(app::GraphRect(440, 340, 20), (Box{20, 40, 420, 320}));
}

TEST(NodePoint, PixelsOfUnitCoordinates)
{
    const Box r = app::GraphRect(440, 340, 20);
    EXPECT_EQ(app::NodePoint(r, 0.5f, 0.5f), (app::Point{220, 180}));
    EXPECT_EQ(app::NodePoint(r, 0.0f, 0.5f), (app::Point{20, 180}));
    EXPECT_EQ(app::NodePoint(r, 1.0f, 1.0f), (app::Point{420, 320}));
}

TEST(NodePoint, TruncatesTowardZeroLeftOfTheArea)
{
    const Box r{20, 40, 420, 320};
    // 400 * -0.06 + 20 = -4: truncation gives -3.x -> -3, not -4.
    EXPECT_EQ(app::NodePoint(r, -0.059f, 0.0f).x, -3);
}

struct HitFixture : ::testing::Test {
    Box r{20, 40, 420, 320};
    std::vector<float> x{0.5f}, y{0.5f};   // node 1 at (220, 180)
};

TEST_F(HitFixture, OnTheCircleBoundaryHitsOnePixelBeyondMisses)
{
    const int radius = 10;
    EXPECT_EQ(app::HitTest(r, radius, 1, x.data(), y.data(), 230, 180), 1);
    EXPECT_EQ(app::HitTest(r, radius, 1, x.data(), y.data(), 231, 180), -1);
    EXPECT_EQ(app::HitTest(r, radius, 1, x.data(), y.data(), 220, 170), 1);
    EXPECT_EQ(app::HitTest(r, radius, 1, x.data(), y.data(), 220, 169), -1);
    // Inside the square but outside the circle.
    EXPECT_EQ(app::HitTest(r, radius, 1, x.data(), y.data(), 228, 188), -1);
    EXPECT_EQ(app::HitTest(r, radius, 1, x.data(), y.data(), 226, 188), 1);
}

TEST_F(HitFixture, NoNodesNeverHit)
{
    EXPECT_EQ(app::HitTest(r, 10, 0, x.data(), y.data(), 220, 180), -1);
}

TEST(HitTest, OverlappingNodesGiveTheHighestNumber)
{
    const Box r{20, 40, 420, 320};
    std::vector<float> x(7, 0.0f), y(7, 0.0f);
    x[2] = 0.5f;  y[2] = 0.5f;    // node 3 at (220, 180)
    x[6] = 0.51f; y[6] = 0.5f;    // node 7 at (224, 180)
    EXPECT_EQ(app::HitTest(r, 8, 7, x.data(), y.data(), 222, 180), 7);
    EXPECT_EQ(app::HitTest(r, 8, 7, x.data(), y.data(), 213, 180), 3);
}

TEST(Drop, InsideTheClientBelowTheTitleStrip)
{
    EXPECT_FALSE(app::DropAccepted(440, 340, 20, 100, 19));
    EXPECT_TRUE(app::DropAccepted(440, 340, 20, 100, 20));
    EXPECT_TRUE(app::DropAccepted(440, 340, 20, 0, 339));
    EXPECT_FALSE(app::DropAccepted(440, 340, 20, 440, 100));
    EXPECT_FALSE(app::DropAccepted(440, 340, 20, -1, 100));
    EXPECT_FALSE(app::DropAccepted(440, 340, 20, 10, 340));
}

TEST(Drop, UnitCoordinatesMayLieOutsideTheSquare)
{
    const Box r = app::GraphRect(440, 340, 20);
    float ux = 0, uy = 0;
    app::DropToUnit(r, 220, 20, ux, uy);
    EXPECT_FLOAT_EQ(ux, 0.5f);
    EXPECT_FLOAT_EQ(uy, (20.0f - 40.0f) / (340.0f - 60.0f));
    EXPECT_LT(uy, 0.0f);
}

TEST(Drop, DegenerateRectangleKeepsTheDivisionDefined)
{
    float ux = 5, uy = 5;
    app::DropToUnit(Box{20, 40, 20, 40}, 30, 50, ux, uy);
    EXPECT_EQ(ux, 0.0f);
    EXPECT_EQ(uy, 0.0f);
}

TEST(LabelRadius, EnclosesTheLabelBox)
{
    EXPECT_EQ(app::LabelRadius(8, 16, 1), 1 + 8);     // sqrt(320) / 2 = 8.94
    EXPECT_EQ(app::LabelRadius(6, 8, 10), 10 + 5);
    EXPECT_EQ(app::LabelRadius(0, 0, 1), 1);
}

TEST(PrintRects, MarginsOfThePrintedPage)
{
    const app::PrintLayout p = app::PrintRects(Box{0, 0, 4800, 6600});
    EXPECT_EQ(p.draw, (Box{100, 100, 4800, 6600}));
    EXPECT_EQ(p.graph, (Box{200, 300, 4700, 6500}));
    // The rule line lies 200 below the page's top.
    EXPECT_EQ(p.graph.top - 100, 200);
}

}  // namespace
