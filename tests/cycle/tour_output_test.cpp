// Text outputs of the order: the TOUR file with its name rule and its
// failures, the cycle string, the report line, and where reports go.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "cycle/cycle.h"
#include "cycle/report.h"
#include "cycle/touroutput.h"
#include "cycle_test_util.h"

using cycletest::SetOrder;
using cycletest::WithEdges;

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs each test in a fresh temporary directory, so that relative names
// land there and nothing is left behind.
class TourFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = fs::temp_directory_path() /
               ("tourvane-tour-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        fs::create_directories(dir_);
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override
    {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    // Names of the files in the directory, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_, old_;
};

// The ring of four nodes whose only gap is 4-1.
CCycle Ring4() { return WithEdges(4, {{1, 2}, {2, 3}, {3, 4}}); }

TEST_F(TourFile, ExactBytes)
{
    CCycle c = Ring4();
    ASSERT_TRUE(c.StoreCycle("ring.hcp"));
    EXPECT_EQ(ReadFile("ring.tou"),
              "NAME: ring.hcp\n"
              "TYPE: TOUR\n"
              "COMMENT: HCP solution (H=1)\n"
              "DIMENSION: 4\n"
              "TOUR_SECTION\n"
              "  1\n"
              "  2\n"
              "  3\n"
              "  4\n"
              "-1\n"
              "EOF\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"ring.tou"});
}

TEST_F(TourFile, NameRule)
{
    CCycle c(3);
    for (const char* name : {"graph.hcp", "graph", "old.copy.hcp"}) {
        ASSERT_TRUE(c.StoreCycle(name)) << name;
        const std::string file = hcp::TourFileName(name);
        const std::string text = ReadFile(file);
        EXPECT_EQ(text.substr(0, text.find('\n')), std::string("NAME: ") + name);
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"graph.tou", "old.copy.tou"}));
    EXPECT_EQ(hcp::TourFileName("graph.hcp"), "graph.tou");
    EXPECT_EQ(hcp::TourFileName("graph"), "graph.tou");
    EXPECT_EQ(hcp::TourFileName("old.copy.hcp"), "old.copy.tou");
    // A dot in a directory name counts like any other.
    EXPECT_EQ(hcp::TourFileName("runs.v2/graph"), "runs.tou");
    EXPECT_EQ(hcp::TourFileName("graph."), "graph.tou");
}

TEST_F(TourFile, LongNameIsNeitherCutNorOverflowed)
{
    // A path of well over 256 characters through nested directories.
    fs::path sub;
    for (int k = 0; k < 4; ++k) sub /= std::string(90, static_cast<char>('a' + k));
    fs::create_directories(sub);
    const std::string name = (sub / "graph.with.dots.hcp").string();
    ASSERT_GT(name.size(), 360u);
    CCycle c(3);
    ASSERT_TRUE(c.StoreCycle(name.c_str()));
    const fs::path written = sub / "graph.with.dots.tou";
    ASSERT_TRUE(fs::exists(written));
    const std::string text = ReadFile(written);
    EXPECT_EQ(text.substr(0, text.find('\n')), "NAME: " + name);
}

