// Cycle texts: the title line and the parsing of typed cycles.
#include <gtest/gtest.h>

#include <list>
#include <string>

#include "cycle/cycle.h"
#include "cycletext.h"

namespace {

int Parse(const std::string& text, std::list<short>& out)
{
    return app::ParseCycleText(text, out);
}

TEST(CycleTitle, DropsTheLineFeedAndParenthesis)
{
    EXPECT_EQ(app::CycleTitleFromString("\n(0): {1 2 3 1}"), "(H=0): {1 2 3 1}");
    EXPECT_EQ(app::CycleTitleFromString("\n(3): {1=2=3=1}"), "(H=3): {1=2=3=1}");
}

TEST(CycleTitle, OfATriangleInOrder)
{
    CCycle c(3);
    c.SetEdge(1, 2);
    c.SetEdge(2, 3);
    c.SetEdge(1, 3);
    std::list<short> order{1, 2, 3};
    c.Restore(&order);
    EXPECT_EQ(app::CycleTitleFromString(c.MakeString()), "(H=0): {1 2 3 1}");
}

TEST(CycleTitle, SmallGraphShowsItsDimension)
{
    EXPECT_EQ(app::DimensionTitle(1), "(N=1)");
    EXPECT_EQ(app::DimensionTitle(0), "(N=0)");
}

TEST(ParseCycleText, BracedListsWithOrWithoutBlanks)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 2 3 }", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 2, 3}));
    EXPECT_EQ(Parse("{1 2 3}", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 2, 3}));
}

TEST(ParseCycleText, MissingOrReversedBracesAreErrorsAndKeepTheList)
{
    std::list<short> l{7, 8};
    EXPECT_EQ(Parse("1 2 3", l), -1);
    EXPECT_EQ(Parse("} 1 2 3 {", l), -1);
    EXPECT_EQ(Parse("{ 1 2 3", l), -1);
    EXPECT_EQ(l, (std::list<short>{7, 8}));
}

TEST(ParseCycleText, ZeroAndNegativeValuesAreSkipped)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 2 0 3 }", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 2, 3}));
    EXPECT_EQ(Parse("{ -4 5 }", l), 1);
}

TEST(ParseCycleText, ReadingStopsAtTheFirstNonNumber)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 2 x 3 }", l), 2);
    EXPECT_EQ(l, (std::list<short>{1, 2}));
    EXPECT_EQ(Parse("{ 1 70000 3 }", l), 1);
}

TEST(ParseCycleText, TextOutsideTheBracesIsIgnored)
{
    std::list<short> l;
    EXPECT_EQ(Parse("cycle { 2 1 3 } and 4 5", l), 3);
    EXPECT_EQ(l, (std::list<short>{2, 1, 3}));
}

TEST(ParseCycleText, EmptyBracesGiveAnEmptyList)
{
    std::list<short> l{1};
    EXPECT_EQ(Parse("{ }", l), 0);
    EXPECT_TRUE(l.empty());
}

TEST(ParseCycleText, DuplicatesPassUnchanged)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 1 2 }", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 1, 2}));
}

}  // namespace
