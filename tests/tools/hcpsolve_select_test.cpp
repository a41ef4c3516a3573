// hcpsolve --select as a filter in nauty's pipelines: the graphs it passes
// on are read back by nauty-countg and match the result lines and an
// exhaustive check; they come out byte for byte as read, in input order
// whatever --jobs; a broken line is reported with the results and never
// passed on; the results go to standard error or a file of their own.
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "exhaustive.h"
#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;
const std::string kProgram = HCPSOLVE_PROGRAM;

bool HaveNauty() { return std::system("command -v nauty-geng >/dev/null 2>&1 && command -v nauty-countg >/dev/null 2>&1") == 0; }

// A shell command line in dir, hcpsolve named as HCPSOLVE.
ToolRun Shell(const TempDir& dir, std::string command)
{
    for (std::size_t at; (at = command.find("HCPSOLVE")) != std::string::npos;)
        command.replace(at, 8, "'" + kProgram + "'");
    return RunTool("/bin/sh", {"-c", command}, dir.path());
}

ToolRun Solve(const TempDir& dir, std::vector<std::string> args)
{
    return RunTool(kProgram, args, dir.path());
}

// "N graphs altogether" of nauty-countg's output; -1 when it has none.
long Altogether(const std::string& out)
{
    std::smatch m;
    if (!std::regex_search(out, m, std::regex("([0-9]+) graphs altogether"))) return -1;
    return std::stol(m[1]);
}

std::vector<nlohmann::json> JsonLines(const std::string& text)
{
    std::vector<nlohmann::json> v;
    for (const std::string& line : SplitLines(text))
        if (!line.empty() && line[0] == '{') v.push_back(nlohmann::json::parse(line));
    return v;
}

long Count(const std::vector<nlohmann::json>& lines, const std::string& verdict)
{
    return std::count_if(lines.begin(), lines.end(), [&](const nlohmann::json& j) { return j["verdict"] == verdict; });
}

// Each line of text with its line end.
std::vector<std::string> RawLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find('\n', begin);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(begin, next - begin));
        begin = next;
    }
    return lines;
}

std::string WithoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

}  // namespace

// The connected graphs on 7 nodes through the pipeline of the usage text:
// what nauty-countg counts is what the result lines say, and the graphs
// passed on are exactly those the exhaustive check picks.
TEST(HcpsolveSelect, CountgCountsWhatTheResultLinesSay)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty not installed";
    TempDir dir;
    ASSERT_EQ(Shell(dir, "nauty-geng -cq 7 > all.g6").status, 0);
    const std::vector<std::string> all = SplitLines(ReadFile(dir / "all.g6"));
    ASSERT_EQ(all.size(), 853u);
    struct Case {
        std::string options;
        std::string verdict;
        bool (*truth)(const SmallGraph&);
    };
    const Case cases[] = {
        {"--select no-cycle", "NO_CYCLE", [](const SmallGraph& g) { return !HasHamiltonianCycle(g); }},
        {"--select hamiltonian", "HAMILTONIAN", [](const SmallGraph& g) { return HasHamiltonianCycle(g); }},
        {"--path --select hamiltonian", "HAMILTONIAN_PATH", [](const SmallGraph& g) { return HasHamiltonianPath(g); }},
        {"--path --select no-cycle", "NO_PATH", [](const SmallGraph& g) { return !HasHamiltonianPath(g); }},
        {"--path-ends 1,2 --select no-cycle", "NO_PATH",
         [](const SmallGraph& g) { return !HasHamiltonianPath(g, 0, 1); }},
    };
    for (const Case& c : cases) {
        const ToolRun counted = Shell(dir, "nauty-geng -cq 7 | HCPSOLVE --format json " + c.options
                                               + " - 2> results.jsonl | nauty-countg 2>/dev/null");
        const auto results = JsonLines(ReadFile(dir / "results.jsonl"));
        ASSERT_EQ(results.size(), all.size()) << c.options;
        std::vector<std::string> expected;
        for (const std::string& line : all)
            if (c.truth(DecodeNautyLine(line))) expected.push_back(line);
        EXPECT_EQ(Altogether(counted.out), Count(results, c.verdict)) << c.options << counted.out;
        EXPECT_EQ(Count(results, c.verdict), static_cast<long>(expected.size())) << c.options;

        const ToolRun selected = Shell(dir, "HCPSOLVE --quiet " + c.options + " all.g6 2>/dev/null");
        EXPECT_EQ(SplitLines(selected.out), expected) << c.options;
    }
}

