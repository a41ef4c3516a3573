// Circle layouts: where the initial layout and the cycle-order layout put
// each node.
#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "layout.h"

namespace {

constexpr float kEps = 1e-6f;

TEST(InitialLayout, FourNodesStartAtLeftAndRunClockwise)
{
    std::vector<float> x, y;
    app::InitialCircleLayout(4, x, y);
    ASSERT_EQ(x.size(), 4u);
    ASSERT_EQ(y.size(), 4u);
    EXPECT_NEAR(x[0], 0.0f, kEps);  EXPECT_NEAR(y[0], 0.5f, kEps);
    EXPECT_NEAR(x[1], 0.5f, kEps);  EXPECT_NEAR(y[1], 0.0f, kEps);
    EXPECT_NEAR(x[2], 1.0f, kEps);  EXPECT_NEAR(y[2], 0.5f, kEps);
    EXPECT_NEAR(x[3], 0.5f, kEps);  EXPECT_NEAR(y[3], 1.0f, kEps);
}

TEST(InitialLayout, EveryNodeLiesOnTheUnitCircleAroundTheCentre)
{
    std::vector<float> x, y;
    app::InitialCircleLayout(101, x, y);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double dx = x[i] - 0.5, dy = y[i] - 0.5;
        EXPECT_NEAR(dx * dx + dy * dy, 0.25, 1e-6) << "node " << i + 1;
    }
}

TEST(InitialLayout, EmptyGraphHasNoPositions)
{
    std::vector<float> x{1.0f}, y{1.0f};
    app::InitialCircleLayout(0, x, y);
    EXPECT_TRUE(x.empty());
    EXPECT_TRUE(y.empty());
}

TEST(CycleLayout, LastNodeOfTheOrderSitsAtTheTop)
{
    std::vector<float> x, y;
    app::InitialCircleLayout(4, x, y);
    app::CycleCircleLayout(std::vector<hcp::NodeId>{1, 3, 0, 2}, 4, x, y);
    EXPECT_NEAR(x[2], 0.5f, kEps);  EXPECT_NEAR(y[2], 0.0f, kEps);  // node 3, k = 4
    EXPECT_NEAR(x[1], 1.0f, kEps);  EXPECT_NEAR(y[1], 0.5f, kEps);  // node 2, k = 1
    EXPECT_NEAR(x[3], 0.5f, kEps);  EXPECT_NEAR(y[3], 1.0f, kEps);  // node 4, k = 2
    EXPECT_NEAR(x[0], 0.0f, kEps);  EXPECT_NEAR(y[0], 0.5f, kEps);  // node 1, k = 3
}

TEST(CycleLayout, EmptyOrderMovesNothing)
{
    std::vector<float> x{0.25f, 0.75f}, y{0.1f, 0.9f};
    app::CycleCircleLayout(std::vector<hcp::NodeId>{}, 2, x, y);
    EXPECT_EQ(x, (std::vector<float>{0.25f, 0.75f}));
    EXPECT_EQ(y, (std::vector<float>{0.1f, 0.9f}));
}

TEST(CycleLayout, DuplicatesLeaveMissingNodesWhereTheyWere)
{
    std::vector<float> x, y;
    app::InitialCircleLayout(3, x, y);
    const float x3 = x[2], y3 = y[2];
    app::CycleCircleLayout(std::vector<hcp::NodeId>{0, 0, 1}, 3, x, y);
    EXPECT_EQ(x[2], x3);
    EXPECT_EQ(y[2], y3);
}

TEST(CycleLayout, NodesOutsideTheGraphAreSkipped)
{
    std::vector<float> x, y;
    app::InitialCircleLayout(3, x, y);
    const std::vector<float> before = x;
    app::CycleCircleLayout(std::vector<hcp::NodeId>{3, 9, 0xFFFFFFFFu}, 3, x, y);
    EXPECT_EQ(x, before);
}

}  // namespace
