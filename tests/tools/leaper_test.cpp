// The leaper program: usage text, the files it writes, and the arguments it
// refuses.
#include <algorithm>
#include <cstdlib>
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

TEST(LeaperUsage, WrongArgumentCountPrintsUsageAndSucceeds)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"1", "2", "3"}, {"1", "2", "3", "3", "5"}}) {
        TempDir dir;
        const ToolRun run = Leaper(dir, args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, kUsage);
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(ListDir(dir.path()).empty()) << "no file is written";
    }
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

TEST(LeaperFile, UnwritableOutputFailsWithStatusOne)
{
    TempDir dir;
    // A folder in the way cannot be opened as a file, even by root.
    std::filesystem::create_directory(dir / "leaper_1_2_3_3.hcp");
    const ToolRun run = Leaper(dir, {"1", "2", "3", "3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot open file leaper_1_2_3_3.hcp\n");
    EXPECT_EQ(run.out, "");
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
        {{"1", "2", "182", "181"}, "32942 squares"},
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