// A heuristic alone leaves graphs undecided; those are what "undecided"
// passes on.
TEST(HcpsolveSelect, UndecidedPassesOnWhatTheSearchGaveUpOn)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty not installed";
    TempDir dir;
    const ToolRun run = Shell(dir, "nauty-geng -cq 6 | HCPSOLVE --method exist --format json --results r.jsonl "
                                   "--select undecided - | nauty-countg 2>/dev/null");
    const auto results = JsonLines(ReadFile(dir / "r.jsonl"));
    ASSERT_EQ(results.size(), 112u) << run.err;
    EXPECT_GT(Count(results, "NOT_FOUND"), 0);
    EXPECT_EQ(Altogether(run.out), Count(results, "NOT_FOUND")) << run.out;
}

// Lines pass on with their own line ends (CR LF stays CR LF), blank lines
// and nauty's header are dropped, a last line without a line end gets one,
// and a whole file passes on with every byte.
TEST(HcpsolveSelect, GraphsPassOnByteForByte)
{
    TempDir dir;
    // K4, a path, K3, the claw, K5; "A~~" is broken.
    const std::string stream = ">>graph6<<\r\nC~\r\nCh\n\nBw\r\nA~~\nCs\r\nD~{";
    WriteFile(dir / "mixed.g6", stream);
    std::string hamiltonian;
    std::string none;
    for (const std::string& raw : RawLines(stream)) {
        const std::string line = WithoutLineEnd(raw);
        if (line.empty() || line[0] == '>' || line == "A~~") continue;
        const std::string kept = raw.back() == '\n' ? raw : raw + "\n";
        (HasHamiltonianCycle(DecodeNautyLine(line)) ? hamiltonian : none) += kept;
    }
    ASSERT_EQ(hamiltonian, "C~\r\nBw\r\nD~{\n");

    const ToolRun h = Solve(dir, {"--select", "hamiltonian", "mixed.g6"});
    EXPECT_EQ(h.out, hamiltonian);
    const ToolRun fromStdin = Shell(dir, "HCPSOLVE --select hamiltonian - < mixed.g6");
    EXPECT_EQ(fromStdin.out, hamiltonian);
    const ToolRun n = Solve(dir, {"--select", "no-cycle", "mixed.g6"});
    EXPECT_EQ(n.out, none);

    const std::string hexagon = ReadFile(kData + "/hexagon.hcp");
    const std::string crlf = std::regex_replace(hexagon, std::regex("\n"), "\r\n");
    WriteFile(dir / "hexagon_crlf.hcp", crlf);
    const ToolRun whole = Solve(dir, {"--select", "hamiltonian", kData + "/hexagon.hcp", "hexagon_crlf.hcp",
                                      kData + "/claw.hcp"});
    EXPECT_EQ(whole.out, hexagon + crlf);
}

