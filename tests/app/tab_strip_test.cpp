// Tab strip geometry: spans, hit ranges, caption rows and the view area.
#include <gtest/gtest.h>

#include "tabstrip.h"

using app::hitTestTabs;
using app::layoutTabs;

namespace {

// Captions 30 and 20 pixels wide: tabs [0, 47] and [47, 84].
std::vector<app::TabSpan> TwoTabs() { return layoutTabs({30, 20}); }

}  // namespace

TEST(TabStrip, SecondTabStartsWhereTheFirstEnds)
{
    const auto spans = TwoTabs();
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].left, 0);
    EXPECT_EQ(spans[0].right, 47);
    EXPECT_EQ(spans[1].left, 47);
    EXPECT_EQ(spans[1].right, 84);
    EXPECT_TRUE(layoutTabs({}).empty());
}

TEST(TabStrip, OtherTabsAreHitFromRowSevenToTwentySeven)
{
    const auto spans = TwoTabs();
    EXPECT_EQ(hitTestTabs(spans, 0, 60, 6), -1);
    EXPECT_EQ(hitTestTabs(spans, 0, 60, 7), 1);
    EXPECT_EQ(hitTestTabs(spans, 0, 60, 27), 1);
    EXPECT_EQ(hitTestTabs(spans, 0, 60, 28), -1);
}

TEST(TabStrip, SelectedTabIsHitFromRowFive)
{
    const auto spans = TwoTabs();
    EXPECT_EQ(hitTestTabs(spans, 0, 10, 4), -1);
    EXPECT_EQ(hitTestTabs(spans, 0, 10, 5), 0);
    EXPECT_EQ(hitTestTabs(spans, 1, 10, 5), -1);
    EXPECT_EQ(hitTestTabs(spans, 1, 60, 5), 1);
}

TEST(TabStrip, BothEdgesBelongToATabAndTheFirstWinsAtTheJoint)
{
    const auto spans = TwoTabs();
    EXPECT_EQ(hitTestTabs(spans, 1, 0, 10), 0);
    EXPECT_EQ(hitTestTabs(spans, 1, 47, 10), 0);
    EXPECT_EQ(hitTestTabs(spans, 1, 48, 10), 1);
    EXPECT_EQ(hitTestTabs(spans, 1, 84, 10), 1);
    EXPECT_EQ(hitTestTabs(spans, 1, 85, 10), -1);
    EXPECT_EQ(hitTestTabs(spans, 1, -1, 10), -1);
}

TEST(TabStrip, CaptionRowDependsOnSelection)
{
    // A 14-pixel caption: (20 - 14) / 2 = 3, plus 6 or 7.
    EXPECT_EQ(app::captionTop(14, true), 9);
    EXPECT_EQ(app::captionTop(14, false), 10);
    // Integer division of an odd difference.
    EXPECT_EQ(app::captionTop(15, false), 9);
}

TEST(TabStrip, ViewsFillTheFrameLessBorderAndStrip)
{
    const app::ViewRect r = app::viewRect(400, 300);
    EXPECT_EQ(r.x, 2);
    EXPECT_EQ(r.y, 34);
    EXPECT_EQ(r.width, 396);
    EXPECT_EQ(r.height, 264);
    const app::ViewRect tiny = app::viewRect(3, 20);
    EXPECT_EQ(tiny.width, 0);
    EXPECT_EQ(tiny.height, 0);
}
