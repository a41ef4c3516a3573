// Tour files read into cycle texts for "Rearrange cycle": tours of this
// program (StoreCycle's .tou), of hcpsolve (.tour) and of other programs,
// and unreadable ones reported without touching the text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <unistd.h>

#include "cycle/cycle.h"
#include "cycletext.h"
#include "io/tourfile.h"
#include "tourfile.h"

namespace {

namespace fs = std::filesystem;

class TourFileRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tourvane_app_tour_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Write(const std::string& name, const std::string& text)
    {
        const fs::path p = m_dir / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    fs::path m_dir;
};

TEST_F(TourFileRead, FileWrittenByStoreCycleReadsBackInTheSameOrder)
{
    CCycle c(5);
    std::list<short> order{3, 5, 1, 4, 2};
    c.Restore(&order);
    const std::string base = (m_dir / "five.hcp").string();
    ASSERT_TRUE(c.StoreCycle(base.c_str()));
    std::string text;
    ASSERT_TRUE(app::ReadTourFile((m_dir / "five.tou").string(), text));
    EXPECT_EQ(text, "{ 3 5 1 4 2 }");
    std::list<short> parsed;
    EXPECT_EQ(app::ParseCycleText(text, parsed), 5);
    EXPECT_EQ(parsed, order);
}

TEST_F(TourFileRead, TourOfTheEngineWriterAndOfAnotherProgram)
{
    const std::vector<hcp::NodeId> order{1, 0, 3, 2};
    hcp::WriteTour((m_dir / "four.tour").string(), order, {"four.hcp", hcp::TourComment(1)});
    std::string text;
    ASSERT_TRUE(app::ReadTourFile((m_dir / "four.tour").string(), text));
    EXPECT_EQ(text, "{ 2 1 4 3 }");
    // Keywords in another order, spaces around the colon, CR LF, several
    // nodes to a line and neither -1 nor EOF.
    ASSERT_TRUE(app::ReadTourFile(Write("other.tou", "TYPE : TOUR\r\nDIMENSION : 4\r\nTOUR_SECTION\r\n 4 3\r\n2 1\r\n"),
                                  text));
    EXPECT_EQ(text, "{ 4 3 2 1 }");
}

TEST_F(TourFileRead, BadFilesAreReportedWithNameAndLineAndKeepTheText)
{
    std::string text = "kept";
    std::string error;
    EXPECT_FALSE(app::ReadTourFile("/nonexistent/dir/none.tou", text, &error));
    EXPECT_EQ(text, "kept");
    EXPECT_NE(error.find("/nonexistent/dir/none.tou"), std::string::npos);

    const std::string bad = Write("bad.tou", "NAME: x\nDIMENSION: 3\nTOUR_SECTION\n1\n2\nthree\n-1\n");
    EXPECT_FALSE(app::ReadTourFile(bad, text, &error));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(error, bad + ":6: \"three\" is not a node number");
}

TEST(CycleTextFromOrder, NumbersFromOne)
{
    const std::vector<hcp::NodeId> order{2, 0, 1};
    EXPECT_EQ(app::CycleTextFromOrder(order), "{ 3 1 2 }");
    EXPECT_EQ(app::CycleTextFromOrder({}), "{ }");
}

}  // namespace