// The broken line is the run's error on the results side in every mode,
// and never passes on.
TEST(HcpsolveSelect, ABrokenLineIsReportedWithTheResultsAndNeverSelected)
{
    TempDir dir;
    WriteFile(dir / "broken.g6", "C~\nA~~\nCr\n");
    for (const char* mode : {"hamiltonian", "no-cycle", "undecided"}) {
        const ToolRun run = Shell(dir, std::string("HCPSOLVE --select ") + mode + " - < broken.g6");
        EXPECT_EQ(run.status, 2) << mode;
        EXPECT_EQ(run.out.find("A~~"), std::string::npos) << mode << run.out;
        const auto err = SplitLines(run.err);
        ASSERT_EQ(err.size(), 4u) << mode << run.err;
        EXPECT_EQ(err[1].rfind("hcpsolve: error: -:2: ", 0), 0u) << err[1];
        EXPECT_EQ(err[2], "-:2: ERROR");
        EXPECT_NE(err[0].find("-:1: N=4 edges=6 HAMILTONIAN"), std::string::npos) << err[0];

        const ToolRun file = Shell(dir, std::string("HCPSOLVE --format csv --results r.csv --select ") + mode
                                            + " - < broken.g6");
        EXPECT_EQ(file.out.find("A~~"), std::string::npos) << mode;
        const auto rows = SplitLines(ReadFile(dir / "r.csv"));
        ASSERT_EQ(rows.size(), 4u) << mode;
        EXPECT_EQ(rows[2].rfind("-:2,,,ERROR,", 0), 0u) << rows[2];
        EXPECT_EQ(SplitLines(file.err).size(), 1u) << file.err;   // the error line alone
    }
}

// Graphs solved side by side come out in the order they went in.
TEST(HcpsolveSelect, TheSelectionKeepsInputOrderWhateverJobs)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty not installed";
    TempDir dir;
    ASSERT_EQ(Shell(dir, "nauty-geng -cq 8 > all.g6").status, 0);
    std::vector<std::string> outs;
    for (const char* jobs : {"1", "2"}) {
        const ToolRun run = Shell(dir, std::string("HCPSOLVE --jobs ") + jobs
                                           + " --format json --results r" + jobs + ".jsonl --select no-cycle - < all.g6");
        outs.push_back(run.out);
        const auto results = JsonLines(ReadFile(dir / ("r" + std::string(jobs) + ".jsonl")));
        ASSERT_EQ(results.size(), 11117u) << jobs;
        EXPECT_EQ(static_cast<long>(SplitLines(run.out).size()), Count(results, "NO_CYCLE")) << jobs;
        for (std::size_t k = 0; k < results.size(); ++k)
            ASSERT_EQ(results[k]["file"], "-:" + std::to_string(k + 1)) << jobs;
    }
    EXPECT_EQ(outs[0], outs[1]);
    // The selection follows the input's order: every selected line appears
    // in the input after the one before it.
    const std::vector<std::string> all = SplitLines(ReadFile(dir / "all.g6"));
    std::size_t at = 0;
    for (const std::string& line : SplitLines(outs[1])) {
        while (at < all.size() && all[at] != line) ++at;
        ASSERT_LT(at, all.size()) << line << " out of order";
    }
}

TEST(HcpsolveSelect, ResultsFileAndItsErrors)
{
    TempDir dir;
    const std::string hexagon = kData + "/hexagon.hcp";
    // The file holds the result lines alone, and no temporary stays behind.
    const ToolRun ok = Solve(dir, {"--format", "csv", "--select", "no-cycle", "--results", "r.csv", hexagon,
                                   kData + "/claw.hcp"});
    EXPECT_EQ(ok.status, 1) << ok.err;
    EXPECT_EQ(ok.out, ReadFile(kData + "/claw.hcp"));
    EXPECT_EQ(ok.err, "");
    const auto rows = SplitLines(ReadFile(dir / "r.csv"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "file,n,edges,verdict,h,calls,seconds,seed,restart,method,error,reason,tour");
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"r.csv"});

    // Usage errors: one line, nothing run.
    const std::vector<std::vector<std::string>> usage = {
        {"--results", "r2.csv", hexagon},
        {"--select", "hamiltonian", "--results", "", hexagon},
        {"--select", "cycles", hexagon},
        {"--select", "hamiltonian", "--verify", hexagon, kData + "/hexagon_crlf.tour"},
    };
    for (const auto& args : usage) {
        const ToolRun run = Solve(dir, args);
        EXPECT_EQ(run.status, 2) << args[0] << " " << args[1];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(SplitLines(run.err).size(), 1u) << run.err;
    }
    // A results file that cannot be made stops the run before it starts.
    for (const std::string& target : {std::string("missing/r.csv"), std::string(".")}) {
        const ToolRun run = Solve(dir, {"--select", "hamiltonian", "--results", target, hexagon});
        EXPECT_EQ(run.status, 2) << target;
        EXPECT_EQ(run.out, "") << target;
        const auto err = SplitLines(run.err);
        ASSERT_EQ(err.size(), 1u) << run.err;
        EXPECT_EQ(err[0].rfind("hcpsolve: error: cannot write the results to " + target + ": ", 0), 0u) << err[0];
    }
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"r.csv"});
}

