// The leaper program: usage text, the files it writes (whole or not at all),
// and the arguments it refuses.
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kUsage =
    "USAGE: LEAPER <a> <b> <m> <n> \n"
    "Where:\n"
    "\t<a>, <b> - knight move dimensions\n"
    "\t<m>, <n> - chess board dimensions\n";

ToolRun Leaper(const TempDir& dir, const std::vector<std::string>& args)
{
    return RunTool(LEAPER_PROGRAM, args, dir.path());
}

// The edge lines of a written graph, as (larger, smaller) in file order.
std::vector<std::pair<int, int>> EdgeLines(const std::string& text)
{
    std::vector<std::pair<int, int>> edges;
    bool inSection = false;
    for (const std::string& line : SplitLines(text)) {
        if (line == "EDGE_DATA_SECTION") {
            inSection = true;
            continue;
        }
        if (!inSection) continue;
        if (line == "-1") break;
        edges.emplace_back(std::atoi(line.substr(0, 6).c_str()), std::atoi(line.substr(7).c_str()));
    }
    return edges;
}

// The edge lines the pairwise rule gives: every pair of squares s before t
// in row-major order, joined when t lies a rows down and b columns across
// or b rows down and a columns across; lines ordered by descending larger
// node, then descending smaller node.
std::vector<std::pair<int, int>> PairwiseRule(int a, int b, int m, int n)
{
    std::vector<std::pair<int, int>> edges;
    const int squares = m * n;
    for (int t = squares; t >= 2; --t) {
        for (int s = t - 1; s >= 1; --s) {
            const int r1 = (s - 1) / n + 1, c1 = (s - 1) % n + 1;
            const int r2 = (t - 1) / n + 1, c2 = (t - 1) % n + 1;
            const int dr = r2 - r1, dc = std::abs(c2 - c1);
            if ((dr == a && dc == b) || (dr == b && dc == a)) edges.emplace_back(t, s);
        }
    }
    return edges;
}

}  // namespace

TEST(LeaperUsage, WrongArgumentCountIsAUsageError)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"1", "2", "3"}, {"1", "2", "3", "3", "5"}}) {
        TempDir dir;
        const ToolRun run = Leaper(dir, args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "leaper: error: expected 4 arguments, got " + std::to_string(args.size()) + "\n" + kUsage);
        EXPECT_TRUE(ListDir(dir.path()).empty()) << "no file is written";
    }
}

