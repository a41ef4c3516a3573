// hcpsolve's one pipeline: HCP files and streams mixed in one run, empty
// and repeated inputs, what a run says when it is interrupted, and the
// statuses and messages of the options.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;
const std::string kExamples = TOURVANE_EXAMPLES;

ToolRun Solve(const TempDir& dir, std::vector<std::string> args)
{
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path());
}

// hcpsolve run by the shell, for redirections.
ToolRun Shell(const TempDir& dir, const std::string& command)
{
    return RunTool("/bin/sh", {"-c", command}, dir.path());
}

std::string Program() { return std::string("'") + HCPSOLVE_PROGRAM + "'"; }

// The file name and verdict of each result line.
std::vector<std::string> Verdicts(const std::string& out)
{
    std::vector<std::string> v;
    for (const std::string& line : SplitLines(out)) {
        const std::size_t colon = line.find(": ");
        std::string verdict = "?";
        for (const char* w : {"HAMILTONIAN", "NO_CYCLE", "NOT_FOUND", "ERROR"})
            if (line.find(std::string(" ") + w) != std::string::npos || line.find(std::string(": ") + w) != std::string::npos) {
                verdict = w;
                break;
            }
        v.push_back(line.substr(0, colon) + " " + verdict);
    }
    return v;
}

}  // namespace

// Files of every kind in one run: a graph6 stream, HCP files, a DIMACS file
// and a broken file between them, read and solved by one pool. One job and
// four give the same lines in the same order.
TEST(HcpsolvePipeline, FilesAndStreamsMixedGiveTheSameVerdictsOnOneAndFourJobs)
{
    TempDir dir;
    const std::string knight = MakeLeaperGraph(dir, 1, 2, 6, 6);
    const std::vector<std::string> inputs = {kData + "/cubic10.g6", knight, kExamples + "/petersen.hcp",
                                             kData + "/petersen.col", kData + "/node_out_of_range.hcp",
                                             kData + "/cubic10.g6", kData + "/hexagon_fixed_chord.hcp"};
    std::vector<std::string> one = {"--jobs", "1"}, four = {"--jobs", "4"};
    one.insert(one.end(), inputs.begin(), inputs.end());
    four.insert(four.end(), inputs.begin(), inputs.end());
    const ToolRun a = Solve(dir, one), b = Solve(dir, four);
    const auto va = Verdicts(a.out);
    ASSERT_EQ(va.size(), 19u + 1 + 1 + 1 + 1 + 19 + 1) << a.out << a.err;
    EXPECT_EQ(va, Verdicts(b.out));
    EXPECT_EQ(a.status, 2);
    EXPECT_EQ(b.status, 2);
    EXPECT_EQ(va[0], kData + "/cubic10.g6:1 HAMILTONIAN");
    EXPECT_EQ(va[19], knight + " HAMILTONIAN");
    EXPECT_EQ(va[21], kData + "/petersen.col NO_CYCLE");
    EXPECT_EQ(va[22], kData + "/node_out_of_range.hcp ERROR");
    // The fixed chord cannot be on any cycle of the hexagon.
    EXPECT_EQ(va.back(), kData + "/hexagon_fixed_chord.hcp NO_CYCLE");
}