TEST_F(TourFile, MissingDirectoryIsReported)
{
    CCycle c(3);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(c.StoreCycle("no_such_dir/graph.hcp"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cannot open file no_such_dir/graph.tou\n");
    EXPECT_TRUE(Files().empty());
}

TEST_F(TourFile, DirectoryInTheWayIsReportedAndKept)
{
    fs::create_directory("graph.tou");
    CCycle c(3);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(c.StoreCycle("graph.hcp"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cannot open file graph.tou\n");
    EXPECT_TRUE(fs::is_directory("graph.tou"));
    EXPECT_EQ(Files(), std::vector<std::string>{"graph.tou"});
}

TEST_F(TourFile, ReplacesOlderContent)
{
    CCycle big(12);
    ASSERT_TRUE(big.StoreCycle("g.hcp"));
    CCycle small = Ring4();
    ASSERT_TRUE(small.StoreCycle("g.hcp"));
    const std::string text = ReadFile("g.tou");
    EXPECT_NE(text.find("DIMENSION: 4\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 11), "  4\n-1\nEOF\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"g.tou"});
}

TEST_F(TourFile, RotationChangesTheFileNotTheGapCount)
{
    CCycle c = Ring4();
    ASSERT_TRUE(c.StoreCycle("a.hcp"));
    SetOrder(c, {3, 4, 1, 2});
    ASSERT_TRUE(c.StoreCycle("b.hcp"));
    const std::string a = ReadFile("a.tou"), b = ReadFile("b.tou");
    EXPECT_NE(a.substr(a.find("TOUR_SECTION")), b.substr(b.find("TOUR_SECTION")));
    EXPECT_NE(a.find("(H=1)"), std::string::npos);
    EXPECT_NE(b.find("(H=1)"), std::string::npos);
    EXPECT_NE(b.find("TOUR_SECTION\n  3\n  4\n  1\n  2\n-1\n"), std::string::npos);
}

TEST_F(TourFile, EdgelessGraphHasNGapsEverywhere)
{
    CCycle c(6);
    c = true;
    ASSERT_TRUE(c.StoreCycle("none.hcp"));
    EXPECT_NE(ReadFile("none.tou").find("COMMENT: HCP solution (H=6)\n"), std::string::npos);
    EXPECT_EQ(c.MakeString(), "\n(6): {1=2=3=4=5=6=1}");
    std::ostringstream os;
    c.PrintReport(1, os);
    EXPECT_EQ(os.str().substr(0, 5), "\nH=6\t");
}

// --- cycle string ---------------------------------------------------------

TEST(CycleString, TriangleAndEdgelessExamples)
{
    CCycle tri(3);
    EXPECT_EQ(tri.MakeString(), "\n(0): {1 2 3 1}");
    tri = true;
    EXPECT_EQ(tri.MakeString(), "\n(3): {1=2=3=1}");
}

TEST(CycleString, MarksEachGapBeforeItsSecondNode)
{
    CCycle c = WithEdges(5, {{1, 2}, {2, 3}, {4, 5}, {5, 1}});
    SetOrder(c, {2, 3, 4, 5, 1});
    EXPECT_EQ(c.MakeString(), "\n(1): {2 3=4 5 1 2}");
    SetOrder(c, {3, 2, 1, 5, 4});
    EXPECT_EQ(c.MakeString(), "\n(1): {3 2 1 5 4=3}");
}

TEST(CycleString, HamiltonianOrderHasNoGapMark)
{
    CCycle c = WithEdges(6, {{1, 4}, {4, 2}, {2, 6}, {6, 3}, {3, 5}, {5, 1}});
    SetOrder(c, {4, 2, 6, 3, 5, 1});
    const std::string s = c.MakeString();
    EXPECT_EQ(s, "\n(0): {4 2 6 3 5 1 4}");
    EXPECT_EQ(s.find('='), std::string::npos);
}

TEST(CycleString, BufferFormMatchesAndFitsTheDocumentedSize)
{
    const short n = 20000;
    CCycle c(n);
    c = true;  // every link a gap: the longest string
    const std::string s = c.MakeString();
    const std::size_t limit = 6u * n + 18u;
    std::vector<char> buf(limit + 16, '#');
    c.MakeString(buf.data());
    EXPECT_EQ(std::strlen(buf.data()), s.size());
    EXPECT_EQ(std::string(buf.data()), s);
    EXPECT_LE(s.size() + 1, limit);
    EXPECT_EQ(buf[limit], '#');
    EXPECT_EQ(s.substr(0, 12), "\n(20000): {1");
    EXPECT_EQ(s.substr(s.size() - 9), "=20000=1}");
}

// --- report line ----------------------------------------------------------

TEST(ReportLine, OnlyLevelOneWrites)
{
    CCycle c = Ring4();
    std::ostringstream os;
    c.PrintReport(0, os);
    c.PrintReport(2, os);
    c.PrintReport(-1, os);
    EXPECT_EQ(os.str(), "");
    c.PrintReport(1, os);
    EXPECT_TRUE(std::regex_match(os.str(), std::regex("\nH=1\t([01][0-9]|2[0-3]):[0-5][0-9]:[0-6][0-9]")))
        << os.str();
}

TEST(ReportLine, FlushesAfterTheLineFeed)
{
    // A stream whose buffer counts synchronisations.
    struct CountingBuf : std::stringbuf {
        int syncs = 0;
        std::string atSync;
        int sync() override
        {
            ++syncs;
            atSync = str();
            return 0;
        }
    } buf;
    std::ostream os(&buf);
    CCycle c(3);
    c.PrintReport(1, os);
    ASSERT_GE(buf.syncs, 1);
    EXPECT_EQ(buf.atSync.substr(0, 1), "\n");
}

// --- report stream ----------------------------------------------------------

TEST(ReportStream, ThreadOverrideBeforeProcessWideBeforeStdout)
{
    EXPECT_EQ(&hcp::ReportStream(), &std::cout);
    std::ostringstream process, mine;
    hcp::SetReportStream(&process);
    EXPECT_EQ(&hcp::ReportStream(), &process);
    hcp::SetThreadReportStream(&mine);
    EXPECT_EQ(&hcp::ReportStream(), &mine);
    std::ostream* seenByOther = nullptr;
    std::thread t([&] { seenByOther = &hcp::ReportStream(); });
    t.join();
    EXPECT_EQ(seenByOther, &process);
    hcp::SetThreadReportStream(nullptr);
    EXPECT_EQ(&hcp::ReportStream(), &process);
    hcp::SetReportStream(nullptr);
    EXPECT_EQ(&hcp::ReportStream(), &std::cout);
}

}  // namespace