TEST(LeaperUsage, HelpShowsTheUsageAndTheDesktopLimit)
{
    TempDir dir;
    const ToolRun run = Leaper(dir, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(kUsage, 0), 0u) << run.out;
    EXPECT_NE(run.out.find("Tourvane32"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("32767 squares"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(ListDir(dir.path()).empty());
}

TEST(LeaperFile, ThreeByThreeKnightIsAnEightCycleAndAnIsolatedCentre)
{
    TempDir dir;
    const ToolRun run = Leaper(dir, {"1", "2", "3", "3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "") << "nothing on the console on success";
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir / "leaper_1_2_3_3.hcp"),
              "NAME: leaper_1_2_3_3.hcp\n"
              "COMMENT: Hamiltonian cycle problem\n"
              "TYPE: HCP\n"
              "DIMENSION: 9\n"
              "EDGE_DATA_FORMAT: EDGE_LIST\n"
              "EDGE_DATA_SECTION\n"
              "     9      4\n"
              "     9      2\n"
              "     8      3\n"
              "     8      1\n"
              "     7      6\n"
              "     7      2\n"
              "     6      1\n"
              "     4      3\n"
              "-1\n"
              "EOF\n");
}

TEST(LeaperFile, ChessboardKnightHas168EdgesAndCornerMovesToElevenAndEighteen)
{
    TempDir dir;
    ASSERT_EQ(Leaper(dir, {"1", "2", "8", "8"}).status, 0);
    ASSERT_EQ(Leaper(dir, {"2", "1", "8", "8"}).status, 0);
    const auto edges = EdgeLines(ReadFile(dir / "leaper_1_2_8_8.hcp"));
    EXPECT_EQ(edges.size(), 168u);
    std::set<int> cornerNeighbours;
    for (const auto& [u, v] : edges)
        if (v == 1) cornerNeighbours.insert(u);
    EXPECT_EQ(cornerNeighbours, (std::set<int>{11, 18}));
    EXPECT_EQ(EdgeLines(ReadFile(dir / "leaper_2_1_8_8.hcp")), edges)
        << "swapping the steps gives the same edges under another name";
    EXPECT_EQ(SplitLines(ReadFile(dir / "leaper_2_1_8_8.hcp"))[0], "NAME: leaper_2_1_8_8.hcp");
}

TEST(LeaperFile, ZeroOneLeaperIsTheGridGraph)
{
    TempDir dir;
    ASSERT_EQ(Leaper(dir, {"0", "1", "2", "3"}).status, 0);
    auto edges = EdgeLines(ReadFile(dir / "leaper_0_1_2_3.hcp"));
    std::sort(edges.begin(), edges.end());
    EXPECT_EQ(edges, (std::vector<std::pair<int, int>>{
                         {2, 1}, {3, 2}, {4, 1}, {5, 2}, {5, 4}, {6, 3}, {6, 5}}));
}

TEST(LeaperFile, MovesMatchThePairwiseRuleOnAssortedBoards)
{
    // Equal steps, zero steps, steps longer than the board, thin boards.
    const int cases[][4] = {{1, 2, 5, 7}, {2, 3, 6, 6}, {1, 1, 4, 5}, {0, 0, 3, 3}, {0, 2, 4, 5},
                            {3, 0, 5, 4}, {1, 4, 3, 3}, {1, 2, 1, 9}, {2, 1, 9, 1}, {5, 6, 7, 7}};
    TempDir dir;
    for (const auto& c : cases) {
        std::vector<std::string> args;
        for (int v : c) args.push_back(std::to_string(v));
        ASSERT_EQ(Leaper(dir, args).status, 0);
        const std::string name = "leaper_" + args[0] + "_" + args[1] + "_" + args[2] + "_" + args[3] + ".hcp";
        const std::string text = ReadFile(dir / name);
        EXPECT_EQ(EdgeLines(text), PairwiseRule(c[0], c[1], c[2], c[3])) << name;
        EXPECT_EQ(SplitLines(text)[3], "DIMENSION: " + std::to_string(c[2] * c[3])) << name;
    }
}

TEST(LeaperFile, UnwritableOutputFailsWithTheReason)
{
    TempDir dir;
    // A folder in the way cannot be replaced by a file, even by root.
    std::filesystem::create_directory(dir / "leaper_1_2_3_3.hcp");
    const ToolRun run = Leaper(dir, {"1", "2", "3", "3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot open file leaper_1_2_3_3.hcp: Is a directory\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"leaper_1_2_3_3.hcp"}) << "no temporary file left";
}

// Only a regular file is ever replaced: a FIFO, or a link to a device,
// at the file's name is an error and stays as it was; a link to a regular
// file is written through and stays a link.
TEST(LeaperFile, OnlyARegularFileIsReplaced)
{
    {
        TempDir dir;
        ASSERT_EQ(::mkfifo((dir / "leaper_1_2_3_3.hcp").c_str(), 0644), 0);
        const ToolRun run = Leaper(dir, {"1", "2", "3", "3"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Cannot open file leaper_1_2_3_3.hcp: Is a FIFO, not a regular file\n");
        EXPECT_TRUE(std::filesystem::is_fifo(dir / "leaper_1_2_3_3.hcp"));
        EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"leaper_1_2_3_3.hcp"});
    }
    {
        TempDir dir;
        std::filesystem::create_symlink("/dev/null", dir / "leaper_1_2_3_3.hcp");
        const ToolRun run = Leaper(dir, {"1", "2", "3", "3"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Cannot open file leaper_1_2_3_3.hcp: Links to a character device (/dev/null), "
                           "not a regular file\n");
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "leaper_1_2_3_3.hcp"));
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    }
    {
        TempDir dir;
        TempDir elsewhere;
        WriteFile(elsewhere / "kept.hcp", "older graph\n");
        std::filesystem::create_symlink(elsewhere / "kept.hcp", dir / "leaper_1_2_4_4.hcp");
        ASSERT_EQ(Leaper(dir, {"1", "2", "4", "4"}).status, 0);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "leaper_1_2_4_4.hcp"));
        const std::string text = ReadFile(elsewhere / "kept.hcp");
        EXPECT_EQ(SplitLines(text)[0], "NAME: leaper_1_2_4_4.hcp");
        EXPECT_EQ(EdgeLines(text), PairwiseRule(1, 2, 4, 4));
        EXPECT_EQ(ListDir(elsewhere.path()), std::vector<std::string>{"kept.hcp"});
    }
}

// Interrupted while a board of many gigabytes is being written: the
// temporary goes with the program and nothing is left behind.
TEST(LeaperFile, AnInterruptLeavesNoPartialFile)
{
    TempDir dir;
    const ToolRun run = RunTool(LEAPER_PROGRAM, {"1", "2", "20000", "20000"}, dir.path(), 300);
    EXPECT_EQ(run.status, 128 + SIGINT) << run.err;
    EXPECT_TRUE(ListDir(dir.path()).empty());
}

// A write that fails part way (here at a file size limit, as on a full
// disk) keeps the file that was there and leaves no partial one.
TEST(LeaperFile, AFailedWriteKeepsTheExistingFile)
{
    TempDir dir;
    WriteFile(dir / "leaper_1_2_30_30.hcp", "older graph\n");
    const ToolRun run = RunTool("/bin/sh", {"-c", std::string("ulimit -f 8; exec ") + LEAPER_PROGRAM + " 1 2 30 30"},
                                dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "leaper: error: cannot write leaper_1_2_30_30.hcp: File too large\n");
    EXPECT_EQ(ReadFile(dir / "leaper_1_2_30_30.hcp"), "older graph\n");
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"leaper_1_2_30_30.hcp"});
}