// An input that holds no graph is an error with a message, and every - on
// the command line gets its line.
TEST(HcpsolvePipeline, EmptyInputsAndASecondStandardInputAreErrors)
{
    TempDir dir;
    WriteFile(dir / "empty.g6", "");
    WriteFile(dir / "header.g6", ">>graph6<<\n");
    for (const std::string& command : {Program() + " - < /dev/null", Program() + " empty.g6", Program() + " header.g6"}) {
        const ToolRun run = Shell(dir, command);
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_NE(run.out.find(": ERROR"), std::string::npos) << command << run.out;
        EXPECT_NE(run.err.find("holds no graph"), std::string::npos) << command << run.err;
    }
    const ToolRun twice = Shell(dir, "printf 'Bw\\n' | " + Program() + " - -");
    const auto lines = SplitLines(twice.out);
    ASSERT_EQ(lines.size(), 2u) << twice.out << twice.err;
    EXPECT_NE(lines[0].find("-:1: N=3"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "-: ERROR");
    EXPECT_NE(twice.err.find("standard input was already read"), std::string::npos) << twice.err;
    EXPECT_EQ(twice.status, 2);
}

TEST(HcpsolvePipeline, TheInterruptSummaryCountsResultsAndInputs)
{
    TempDir dir;
    const std::string quick = MakeLeaperGraph(dir, 1, 2, 8, 8);
    const std::string slow = MakeLeaperGraph(dir, 1, 3, 20, 20);
    const ToolRun run = RunTool(HCPSOLVE_PROGRAM,
                                {"--method", "exist", "--jobs", "1", "--restarts", "100000", quick, slow, quick},
                                dir.path(), 1500);
    EXPECT_EQ(run.status, 130);
    EXPECT_NE(run.err.find("2 results printed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" of 3 inputs read to the end"), std::string::npos) << run.err;
}

TEST(HcpsolvePipeline, OptionValuesThatMeanNothingAreUsageErrors)
{
    TempDir dir;
    const std::string g = kExamples + "/petersen.hcp";
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"-o", "", g}, "-o needs a folder name"},
        {{"--time-limit", "0", g}, "leave --time-limit out for none"},
        {{"--seed", "18446744073709551615", g}, "outside 0..4294967295"},
        {{"--restarts", "99999999999999999999", g}, "outside 1..1000000"},
        {{"--time-limit", "1e-3", g}, "write plain decimals, such as 0.001"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Solve(dir, c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(HcpsolvePipeline, HelpThatCannotBeWrittenIsAFailure)
{
    TempDir dir;
    for (const char* flag : {"--help", "--version"}) {
        const ToolRun run = Shell(dir, Program() + " " + flag + " > /dev/full");
        EXPECT_EQ(run.status, 2) << flag;
        EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
    }
}

// CSV names a renamed tour as text and JSON do.
TEST(HcpsolvePipeline, CsvHasATourColumnForRenamedTours)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    WriteFile(dir / "a/g.hcp", ReadFile(kData + "/hexagon.hcp"));
    WriteFile(dir / "b/g.hcp", ReadFile(kData + "/hexagon.hcp"));
    const ToolRun run = Solve(dir, {"--format", "csv", "-o", "out", "a/g.hcp", "b/g.hcp"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out << run.err;
    EXPECT_EQ(lines[0].substr(lines[0].size() - 12), ",reason,tour");
    EXPECT_EQ(lines[1].back(), ',');
    EXPECT_EQ(lines[2].substr(lines[2].size() - 14), ",,out/g-2.tour") << lines[2];
}

// The tour checker reads the graph in any format the solver reads.
TEST(HcpsolvePipeline, VerifyReadsDimacsAndGraph6Graphs)
{
    TempDir dir;
    // The hexagon with its chord 1-4, as DIMACS and as graph6.
    WriteFile(dir / "h.col", "c hexagon\np edge 6 7\ne 1 2\ne 2 3\ne 3 4\ne 4 5\ne 5 6\ne 6 1\ne 1 4\n");
    WriteFile(dir / "h.g6", "ElEG\n");
    const std::string tour = kData + "/hexagon_other_program.tour";
    EXPECT_EQ(Solve(dir, {"--verify", "h.col", tour}).status, 0) << Solve(dir, {"--verify", "h.col", tour}).err;
    const ToolRun g6 = Solve(dir, {"--verify", "h.g6", tour});
    EXPECT_EQ(g6.status, 0) << g6.out << g6.err;
    WriteFile(dir / "two.g6", "ElEG\nElEG\n");
    const ToolRun two = Solve(dir, {"--verify", "two.g6", tour});
    EXPECT_EQ(two.status, 2);
    EXPECT_NE(two.err.find("two.g6:2: a second graph"), std::string::npos) << two.err;
}

// A method that knows nothing of fixed edges never reports H=0 for an order
// that skips one: the skipped edge counts as a gap.
TEST(HcpsolvePipeline, AnOrderThatSkipsAFixedEdgeHasAGap)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--method", "exist", kData + "/hexagon_fixed_chord.hcp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("NOT_FOUND"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("H=0"), std::string::npos) << run.out;
}

// A generator that pauses between graphs for longer than the time limit,
// or closes late: the time limit is per graph, so nothing is cut and no
// result is made up.
TEST(HcpsolvePipeline, PausesOfAStreamAreNotOutOfTime)
{
    TempDir dir;
    const std::string g6 = "'" + kData + "/cubic10.g6'";
    const ToolRun run = Shell(dir, "(head -2 " + g6 + "; sleep 1; sed -n 3,4p " + g6 + "; sleep 1) | " + Program()
                                       + " --time-limit 0.4 -");
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out << run.err;
    EXPECT_EQ(lines[3].rfind("-:4: ", 0), 0u) << lines[3];
    EXPECT_EQ(run.status, 0) << run.err;
}

// A time limit longer than the clock can count is no limit, not one that
// has already run out.
TEST(HcpsolvePipeline, AnEnormousTimeLimitIsNoLimit)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--time-limit", "10000000000", kData + "/hexagon.hcp"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("HAMILTONIAN"), std::string::npos) << run.out;
}
