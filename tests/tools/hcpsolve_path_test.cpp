// hcpsolve asked for Hamiltonian paths: the options and their usage errors,
// ends that do not fit a graph, the verdict words in every format, tour
// files of paths, --verify on paths, and the answers on every small graph
// against an exhaustive check of its own.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "exhaustive.h"
#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;
const std::string kExamples = TOURVANE_EXAMPLES;

ToolRun Solve(const TempDir& dir, std::vector<std::string> args)
{
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path());
}

bool HaveNauty() { return std::system("command -v nauty-geng >/dev/null 2>&1") == 0; }

// nauty-geng's graphs (args as for geng) in the file name of dir; their
// lines.
std::vector<std::string> Generate(const TempDir& dir, const std::string& args, const std::string& name)
{
    const std::string command = "nauty-geng -q " + args + " > '" + (dir / name).string() + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("nauty-geng failed: " + command);
    return SplitLines(ReadFile(dir / name));
}

std::vector<nlohmann::json> JsonLines(const std::string& out)
{
    std::vector<nlohmann::json> v;
    for (const std::string& line : SplitLines(out))
        if (!line.empty()) v.push_back(nlohmann::json::parse(line));
    return v;
}

// The node numbers of a tour file's TOUR_SECTION, 0-based.
std::vector<int> TourOrder(const std::string& text)
{
    std::vector<int> order;
    bool inSection = false;
    for (const std::string& line : SplitLines(text)) {
        if (line.rfind("TOUR_SECTION", 0) == 0) inSection = true;
        else if (inSection && line.find("-1") != std::string::npos) break;
        else if (inSection) order.push_back(std::stoi(line) - 1);
    }
    return order;
}

}  // namespace

TEST(HcpsolvePathOptions, MalformedOrClashingEndsAreOneLineUsageErrors)
{
    TempDir dir;
    const std::string graph = kData + "/hexagon.hcp";
    const std::vector<std::vector<std::string>> cases = {
        {"--path", "--path-from", "2"},
        {"--path-from", "1", "--path-ends", "1,2"},
        {"--path", "--path-ends", "1,2"},
        {"--path-ends", "1"},
        {"--path-ends", "1,2,3"},
        {"--path-ends", ",2"},
        {"--path-ends", "1,x"},
        {"--path-from", "0"},
        {"--path-from", "-1"},
        {"--path-from", "two"},
        {"--path-from", "99999999999"},
        {"--path-from"},
    };
    for (std::vector<std::string> args : cases) {
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
        args.push_back(graph);
        const ToolRun run = Solve(dir, args);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        const auto lines = SplitLines(run.err);
        ASSERT_EQ(lines.size(), 1u) << shown << run.err;
        EXPECT_EQ(lines[0].rfind("hcpsolve: error: ", 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find("--path"), std::string::npos) << lines[0];
    }
}

// Whether node 7 exists is the graph's business: the hexagon's line is an
// error naming the file, and the Petersen graph after it is still solved.
TEST(HcpsolvePathOptions, EndsOutsideAGraphSpoilOnlyThatGraph)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--path-from", "7", kData + "/hexagon.hcp", kExamples + "/petersen.hcp"});
    EXPECT_EQ(run.status, 2);
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out << run.err;
    EXPECT_EQ(lines[0], kData + "/hexagon.hcp: ERROR");
    EXPECT_NE(lines[1].find(": N=10 edges=15 HAMILTONIAN_PATH H=0"), std::string::npos) << lines[1];
    EXPECT_EQ(run.err, "hcpsolve: error: " + kData + "/hexagon.hcp: --path-from 7 does not fit the graph: "
                           "node 7 is outside 1..6\n");

    const ToolRun json = Solve(dir, {"--format", "json", "--path-ends", "2,9", kData + "/hexagon.hcp"});
    const auto j = JsonLines(json.out);
    ASSERT_EQ(j.size(), 1u) << json.out;
    EXPECT_EQ(j[0]["verdict"], "ERROR");
    EXPECT_NE(j[0]["error"].get<std::string>().find("node 9 is outside 1..6"), std::string::npos) << json.out;
    EXPECT_EQ(j[0]["question"], "path");
    EXPECT_EQ(j[0]["from"], 2);
    EXPECT_EQ(j[0]["to"], 9);
}

