// hcpsolve on graph streams and DIMACS files: one result line per graph
// named FILE:INDEX, a broken line that spoils only its own graph, tours
// named BASENAME_INDEX.tour, standard input in each format, the deciding
// method and the reason in CSV and JSON, and results that do not depend on
// --jobs.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;

ToolRun Solve(const TempDir& dir, std::vector<std::string> args)
{
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path());
}

// hcpsolve reading standard input from a file, as from a pipe.
ToolRun SolveStdin(const TempDir& dir, const std::string& input, const std::string& args)
{
    return RunTool("/bin/sh", {"-c", std::string("'") + HCPSOLVE_PROGRAM + "' " + args + " - < '" + input + "'"},
                   dir.path());
}

// Whether the engine holds the complete method, so auto proves as well as finds.
bool HaveExact()
{
    TempDir dir;
    return Solve(dir, {"--help"}).out.find("exact") != std::string::npos;
}

std::vector<nlohmann::json> JsonLines(const std::string& out)
{
    std::vector<nlohmann::json> v;
    for (const std::string& line : SplitLines(out))
        if (!line.empty()) v.push_back(nlohmann::json::parse(line));
    return v;
}

int Count(const std::vector<nlohmann::json>& lines, const std::string& verdict)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const nlohmann::json& j) { return j["verdict"] == verdict; }));
}

TEST(HcpsolveStream, OneLinePerGraphNamedFileAndIndex)
{
    // The 19 connected cubic graphs on 10 nodes; nauty-cubhamg finds 2
    // without a Hamiltonian cycle (one of them the Petersen graph).
    TempDir dir;
    const ToolRun run = Solve(dir, {"--format", "json", kData + "/cubic10.g6"});
    const auto lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 19u) << run.err;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]["file"], kData + "/cubic10.g6:" + std::to_string(i + 1));
        EXPECT_EQ(lines[i]["n"], 10);
        EXPECT_EQ(lines[i]["edges"], 15);
        EXPECT_FALSE(lines[i]["method"].get<std::string>().empty());
    }
    EXPECT_EQ(Count(lines, "HAMILTONIAN"), 17);
    if (HaveExact()) {
        EXPECT_EQ(Count(lines, "NO_CYCLE"), 2);
        for (const auto& j : lines) {
            if (j["verdict"] == "NO_CYCLE") {
                EXPECT_FALSE(j["reason"].get<std::string>().empty());
            }
        }
        EXPECT_EQ(run.status, 1);   // some graph has no cycle
    }
}

TEST(HcpsolveStream, BrokenLineSpoilsOnlyItsGraph)
{
    TempDir dir;
    WriteFile(dir / "mixed.g6", ">>graph6<<IheA@GUAo\r\nC~\r\nIhe A@GUo\r\n\r\nD??\r\nC~\r\n");
    const ToolRun run = Solve(dir, {"--format", "csv", "mixed.g6"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out;   // header and five graphs
    EXPECT_EQ(lines[2].rfind("mixed.g6:2,4,6,HAMILTONIAN", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("mixed.g6:3,,,ERROR", 0), 0u) << lines[3];
    EXPECT_NE(run.err.find("mixed.g6:3: character 4"), std::string::npos) << run.err;
    // A graph of isolated nodes is proved to have no cycle by its degrees.
    EXPECT_EQ(lines[4].rfind("mixed.g6:4,5,0,NO_CYCLE", 0), 0u) << lines[4];
    EXPECT_NE(lines[4].find("degree 0"), std::string::npos) << lines[4];
    EXPECT_EQ(lines[5].rfind("mixed.g6:5,4,6,HAMILTONIAN", 0), 0u) << lines[5];
    EXPECT_EQ(run.status, 2);
}

TEST(HcpsolveStream, ToursAreNamedAfterTheGraphsIndex)
{
    TempDir dir;
    WriteFile(dir / "two.s6", ":CcKI\n:I`ES@obGkqegW~\n:CcKI\n");
    const ToolRun run = Solve(dir, {"-o", "tours", "two.s6"});
    EXPECT_EQ(ListDir(dir / "tours"), (std::vector<std::string>{"two_1.tour", "two_3.tour"})) << run.err;
    // Each tour checks out against its graph.
    WriteFile(dir / "k4.hcp", "NAME: k4\nCOMMENT: k4\nTYPE: HCP\nDIMENSION: 4\nEDGE_DATA_FORMAT: EDGE_LIST\n"
                              "EDGE_DATA_SECTION\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n-1\nEOF\n");
    const ToolRun check = Solve(dir, {"--verify", "k4.hcp", "tours/two_3.tour"});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
}

TEST(HcpsolveStream, StandardInputInEachFormat)
{
    TempDir dir;
    WriteFile(dir / "in.g6", "C~\nC~\n");
    WriteFile(dir / "in.s6", ">>sparse6<<:CcKI\n");
    WriteFile(dir / "in.col", "c K4\np edge 4 6\ne 1 2\ne 1 3\ne 1 4\ne 2 3\ne 2 4\ne 3 4\n");
    WriteFile(dir / "in.hcp", "NAME: k4\nCOMMENT: k4\nTYPE: HCP\nDIMENSION: 4\nEDGE_DATA_FORMAT: EDGE_LIST\n"
                              "EDGE_DATA_SECTION\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n-1\nEOF\n");
    const struct {
        const char* file;
        std::vector<std::string> names;
    } cases[] = {
        {"in.g6", {"-:1", "-:2"}}, {"in.s6", {"-:1"}}, {"in.col", {"-"}}, {"in.hcp", {"-"}}};
    for (const auto& c : cases) {
        const ToolRun run = SolveStdin(dir, (dir / c.file).string(), "--format json");
        const auto lines = JsonLines(run.out);
        ASSERT_EQ(lines.size(), c.names.size()) << c.file << run.err;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i]["file"], c.names[i]) << c.file;
            EXPECT_EQ(lines[i]["verdict"], "HAMILTONIAN") << c.file;
            EXPECT_EQ(lines[i]["n"], 4) << c.file;
        }
        EXPECT_EQ(run.status, 0) << c.file << run.err;
    }
}

