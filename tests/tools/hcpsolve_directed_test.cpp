// hcpsolve on directed graphs, told by their format (digraph6 lines, DIMACS
// arcs, TYPE : DHCP): result lines that count arcs, cycles and paths on every small
// digraph against an exhaustive check of its own, tours that follow the
// arcs, --verify on a directed tour, and --select over a digraph6 stream.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "exhaustive.h"
#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kProgram = HCPSOLVE_PROGRAM;

bool HaveDirectg() { return std::system("command -v nauty-geng >/dev/null 2>&1 && command -v nauty-directg >/dev/null 2>&1") == 0; }

ToolRun Solve(const TempDir& dir, std::vector<std::string> args)
{
    return RunTool(kProgram, args, dir.path());
}

ToolRun Shell(const TempDir& dir, const std::string& command)
{
    return RunTool("/bin/sh", {"-c", command}, dir.path());
}

std::vector<nlohmann::json> JsonLines(const std::string& out)
{
    std::vector<nlohmann::json> v;
    for (const std::string& line : SplitLines(out))
        if (!line.empty()) v.push_back(nlohmann::json::parse(line));
    return v;
}

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

// The directed triangle 1->2->3->1 with the chord 1->3, as DIMACS arcs and
// as a directed HCP file.
const char* const kTriangle = "c a directed triangle and a chord\np arc 3 4\na 1 2\na 2 3\na 3 1\na 1 3\n";
const char* const kTriangleHcp = "NAME : triangle\nTYPE : DHCP\nDIMENSION : 3\nEDGE_DATA_FORMAT : EDGE_LIST\n"
                                 "EDGE_DATA_SECTION\n1 2\n2 3\n3 1\n1 3\n-1\nEOF\n";

}  // namespace

TEST(HcpsolveDirected, LinesCountArcsAndSayTheGraphIsDirected)
{
    TempDir dir;
    WriteFile(dir / "triangle.col", kTriangle);
    WriteFile(dir / "triangle.hcp", kTriangleHcp);
    for (const std::string file : {"triangle.col", "triangle.hcp"}) {
        const ToolRun text = Solve(dir, {file});
        EXPECT_EQ(text.status, 0) << text.err;
        EXPECT_EQ(text.out.rfind(file + ": N=3 arcs=4 HAMILTONIAN H=0 ", 0), 0u) << text.out;
        const ToolRun json = Solve(dir, {"--format", "json", "--path-ends", "3,2", "-o", "tours", file});
        const auto j = JsonLines(json.out);
        ASSERT_EQ(j.size(), 1u) << json.out;
        EXPECT_EQ(j[0]["edges"], 4);
        EXPECT_EQ(j[0]["directed"], true);
        EXPECT_EQ(j[0]["verdict"], "HAMILTONIAN_PATH");
        EXPECT_EQ(TourOrder(ReadFile(dir / "tours" / "triangle.tour")), (std::vector<int>{2, 0, 1}));   // 3->1->2
        // No path runs from 1 to 2: it would have to pass 3 first, and from
        // 3 the only arc leads back to 1.
        const ToolRun none = Solve(dir, {"--path-ends", "1,2", file});
        EXPECT_NE(none.out.find(" NO_PATH "), std::string::npos) << none.out;
        std::filesystem::remove_all(dir / "tours");
    }
}

// A directed tour is checked along its arcs: the triangle read backwards
// uses no arc.
TEST(HcpsolveDirected, VerifyFollowsTheArcs)
{
    TempDir dir;
    WriteFile(dir / "triangle.col", kTriangle);
    const std::string head = "NAME: triangle\nTYPE: TOUR\nDIMENSION: 3\nTOUR_SECTION\n";
    WriteFile(dir / "forward.tour", head + "1\n2\n3\n-1\nEOF\n");
    WriteFile(dir / "backward.tour", head + "3\n2\n1\n-1\nEOF\n");
    const ToolRun forward = Solve(dir, {"--verify", "triangle.col", "forward.tour"});
    EXPECT_EQ(forward.status, 0) << forward.out << forward.err;
    EXPECT_EQ(forward.out.rfind("forward.tour: HAMILTONIAN H=0 N=3", 0), 0u) << forward.out;
    const ToolRun backward = Solve(dir, {"--verify", "triangle.col", "backward.tour"});
    EXPECT_EQ(backward.status, 1);
    EXPECT_NE(backward.out.find("NOT_HAMILTONIAN H=2"), std::string::npos) << backward.out;
    EXPECT_NE(backward.out.find("first gap 3-2"), std::string::npos) << backward.out;
    // As a path 3->2->1 the order has the same two missing arcs; 1->2->3 is
    // a path from 1.
    EXPECT_EQ(Solve(dir, {"--verify", "triangle.col", "backward.tour", "--path"}).status, 1);
    EXPECT_EQ(Solve(dir, {"--verify", "triangle.col", "forward.tour", "--path-from", "1"}).status, 0);
}