// The Petersen graph has a path but no cycle, and the claw (a tree with
// three leaves) has no path.
TEST(HcpsolvePathVerdicts, WordsSayPathInEveryFormat)
{
    TempDir dir;
    const std::string petersen = kExamples + "/petersen.hcp";
    const std::string claw = kData + "/claw.hcp";
    const ToolRun text = Solve(dir, {"--path", petersen, claw});
    const auto lines = SplitLines(text.out);
    ASSERT_EQ(lines.size(), 2u) << text.out << text.err;
    EXPECT_NE(lines[0].find(": N=10 edges=15 HAMILTONIAN_PATH H=0 "), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(": N=4 edges=3 NO_PATH H=- "), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find(" ("), std::string::npos) << "a proof gives its reason: " << lines[1];
    EXPECT_EQ(text.status, 1);

    const ToolRun csv = Solve(dir, {"--format", "csv", "--path-from", "3", petersen, claw});
    const auto rows = SplitLines(csv.out);
    ASSERT_EQ(rows.size(), 3u) << csv.out;
    EXPECT_EQ(rows[0], "file,n,edges,verdict,h,calls,seconds,seed,restart,method,error,reason,tour,question,from,to");
    EXPECT_EQ(rows[1].rfind(petersen + ",10,15,HAMILTONIAN_PATH,0,", 0), 0u) << rows[1];
    EXPECT_EQ(rows[1].substr(rows[1].size() - 8), ",path,3,") << rows[1];
    EXPECT_EQ(rows[2].rfind(claw + ",4,3,NO_PATH,,", 0), 0u) << rows[2];

    const ToolRun json = Solve(dir, {"--format", "json", "--path-ends", "2,3", claw});
    const auto j = JsonLines(json.out);
    ASSERT_EQ(j.size(), 1u) << json.out;
    EXPECT_EQ(j[0]["verdict"], "NO_PATH");
    EXPECT_FALSE(j[0]["reason"].get<std::string>().empty());
    EXPECT_EQ(j[0]["question"], "path");
    EXPECT_EQ(j[0]["from"], 2);
    EXPECT_EQ(j[0]["to"], 3);

    // A path between neighbours 1 and 2 would close a cycle: there is none,
    // which the complete search proves and a heuristic cannot.
    const ToolRun proof = Solve(dir, {"--path-ends", "1,2", petersen});
    EXPECT_NE(proof.out.find(" NO_PATH H=- "), std::string::npos) << proof.out;
    const ToolRun heuristic = Solve(dir, {"--path-ends", "1,2", "--method", "exist", petersen});
    EXPECT_NE(heuristic.out.find(" UNKNOWN H="), std::string::npos) << heuristic.out;
    EXPECT_EQ(heuristic.status, 1);
}

