// hcpsolve solving files: verdicts, the degree proof, unreadable files, exit
// statuses, independence from --jobs, the time limit and Ctrl-C.
#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;
const std::string kExamples = TOURVANE_EXAMPLES;

ToolRun Solve(const TempDir& dir, std::vector<std::string> args, int interruptAfterMs = 0)
{
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path(), interruptAfterMs);
}

// The text line of a file without its time, which varies from run to run.
std::string WithoutTime(const std::string& line)
{
    const std::size_t t = line.rfind(" time=");
    return t == std::string::npos ? line : line.substr(0, t);
}

// The field "key=value" of a text result line.
std::string Field(const std::string& line, const std::string& key)
{
    const std::size_t k = line.find(" " + key + "=");
    if (k == std::string::npos) return "";
    const std::size_t b = k + key.size() + 2;
    return line.substr(b, line.find(' ', b) - b);
}

// Writes a graph of n nodes made of a cycle through a shuffled order plus
// `extra` random chords, drawn from a fixed-seed generator.
std::string WritePlantedGraph(const TempDir& dir, int n, int extra, unsigned seed)
{
    std::mt19937 rng(seed);
    std::set<std::pair<int, int>> edges;
    auto join = [&](int a, int b) {
        if (a != b) edges.insert({std::min(a, b), std::max(a, b)});
    };
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i) order[i] = i + 1;
    for (int i = n - 1; i > 0; --i) std::swap(order[i], order[rng() % (i + 1)]);
    for (int i = 0; i < n; ++i) join(order[i], order[(i + 1) % n]);
    for (int k = 0; k < extra; ++k) join(static_cast<int>(rng() % n) + 1, static_cast<int>(rng() % n) + 1);
    const std::string name = "planted_" + std::to_string(n) + "_" + std::to_string(seed) + ".hcp";
    std::string text = "NAME: " + name + "\nCOMMENT: planted cycle\nTYPE: HCP\nDIMENSION: "
                     + std::to_string(n) + "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n";
    for (const auto& [a, b] : edges) text += std::to_string(a) + " " + std::to_string(b) + "\n";
    WriteFile(dir / name, text + "-1\nEOF\n");
    return name;
}

bool HasVerdict(const std::string& line, const std::string& verdict)
{
    return line.find(" " + verdict + " ") != std::string::npos;
}

}  // namespace