// Every digraph on 4 nodes and every one on 5 whose underlying graph is
// connected (nauty-directg): cycles and paths against the exhaustive
// check, and each tour written follows the arcs.
TEST(HcpsolveDirected, EverySmallDigraphAgreesWithTheExhaustiveCheck)
{
    if (!HaveDirectg()) GTEST_SKIP() << "nauty-directg not installed";
    TempDir dir;
    ASSERT_EQ(Shell(dir, "nauty-geng -q 4 | nauty-directg -q > d4.d6 && nauty-geng -cq 5 | nauty-directg -q > d5.d6").status, 0);
    for (const std::string file : {"d4.d6", "d5.d6"}) {
        const std::vector<std::string> graphs = SplitLines(ReadFile(dir / file));
        ASSERT_GT(graphs.size(), 200u) << file;
        for (const bool path : {false, true}) {
            std::vector<std::string> args = {"--format", "json", "--jobs", "2", file};
            if (path) args.push_back("--path");
            const bool tours = file == "d4.d6";   // a tour file each: the small set only
            if (tours) {
                std::filesystem::remove_all(dir / "tours");
                args.insert(args.end(), {"-o", "tours"});
            }
            const ToolRun run = Solve(dir, args);
            const auto lines = JsonLines(run.out);
            ASSERT_EQ(lines.size(), graphs.size()) << file << run.err;
            for (std::size_t k = 0; k < graphs.size(); ++k) {
                const SmallGraph g = DecodeNautyLine(graphs[k]);
                ASSERT_TRUE(g.directed);
                EXPECT_EQ(lines[k]["directed"], true) << graphs[k];
                const bool truth = path ? HasHamiltonianPath(g) : HasHamiltonianCycle(g);
                const std::string yes = path ? "HAMILTONIAN_PATH" : "HAMILTONIAN";
                const std::string no = path ? "NO_PATH" : "NO_CYCLE";
                EXPECT_EQ(lines[k]["verdict"], truth ? yes : no) << file << " " << graphs[k] << (path ? " path" : " cycle");
                if (!truth || !tours) continue;
                const std::string stem = file.substr(0, file.size() - 3);
                std::vector<int> order = TourOrder(ReadFile(dir / "tours" / (stem + "_" + std::to_string(k + 1) + ".tour")));
                // A cycle is a path that closes along an arc.
                EXPECT_TRUE(IsHamiltonianPath(g, order)) << graphs[k];
                if (!path && !order.empty()) {
                    EXPECT_TRUE(g.Has(order.back(), order.front())) << graphs[k];
                }
            }
        }
    }
}

// Digraph6 lines pass on as read, and nauty-countg counts them.
TEST(HcpsolveDirected, SelectPassesDigraph6LinesOn)
{
    if (!HaveDirectg()) GTEST_SKIP() << "nauty-directg not installed";
    TempDir dir;
    ASSERT_EQ(Shell(dir, "nauty-geng -cq 5 | nauty-directg -q > d5.d6").status, 0);
    std::string expected;
    for (const std::string& line : SplitLines(ReadFile(dir / "d5.d6")))
        if (HasHamiltonianCycle(DecodeNautyLine(line))) expected += line + "\n";
    const ToolRun run = Shell(dir, "'" + kProgram + "' --jobs 2 --select hamiltonian - < d5.d6 2>/dev/null");
    EXPECT_EQ(run.out, expected);
    const ToolRun counted = Shell(dir, "'" + kProgram + "' --select hamiltonian d5.d6 2>/dev/null | nauty-countg 2>/dev/null");
    const std::size_t n = SplitLines(expected).size();
    EXPECT_NE(counted.out.find(" " + std::to_string(n) + " graphs altogether"), std::string::npos) << counted.out;
}