TEST(LeaperFile, ANewFileGetsTheUsualPermissions)
{
    TempDir dir;
    ASSERT_EQ(Leaper(dir, {"1", "2", "4", "4"}).status, 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const auto perms = std::filesystem::status(dir / "leaper_1_2_4_4.hcp").permissions();
    EXPECT_EQ(static_cast<mode_t>(perms) & 0777, 0666 & ~mask);
}

// Beyond the legacy 32,767 squares the file is written all the same; the
// knight has 4mn - 6(m + n) + 8 moves on an m x n board (m, n >= 3).
TEST(LeaperFile, BoardsBeyondTheLegacyLimitAreWritten)
{
    TempDir dir;
    const ToolRun run = Leaper(dir, {"1", "2", "182", "181"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = ReadFile(dir / "leaper_1_2_182_181.hcp");
    const auto lines = SplitLines(text);
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[3], "DIMENSION: 32942");
    const auto edges = EdgeLines(text);
    EXPECT_EQ(edges.size(), std::size_t{4 * 182 * 181 - 6 * (182 + 181) + 8});
    for (std::size_t k = 0; k < edges.size(); ++k) {
        ASSERT_GT(edges[k].first, edges[k].second) << k;
        ASSERT_GE(edges[k].second, 1) << k;
        ASSERT_LE(edges[k].first, 32942) << k;
        if (k > 0) {
            ASSERT_TRUE(edges[k - 1] > edges[k]) << "descending order at line " << k;
        }
    }
    EXPECT_EQ(lines.back(), "EOF");
}

TEST(LeaperArguments, RejectedWithOneLineNamingTheArgument)
{
    struct Case {
        std::vector<std::string> args;
        std::string mention;   // part of the message
    };
    const std::vector<Case> cases = {
        {{"x", "2", "8", "8"}, "<a> \"x\" is not a decimal integer"},
        {{"1", "2", "8x", "8"}, "<m> \"8x\" is not a decimal integer"},
        {{"1", "2", "8", ""}, "<n> \"\" is not a decimal integer"},
        {{"1", "2.5", "8", "8"}, "<b> \"2.5\" is not a decimal integer"},
        {{"1", "2", " 8", "8"}, "<m> \" 8\" is not a decimal integer"},
        {{"-1", "2", "8", "8"}, "<a> must not be negative"},
        {{"1", "-2", "8", "8"}, "<b> must not be negative"},
        {{"1", "2", "0", "8"}, "<m> must be at least 1"},
        {{"1", "2", "8", "-3"}, "<n> must be at least 1"},
        {{"1", "2", "99999999999", "1"}, "<m> \"99999999999\" is out of range"},
        {{"1", "2", "65536", "65536"}, "4294967296 squares"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const ToolRun run = Leaper(dir, c.args);
        EXPECT_EQ(run.status, 2) << c.mention;
        const auto lines = SplitLines(run.err);
        ASSERT_EQ(lines.size(), 1u) << run.err;
        EXPECT_EQ(lines[0].rfind("leaper: error: ", 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(c.mention), std::string::npos) << lines[0];
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(ListDir(dir.path()).empty()) << "no file for " << c.mention;
    }
}