// A reader that goes away (`| head -1`) ends the run: by SIGPIPE, as any
// filter, or, where SIGPIPE is ignored, by a write error; either way no
// temporary of the results file stays behind.
TEST(HcpsolveSelect, AReaderThatGoesAwayLeavesNoTemporary)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty not installed";
    TempDir dir;
    ASSERT_EQ(Shell(dir, "nauty-geng -cq 9 > all.g6").status, 0);
    for (const auto disposition : {SIG_DFL, SIG_IGN}) {
        std::signal(SIGPIPE, disposition);
        const ToolRun run = Shell(dir, "HCPSOLVE --jobs 2 --select no-cycle --results r.csv --format csv all.g6 | head -1");
        std::signal(SIGPIPE, SIG_IGN);
        EXPECT_EQ(SplitLines(run.out).size(), 1u);
        const std::vector<std::string> left = ListDir(dir.path());
        const bool kept = std::find(left.begin(), left.end(), "r.csv") != left.end();
        EXPECT_EQ(left.size(), kept ? 2u : 1u) << (disposition == SIG_IGN ? "ignored: " : "default: ") << run.err;
        if (disposition == SIG_IGN) {
            // The results printed up to the error are kept, each line whole.
            EXPECT_NE(run.err.find("hcpsolve: error: cannot write the selected graphs to standard output: Broken pipe"),
                      std::string::npos) << run.err;
            ASSERT_TRUE(kept);
            const auto rows = SplitLines(ReadFile(dir / "r.csv"));
            ASSERT_GE(rows.size(), 2u);
            for (const std::string& row : rows) EXPECT_GE(std::count(row.begin(), row.end(), ','), 12) << row;
        } else {
            EXPECT_FALSE(kept);
        }
        std::filesystem::remove(dir / "r.csv");
    }
}

// Ctrl-C ends a selection as it ends any run: what was decided is passed
// on and its results file keeps every line printed, whole.
TEST(HcpsolveSelect, CtrlCKeepsWhatWasSelectedAndItsResults)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty not installed";
    TempDir dir;
    ASSERT_EQ(Shell(dir, "nauty-geng -cq 10 2>/dev/null | head -n 1000000 > many.g6").status, 0);
    const ToolRun run = RunTool(kProgram, {"--jobs", "2", "--format", "csv", "--select", "no-cycle", "--results",
                                           "r.csv", "many.g6"},
                                dir.path(), 400);
    ASSERT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find("hcpsolve: error: interrupted; "), std::string::npos) << run.err;
    const std::string results = ReadFile(dir / "r.csv");
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(results.back(), '\n');
    const auto rows = SplitLines(results);
    long noCycle = 0;
    for (std::size_t k = 1; k < rows.size(); ++k) {
        EXPECT_GE(std::count(rows[k].begin(), rows[k].end(), ','), 12) << rows[k];
        noCycle += rows[k].find(",NO_CYCLE,") != std::string::npos ? 1 : 0;
    }
    EXPECT_LT(rows.size(), 1000001u) << "the run was to be cut short";
    EXPECT_EQ(static_cast<long>(SplitLines(run.out).size()), noCycle);
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"many.g6", "r.csv"}));
}