TEST(HcpsolveVerdicts, KnightGraphsHaveCyclesThePetersenGraphHasNone)
{
    TempDir dir;
    const std::string knight8 = MakeLeaperGraph(dir, 1, 2, 8, 8);
    const ToolRun run = Solve(dir, {knight8, kExamples + "/leaper_1_2_30_30.hcp",
                                    kExamples + "/petersen.hcp"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out << run.err;
    EXPECT_EQ(lines[0].rfind(knight8 + ": N=64 edges=168 HAMILTONIAN H=0 calls=", 0), 0u) << lines[0];
    EXPECT_NE(lines[1].find(": N=900 edges=3248 HAMILTONIAN H=0"), std::string::npos) << lines[1];
    // The default method ends with a complete search, which proves it.
    EXPECT_NE(lines[2].find(": N=10 edges=15 NO_CYCLE H=-"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find(" ("), std::string::npos) << "a proof gives its reason: " << lines[2];
    EXPECT_EQ(run.status, 1) << "one file without a cycle";
    EXPECT_EQ(run.err, "");
}

TEST(HcpsolveVerdicts, DegreeTestProvesNoCycleWithoutSearching)
{
    TempDir dir;
    const std::string knight3 = MakeLeaperGraph(dir, 1, 2, 3, 3);   // isolated centre
    const ToolRun run = Solve(dir, {"--method", "exist", knight3, kData + "/pendant_node.hcp",
                                    kData + "/three_forced_paths.hcp"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    for (const std::string& line : lines) {
        EXPECT_TRUE(HasVerdict(line, "NO_CYCLE")) << line;
        EXPECT_EQ(Field(line, "calls"), "0") << line;
        EXPECT_EQ(Field(line, "H"), "-") << line;
    }
    // Each line says why: the isolated centre, the pendant node, and the
    // node left without edges once the forced paths have been followed.
    EXPECT_NE(lines[0].find("(node 5 has degree 0)"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("(node 4 has degree 1)"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("once the edges no cycle can use are removed)"), std::string::npos) << lines[2];
    EXPECT_EQ(run.status, 1);
}

TEST(HcpsolveVerdicts, MinMethodStillReportsTheFewestGapsOfAnImpossibleGraph)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--method", "min", MakeLeaperGraph(dir, 1, 2, 3, 3)});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(HasVerdict(lines[0], "NO_CYCLE")) << lines[0];
    // The isolated centre costs two gaps in any order.
    EXPECT_EQ(Field(lines[0], "H"), "2") << lines[0];
}

TEST(HcpsolveVerdicts, GraphsBelowThreeNodesHaveNoCycleWhateverTheMethod)
{
    TempDir dir;
    const std::string header = "NAME: tiny\nCOMMENT: tiny\nTYPE: HCP\nDIMENSION: ";
    const std::string section = "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n";
    WriteFile(dir / "none.hcp", header + "0" + section + "-1\nEOF\n");
    WriteFile(dir / "one.hcp", header + "1" + section + "-1\nEOF\n");
    WriteFile(dir / "two.hcp", header + "2" + section + "1 2\n-1\nEOF\n");
    WriteFile(dir / "three.hcp", header + "3" + section + "1 2\n2 3\n3 1\n-1\nEOF\n");
    for (const char* method : {"exist", "min", "optimize"}) {
        const ToolRun run = Solve(dir, {"--method", method, "none.hcp", "one.hcp", "two.hcp", "three.hcp"});
        const auto lines = SplitLines(run.out);
        ASSERT_EQ(lines.size(), 4u) << run.out << run.err;
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(HasVerdict(lines[k], "NO_CYCLE")) << method << ": " << lines[k];
        EXPECT_TRUE(HasVerdict(lines[3], "HAMILTONIAN")) << method << ": " << lines[3];
    }
}

TEST(HcpsolveErrors, UnreadableFilesAreReportedAndTheOthersStillSolved)
{
    TempDir dir;
    const std::string good = MakeLeaperGraph(dir, 1, 2, 6, 6);
    std::filesystem::create_directory(dir / "folder.hcp");
    const ToolRun run = Solve(dir, {"missing.hcp", kData + "/lowercase_name_keyword.hcp", good,
                                    kData + "/node_out_of_range.hcp", "folder.hcp"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 5u) << run.out;
    EXPECT_EQ(lines[0], "missing.hcp: ERROR");
    EXPECT_EQ(lines[1], kData + "/lowercase_name_keyword.hcp: ERROR");
    EXPECT_TRUE(HasVerdict(lines[2], "HAMILTONIAN")) << lines[2];
    EXPECT_EQ(lines[3], kData + "/node_out_of_range.hcp: ERROR");
    EXPECT_EQ(lines[4], "folder.hcp: ERROR");
    EXPECT_EQ(run.status, 2);

    // One line per bad file, each naming the file and the problem.
    const auto errors = SplitLines(run.err);
    ASSERT_EQ(errors.size(), 4u) << run.err;
    EXPECT_EQ(errors[0], "hcpsolve: error: missing.hcp: No such file or directory");
    EXPECT_EQ(errors[1].rfind("hcpsolve: error: " + kData + "/lowercase_name_keyword.hcp:", 0), 0u)
        << errors[1];
    EXPECT_NE(errors[2].find("node_out_of_range.hcp:8:"), std::string::npos) << errors[2];
    EXPECT_EQ(errors[3], "hcpsolve: error: folder.hcp: is a directory");
}

TEST(HcpsolveErrors, QuietKeepsOnlyTheResultLines)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--quiet", "missing.hcp", kExamples + "/petersen.hcp"});
    EXPECT_EQ(SplitLines(run.out).size(), 2u);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 2);
}

TEST(HcpsolveExitStatus, ZeroOnlyWhenEveryFileIsHamiltonian)
{
    TempDir dir;
    const std::string knight6 = MakeLeaperGraph(dir, 1, 2, 6, 6);
    EXPECT_EQ(Solve(dir, {knight6, kData + "/hexagon.hcp"}).status, 0);
    EXPECT_EQ(Solve(dir, {knight6, kData + "/pendant_node.hcp"}).status, 1);
    EXPECT_EQ(Solve(dir, {knight6, kData + "/pendant_node.hcp", "nothere.hcp"}).status, 2);
}

TEST(HcpsolveUsage, BadOptionsGiveOneLineAndStatusTwo)
{
    TempDir dir;
    const std::string g = kData + "/hexagon.hcp";
    const std::vector<std::vector<std::string>> cases = {
        {"--jobs", "two", g},       {"--jobs", "0", g},          {"--restarts", "-1", g},
        {"--time-limit", "-5", g},  {"--time-limit", "soon", g}, {"--seed", "x", g},
        {"--method", "guess", g},   {"--format", "xml", g},      {"--frobnicate", g},
        {},                         {"--verify", g},             {"--verify", g, g, g},
        // Only plain decimal numbers: no hexadecimal, exponents, words or blanks.
        {"--time-limit", "0x10", g}, {"--time-limit", "1e3", g}, {"--time-limit", "inf", g},
        {"--time-limit", " 5", g},   {"--time-limit", "1.2.3", g}, {"--seed", "0x10", g},
        {"--jobs", "1.5", g},        {"--restarts", "4 ", g},
    };
    for (const auto& args : cases) {
        const ToolRun run = Solve(dir, args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        const auto lines = SplitLines(run.err);
        ASSERT_EQ(lines.size(), 1u) << run.err;
        EXPECT_EQ(lines[0].rfind("hcpsolve: error: ", 0), 0u) << lines[0];
        EXPECT_EQ(run.out, "");
    }
}

TEST(HcpsolveUsage, HelpDocumentsEveryOptionAndVersionPrintsIt)
{
    TempDir dir;
    const ToolRun help = Solve(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--method", "--seed", "--restarts", "--jobs", "--time-limit", "--calls",
                               "--output-dir", "--verify", "--format", "--quiet", "--version",
                               "Examples:"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    // The methods are listed from the engine's registry, with their summaries.
    for (const char* method : {"  exist ", "  min ", "  optimize "})
        EXPECT_NE(help.out.find(method), std::string::npos) << method;
    EXPECT_NE(help.out.find("IsCycleExist"), std::string::npos);
    const ToolRun version = Solve(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("hcpsolve ", 0), 0u) << version.out;
}

TEST(HcpsolveDeterminism, OutputDoesNotDependOnJobs)
{
    TempDir dir;
    // With eight threads the restarts after a first success start at once and
    // are cancelled; with --method min the planted graphs report their best
    // order from restarts 1, 2 and 4, so the choice among restarts matters.
    std::vector<std::string> files = {
        MakeLeaperGraph(dir, 1, 2, 6, 6),   MakeLeaperGraph(dir, 1, 2, 5, 6),
        MakeLeaperGraph(dir, 1, 2, 10, 10), WritePlantedGraph(dir, 200, 40, 6),
        WritePlantedGraph(dir, 200, 40, 10), WritePlantedGraph(dir, 200, 40, 12),
        kExamples + "/petersen.hcp",        kData + "/hexagon.hcp",
        kData + "/pendant_node.hcp",        "missing.hcp"};
    for (const char* method : {"exist", "optimize", "min"}) {
        std::vector<std::string> common = {"--method", method, "--restarts", "6", "--calls", "2",
                                           "--seed", "1"};
        common.insert(common.end(), files.begin(), files.end());
        std::vector<std::string> one = common, eight = common;
        one.insert(one.begin(), {"--jobs", "1"});
        eight.insert(eight.begin(), {"--jobs", "8"});
        const ToolRun a = Solve(dir, one);
        const ToolRun b = Solve(dir, eight);
        const auto la = SplitLines(a.out), lb = SplitLines(b.out);
        ASSERT_EQ(la.size(), files.size()) << method;
        ASSERT_EQ(lb.size(), files.size()) << method;
        for (std::size_t i = 0; i < la.size(); ++i)
            EXPECT_EQ(WithoutTime(la[i]), WithoutTime(lb[i])) << method;
        EXPECT_EQ(a.status, b.status);
        EXPECT_EQ(a.err, b.err);
    }
}

TEST(HcpsolveDeterminism, SameSeedSameOrderDifferentSeedMayDiffer)
{
    TempDir dir;
    const std::string g = MakeLeaperGraph(dir, 1, 2, 10, 10);
    ASSERT_EQ(Solve(dir, {"-o", "a", "--seed", "3", g}).status, 0);
    ASSERT_EQ(Solve(dir, {"-o", "b", "--seed", "3", "--jobs", "4", g}).status, 0);
    EXPECT_EQ(ReadFile(dir / "a/leaper_1_2_10_10.tour"), ReadFile(dir / "b/leaper_1_2_10_10.tour"));
}

TEST(HcpsolveLimits, TimeLimitStopsTheSearchInsideAndReportsTheBestGaps)
{
    TempDir dir;
    // The (1, 3)-leaper never changes square colour, so the graph falls into
    // two halves and every restart grinds through all its gaps.
    const std::string g = MakeLeaperGraph(dir, 1, 3, 20, 20);
    const ToolRun run = Solve(dir, {"--method", "exist", "--jobs", "1", "--restarts", "1000", "--time-limit", "0.3", g});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 1u) << run.out << run.err;
    EXPECT_TRUE(HasVerdict(lines[0], "NOT_FOUND")) << lines[0];
    EXPECT_NE(Field(lines[0], "H"), "-") << "the stopped search still has an order";
    EXPECT_EQ(run.status, 1);
    // A thousand restarts take minutes; the limit ends the run long before.
    EXPECT_LT(run.seconds, 60.0);
}

TEST(HcpsolveLimits, InterruptPrintsResultsSoFarAndLeavesNoPartialTour)
{
    TempDir dir;
    const std::string quick = MakeLeaperGraph(dir, 1, 2, 8, 8);
    const std::string slow = MakeLeaperGraph(dir, 1, 3, 20, 20);
    const std::string later = MakeLeaperGraph(dir, 1, 2, 6, 6);
    const ToolRun run = Solve(dir, {"--method", "exist", "--jobs", "1", "--restarts", "1000", "-o", "tours", quick, slow, later},
                              1500);
    EXPECT_EQ(run.status, 130) << run.err;
    const auto lines = SplitLines(run.out);
    // The slow graph is cut short; the last one may or may not have had its
    // turn, as the single thread interleaves files once a restart fails.
    ASSERT_GE(lines.size(), 2u) << run.out;
    ASSERT_LE(lines.size(), 3u) << run.out;
    EXPECT_TRUE(HasVerdict(lines[0], "HAMILTONIAN")) << lines[0];
    EXPECT_EQ(lines[1].rfind(slow + ":", 0), 0u) << lines[1];
    EXPECT_TRUE(HasVerdict(lines[1], "NOT_FOUND")) << lines[1];
    EXPECT_NE(run.err.find("interrupted"), std::string::npos) << run.err;
    std::vector<std::string> expected{"leaper_1_2_8_8.tour"};
    if (lines.size() == 3 && HasVerdict(lines[2], "HAMILTONIAN")) expected.insert(expected.begin(), "leaper_1_2_6_6.tour");
    EXPECT_EQ(ListDir(dir / "tours"), expected) << "only whole tours of decided files";
}

TEST(HcpsolveThreads, GoodMissingAndMalformedFilesAtOnce)
{
    // Four threads read and solve good, missing and malformed files side by
    // side: every file gets its line in order, every bad file exactly one
    // error line, and the output is that of a single thread.
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.hcp");
    std::vector<std::string> files;
    for (int k = 0; k < 3; ++k) {
        files.push_back(MakeLeaperGraph(dir, 1, 2, 6 + k, 6 + k));
        files.push_back("missing" + std::to_string(k) + ".hcp");
        files.push_back(kData + "/node_out_of_range.hcp");
        files.push_back(kData + "/lowercase_name_keyword.hcp");
        files.push_back(kData + "/pendant_node.hcp");
        files.push_back(WritePlantedGraph(dir, 120, 30, static_cast<unsigned>(k + 3)));
    }
    files.push_back("folder.hcp");
    std::vector<std::string> four = {"--jobs", "4", "--restarts", "3"};
    std::vector<std::string> one = {"--jobs", "1", "--restarts", "3"};
    four.insert(four.end(), files.begin(), files.end());
    one.insert(one.end(), files.begin(), files.end());
    const ToolRun a = Solve(dir, four);
    const ToolRun b = Solve(dir, one);
    const auto la = SplitLines(a.out), lb = SplitLines(b.out);
    ASSERT_EQ(la.size(), files.size()) << a.out << a.err;
    ASSERT_EQ(lb.size(), files.size()) << b.out << b.err;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(la[i].rfind(files[i] + ":", 0), 0u) << la[i];
        EXPECT_EQ(WithoutTime(la[i]), WithoutTime(lb[i]));
    }
    EXPECT_EQ(a.err, b.err);
    const auto errors = SplitLines(a.err);
    EXPECT_EQ(errors.size(), 10u) << a.err;   // 3 missing, 3 + 3 malformed, 1 folder
    for (const std::string& e : errors) EXPECT_EQ(e.rfind("hcpsolve: error: ", 0), 0u) << e;
    EXPECT_EQ(a.status, 2);
}
