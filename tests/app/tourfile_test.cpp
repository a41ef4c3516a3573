// Tour files read into cycle texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cycle/cycle.h"
#include "cycletext.h"
#include "tourfile.h"

namespace {

std::string FromText(const std::string& content)
{
    std::istringstream in(content);
    return app::TourTextFromStream(in);
}

TEST(TourText, SectionUpToMinusOne)
{
    EXPECT_EQ(FromText("NAME : t\nTOUR_SECTION\n3\n1\n2\n-1\nEOF\n"), "{ 3 1 2 }");
}

TEST(TourText, LinesAfterMinusOneAreNotRead)
{
    EXPECT_EQ(FromText("TOUR_SECTION\n1\n-1\n5\n"), "{ 1 }");
}

TEST(TourText, MissingSectionGivesEmptyBraces)
{
    EXPECT_EQ(FromText("NAME : t\n1\n2\n"), "{ }");
    EXPECT_EQ(FromText(""), "{ }");
}

TEST(TourText, KeywordWithATrailingBlankNeverMatches)
{
    EXPECT_EQ(FromText("TOUR_SECTION \n1\n2\n-1\n"), "{ }");
}

TEST(TourText, CarriageReturnTakesTheNextCharacterWithIt)
{
    EXPECT_EQ(FromText("TOUR_SECTION\r\n  4\r\n  2\r\n-1\r\n"), "{ 4 2 }");
    // A lone CR ends the line "5" and eats the '1' that follows it.
    EXPECT_EQ(FromText("TOUR_SECTION\r\n5\r12\n-1\n"), "{ 5 2 }");
}

TEST(TourText, LeadingIntegerOnlyAndZeroWhenThereIsNone)
{
    EXPECT_EQ(FromText("TOUR_SECTION\n  7 extra\n+8\nabc\n-1\n"), "{ 7 8 0 }");
}

TEST(TourText, ValuesAreCutToTheirLow16Bits)
{
    EXPECT_EQ(FromText("TOUR_SECTION\n65537\n32768\n-1\n"), "{ 1 -32768 }");
}

TEST(TourText, SectionRunningToTheEndWithoutMinusOne)
{
    EXPECT_EQ(FromText("TOUR_SECTION\n1\n2"), "{ 1 2 }");
}

TEST(ReadTourFile, FileWrittenByStoreCycleReadsBackInTheSameOrder)
{
    const auto dir = std::filesystem::temp_directory_path() / "tourvane_tourfile_test";
    std::filesystem::create_directories(dir);
    CCycle c(5);
    std::list<short> order{3, 5, 1, 4, 2};
    c.Restore(&order);
    const std::string base = (dir / "five.hcp").string();
    ASSERT_TRUE(c.StoreCycle(base.c_str()));
    std::string text;
    ASSERT_TRUE(app::ReadTourFile((dir / "five.tou").string(), text));
    EXPECT_EQ(text, "{ 3 5 1 4 2 }");
    std::list<short> parsed;
    EXPECT_EQ(app::ParseCycleText(text, parsed), 5);
    EXPECT_EQ(parsed, order);
    std::filesystem::remove_all(dir);
}

TEST(ReadTourFile, MissingFileIsReportedWithItsName)
{
    std::string text = "kept";
    std::string error;
    EXPECT_FALSE(app::ReadTourFile("/nonexistent/dir/none.tou", text, &error));
    EXPECT_EQ(text, "kept");
    EXPECT_NE(error.find("/nonexistent/dir/none.tou"), std::string::npos);
}

}  // namespace