TEST(HcpsolveStream, DimacsFileWithCommentsAndRepeatedEdges)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--format", "csv", kData + "/petersen.col"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.err;
    EXPECT_EQ(lines[1].rfind(kData + "/petersen.col,10,15,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[1].find("HAMILTONIAN"), std::string::npos) << lines[1];
}

TEST(HcpsolveStream, VerdictsDoNotDependOnJobsAndOneJobRepeats)
{
    TempDir dir;
    const std::string file = kData + "/cubic10.g6";
    // Everything but the seconds, which vary from run to run.
    auto stable = [](const std::string& out) {
        std::vector<std::string> v;
        for (auto j : JsonLines(out)) {
            j.erase("seconds");
            v.push_back(j.dump());
        }
        return v;
    };
    auto verdicts = [](const std::string& out) {
        std::vector<std::string> v;
        for (const auto& j : JsonLines(out)) v.push_back(j["file"].get<std::string>() + " " + j["verdict"].get<std::string>());
        return v;
    };
    const ToolRun a = Solve(dir, {"--format", "json", "--jobs", "1", file});
    const ToolRun b = Solve(dir, {"--format", "json", "--jobs", "1", file});
    const ToolRun c = Solve(dir, {"--format", "json", "--jobs", "4", file});
    EXPECT_EQ(stable(a.out), stable(b.out));
    EXPECT_EQ(verdicts(a.out), verdicts(c.out));
    EXPECT_EQ(a.status, c.status);
    // One file with four threads to itself runs the race; same verdict.
    const ToolRun one = Solve(dir, {"--format", "json", "--jobs", "1", kData + "/petersen.col"});
    const ToolRun four = Solve(dir, {"--format", "json", "--jobs", "4", kData + "/petersen.col"});
    EXPECT_EQ(verdicts(one.out), verdicts(four.out));
}

}  // namespace

// Two streams with the same base name write their tours under different
// names, and the renamed one is reported on its result line.
TEST(HcpsolveStream, ToursOfTwoStreamsWithOneBaseNameDoNotCollide)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    WriteFile(dir / "a/k.s6", ":CcKI\n");
    WriteFile(dir / "b/k.s6", ":CcKI\n");
    const ToolRun run = Solve(dir, {"-o", "tours", "a/k.s6", "b/k.s6"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(ListDir(dir / "tours"), (std::vector<std::string>{"k_1-2.tour", "k_1.tour"}));
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0].find("tour="), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("tour=tours/k_1-2.tour"), std::string::npos) << lines[1];
}

// A FIFO or a process substitution has no extension and can be opened only
// once: its first line tells the format, and the same open stream is read.
TEST(HcpsolveStream, ExtensionlessFifoInEachFormat)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"C~\n", "HAMILTONIAN"},
        {"NAME: t\nTYPE: HCP\nDIMENSION: 3\nEDGE_DATA_SECTION\n1 2\n2 3\n3 1\n-1\nEOF\n", "HAMILTONIAN"},
        {"c triangle\np edge 3 3\ne 1 2\ne 2 3\ne 3 1\n", "HAMILTONIAN"},
    };
    for (const auto& [text, verdict] : inputs) {
        WriteFile(dir / "in.txt", text);
        const ToolRun run = RunTool("/bin/bash", {"-c", std::string("'") + HCPSOLVE_PROGRAM + "' <(cat in.txt)"},
                                    dir.path());
        EXPECT_EQ(run.status, 0) << text << run.out << run.err;
        EXPECT_NE(run.out.find(verdict), std::string::npos) << text << run.out;
    }
}

// Results of a stream that cannot reach standard output end the run with
// status 2 and say why, however many graphs are left.
TEST(HcpsolveStream, ResultsThatCannotBeWrittenEndTheRunWithStatusTwo)
{
    TempDir dir;
    const ToolRun run = RunTool(
        "/bin/sh", {"-c", std::string("exec '") + HCPSOLVE_PROGRAM + "' " + kData + "/cubic10.g6 > /dev/full"},
        dir.path());
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("cannot write the results to standard output"), std::string::npos) << run.err;
}