TEST(HcpsolvePathVerify, ChecksTheQuestionAsked)
{
    TempDir dir;
    const std::string hexagon = kData + "/hexagon.hcp";
    const std::string good = kData + "/hexagon_path.tour";   // 2 3 4 1 6 5: no edge 5-2 closes it
    const std::string gap = kData + "/hexagon_path_gap.tour";   // 2 3 1 4 5 6: 3-1 is no edge
    struct Case {
        std::vector<std::string> question;
        std::string tour;
        int status;
        std::string verdict;
    };
    const Case cases[] = {
        {{"--path"}, good, 0, ": HAMILTONIAN_PATH H=0 N=6"},
        {{"--path-from", "2"}, good, 0, ": HAMILTONIAN_PATH H=0 N=6"},
        {{"--path-ends", "2,5"}, good, 0, ": HAMILTONIAN_PATH H=0 N=6"},
        {{"--path-from", "3"}, good, 1, ": NOT_HAMILTONIAN_PATH H=1 N=6"},
        {{"--path-ends", "2,6"}, good, 1, ": NOT_HAMILTONIAN_PATH H=1 N=6"},
        {{"--path"}, gap, 1, ": NOT_HAMILTONIAN_PATH H=1 N=6"},
        {{}, good, 1, ": NOT_HAMILTONIAN H=1 N=6"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--verify", hexagon, c.tour};
        args.insert(args.end(), c.question.begin(), c.question.end());
        const ToolRun run = Solve(dir, args);
        const std::string shown = (c.question.empty() ? std::string("cycle") : c.question[0]) + " " + c.tour;
        EXPECT_EQ(run.status, c.status) << shown << run.out << run.err;
        EXPECT_EQ(run.out.rfind(c.tour + c.verdict + " graph=" + hexagon, 0), 0u) << shown << run.out;
    }
    // The gap is named, and a path's tour checked as a cycle says what to do.
    EXPECT_NE(Solve(dir, {"--verify", hexagon, gap, "--path"}).out.find("(first gap 3-1)"), std::string::npos);
    const ToolRun asCycle = Solve(dir, {"--verify", hexagon, good});
    EXPECT_NE(asCycle.out.find("first gap 5-2"), std::string::npos) << asCycle.out;
    EXPECT_NE(asCycle.out.find("the tour says it is a path: check it with --path"), std::string::npos) << asCycle.out;

    const ToolRun outside = Solve(dir, {"--verify", hexagon, good, "--path-from", "8"});
    EXPECT_EQ(outside.status, 2);
    EXPECT_EQ(outside.out, "");
    EXPECT_EQ(outside.err, "hcpsolve: error: " + hexagon + ": --path-from 8 does not fit the graph: node 8 is outside 1..6\n");
}

// hcpsolve writes the Petersen graph's path as a tour that says it is one,
// and checks it back.
TEST(HcpsolvePathTours, APathTourIsTheOpenOrderAndPassesVerify)
{
    TempDir dir;
    const std::string petersen = kExamples + "/petersen.hcp";
    const ToolRun run = Solve(dir, {"--path-ends", "1,3", "-o", "tours", petersen});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const std::string tour = ReadFile(dir / "tours" / "petersen.tour");
    EXPECT_NE(tour.find("COMMENT: Hamiltonian path, no closing edge (H=0)"), std::string::npos) << tour;
    EXPECT_NE(tour.find("TYPE: TOUR"), std::string::npos) << tour;
    const std::vector<int> order = TourOrder(tour);
    ASSERT_EQ(order.size(), 10u) << tour;
    EXPECT_EQ(order.front(), 0);
    EXPECT_EQ(order.back(), 2);
    // The Petersen graph's edges as examples/petersen.hcp lists them.
    SmallGraph g;
    g.n = 10;
    g.out.assign(10, 0);
    const int edges[][2] = {{10, 8}, {10, 7}, {10, 5}, {9, 7}, {9, 6}, {9, 4}, {8, 6}, {8, 3},
                            {7, 2}, {6, 1}, {5, 4}, {5, 1}, {4, 3}, {3, 2}, {2, 1}};
    for (const auto& e : edges) {
        g.out[e[0] - 1] |= 1u << (e[1] - 1);
        g.out[e[1] - 1] |= 1u << (e[0] - 1);
    }
    EXPECT_TRUE(IsHamiltonianPath(g, order)) << tour;

    const ToolRun ok = Solve(dir, {"--verify", petersen, "tours/petersen.tour", "--path-ends", "1,3"});
    EXPECT_EQ(ok.status, 0) << ok.out << ok.err;
    const ToolRun cycle = Solve(dir, {"--verify", petersen, "tours/petersen.tour"});
    EXPECT_EQ(cycle.status, 1) << cycle.out;
}

// Every graph on 6 nodes (connected or not) and every connected graph on 7:
// each path question's verdict matches the exhaustive check, and with -o
// each path written is one, with the ends asked for.
TEST(HcpsolvePathVerdicts, EverySmallGraphAgreesWithTheExhaustiveCheck)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty-geng not installed";
    TempDir dir;
    struct Run {
        std::string geng;
        std::vector<std::string> question;
        std::optional<int> from, to;
        bool tours;   // each tour is a file written safely: a few hundred at most
    };
    const Run runs[] = {
        {"6", {"--path"}, {}, {}, true},
        {"-c 7", {"--path"}, {}, {}, false},
        {"6", {"--path-from", "6"}, 5, {}, true},
        {"-c 7", {"--path-ends", "1,7"}, 0, 6, false},
        {"6", {"--path-ends", "3,4"}, 2, 3, true},
        {"-c 7", {"--path-ends", "3,4"}, 2, 3, false},
    };
    for (const Run& r : runs) {
        const std::vector<std::string> graphs = Generate(dir, r.geng, "g.g6");
        std::vector<std::string> args = {"--format", "json", "--jobs", "2", "g.g6"};
        if (r.tours) args.insert(args.end(), {"-o", "tours"});
        args.insert(args.end(), r.question.begin(), r.question.end());
        std::filesystem::remove_all(dir / "tours");
        const ToolRun run = Solve(dir, args);
        const auto lines = JsonLines(run.out);
        const std::string shown = r.geng + " " + r.question[0];
        ASSERT_EQ(lines.size(), graphs.size()) << shown << run.err;
        int paths = 0;
        for (std::size_t k = 0; k < graphs.size(); ++k) {
            const SmallGraph g = DecodeNautyLine(graphs[k]);
            const bool truth = HasHamiltonianPath(g, r.from, r.to);
            paths += truth ? 1 : 0;
            EXPECT_EQ(lines[k]["verdict"], truth ? "HAMILTONIAN_PATH" : "NO_PATH") << shown << " " << graphs[k];
            if (!truth || !r.tours) continue;
            const std::string tour = ReadFile(dir / "tours" / ("g_" + std::to_string(k + 1) + ".tour"));
            const std::vector<int> order = TourOrder(tour);
            EXPECT_TRUE(IsHamiltonianPath(g, order)) << shown << " " << graphs[k] << "\n" << tour;
            if (order.empty()) continue;
            if (r.from) {
                EXPECT_EQ(order.front(), *r.from) << shown << " " << graphs[k];
            }
            if (r.to) {
                EXPECT_EQ(order.back(), *r.to) << shown << " " << graphs[k];
            }
        }
        EXPECT_GT(paths, 0) << shown;
        EXPECT_LT(paths, static_cast<int>(graphs.size())) << shown;
    }
}
