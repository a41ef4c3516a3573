// Directed HCP files (TYPE : DHCP): arcs in both data formats, fixed arcs,
// a TYPE line anywhere, every nauty orientation of the small graphs saved
// and read back equal, and the legacy reader refusing what it cannot hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "graph/bitgraph.h"
#include "graph/loaderror.h"
#include "io/graph6.h"
#include "io/graph6writer.h"
#include "io/graphfile.h"
#include "io/hcpreader.h"
#include "io/hcpsave.h"

namespace {

using hcp::Edge;
using hcp::Graph;

Graph Parse(const std::string& text) { return hcp::ParseHcpGraph(text, "t.hcp"); }

std::string Problem(const std::string& text)
{
    try {
        Parse(text);
    } catch (const hcp::FormatError& e) {
        return e.what();
    }
    return "accepted";
}

std::string Saved(const Graph& g)
{
    std::ostringstream os;
    EXPECT_TRUE(hcp::WriteHcp(os, g, hcp::HcpWriteInfo{}));
    return os.str();
}

const Graph kCycleAndChord = Graph::FromArcs(4, std::vector<Edge>{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}});

TEST(HcpDirected, EdgeListLinesAreArcs)
{
    const Graph g = Parse("NAME : c4\nTYPE : DHCP\nDIMENSION : 4\nEDGE_DATA_SECTION\n1 2\n2 3\n3 4\n4 1\n1 3\n-1\nEOF\n");
    EXPECT_TRUE(g.Directed());
    EXPECT_EQ(g, kCycleAndChord);
    EXPECT_FALSE(g.HasEdge(2, 0));
    EXPECT_EQ(g.Name(), "c4");
}

TEST(HcpDirected, AdjacencyListsAreArcsFromTheirHead)
{
    const Graph g = Parse("TYPE: DHCP\nDIMENSION: 4\nEDGE_DATA_FORMAT: ADJ_LIST\nEDGE_DATA_SECTION\n"
                          "1 2 3 -1\n2 3 -1\n3 4 -1\n4 1 -1\n-1\nEOF\n");
    EXPECT_EQ(g, kCycleAndChord);
}

// Keywords may come in any order, so the data read before TYPE must keep
// its direction; an undirected file merges both directions into one edge.
TEST(HcpDirected, TypeAfterTheDataAndBothDirections)
{
    EXPECT_EQ(Parse("DIMENSION: 4\nEDGE_DATA_SECTION\n1 2\n2 3\n3 4\n4 1\n1 3\n-1\nTYPE: DHCP\nEOF\n"),
              kCycleAndChord);
    const Graph two = Parse("TYPE: DHCP\nDIMENSION: 2\nEDGE_DATA_SECTION\n1 2\n2 1\n1 2\n-1\nEOF\n");
    EXPECT_EQ(two.EdgeCount(), 2u);
    const Graph one = Parse("DIMENSION: 2\nEDGE_DATA_SECTION\n2 1\n1 2\n-1\nEOF\n");
    EXPECT_FALSE(one.Directed());
    EXPECT_EQ(one.EdgeCount(), 1u);
    const Graph late = Parse("DIMENSION: 3\nEDGE_DATA_SECTION\n3 1\n2 1\n-1\nTYPE: HCP\nFIXED_EDGES_SECTION\n3 1\n-1\nEOF\n");
    EXPECT_EQ(late, Graph::FromEdges(3, std::vector<Edge>{{0, 1}, {0, 2}}));
    EXPECT_EQ(late.FixedEdges(), (std::vector<Edge>{{0, 2}}));
}

TEST(HcpDirected, FixedArcsKeepTheirDirection)
{
    const Graph g = Parse("TYPE: DHCP\nDIMENSION: 4\nFIXED_EDGES_SECTION\n4 1\n2 3\n-1\nEDGE_DATA_SECTION\n"
                          "1 2\n2 3\n3 4\n4 1\n1 3\n-1\nEOF\n");
    EXPECT_EQ(g.FixedEdges(), (std::vector<Edge>{{1, 2}, {3, 0}}));
    const std::string m = Problem("TYPE: DHCP\nDIMENSION: 3\nEDGE_DATA_SECTION\n1 2\n2 3\n3 1\n-1\n"
                                  "FIXED_EDGES_SECTION\n1 2\n2 1\n-1\nEOF\n");
    EXPECT_EQ(m, "t.hcp:10: fixed arc 2 1 is not an arc of the graph");
    const std::string p = std::string(TOURVANE_TEST_DATA) + "/dhcp_fixed_arc_reversed.hcp";
    EXPECT_THROW(hcp::ReadGraph(p), hcp::FormatError);
}

TEST(HcpDirected, SavedDigraphsReadBackEqual)
{
    Graph g = kCycleAndChord;
    g.SetFixedEdges({{3, 0}, {0, 1}});
    g.SetName("c4");
    hcp::HcpWriteInfo info;
    info.name = "c4";
    std::ostringstream os;
    ASSERT_TRUE(hcp::WriteHcp(os, g, info));
    EXPECT_EQ(os.str(),
              "NAME: c4\nCOMMENT: Hamiltonian cycle problem\nTYPE: DHCP\nDIMENSION: 4\nEDGE_DATA_FORMAT: EDGE_LIST\n"
              "EDGE_DATA_SECTION\n     1      2\n     1      3\n     2      3\n     3      4\n     4      1\n"
              "-1\nFIXED_EDGES_SECTION\n     1      2\n     4      1\n-1\nEOF\n");
    const Graph back = Parse(os.str());
    EXPECT_EQ(back, g);
    EXPECT_EQ(back.FixedEdges(), g.FixedEdges());
    // An undirected graph still says HCP whatever the info asks.
    EXPECT_NE(Saved(g.Underlying()).find("TYPE: HCP\n"), std::string::npos);
    EXPECT_FALSE(Parse(Saved(g.Underlying())).Directed());
}

TEST(HcpDirected, EveryNautyOrientationRoundTrips)
{
    std::unique_ptr<FILE, int (*)(FILE*)> p(::popen("nauty-geng -q 4 | nauty-directg -q 2>/dev/null", "r"), ::pclose);
    std::string out;
    char buf[4096];
    for (std::size_t got; p && (got = std::fread(buf, 1, sizeof buf, p.get())) > 0;) out.append(buf, got);
    if (out.empty()) GTEST_SKIP() << "nauty is not installed";
    std::istringstream in(out);
    std::size_t count = 0;
    for (std::string line; std::getline(in, line); ++count) {
        const Graph g = hcp::DecodeDigraph6(line);
        const Graph back = Parse(Saved(g));
        ASSERT_TRUE(back.Directed());
        EXPECT_EQ(hcp::EncodeDigraph6(back), line);
    }
    EXPECT_EQ(count, 218u);
}

// The legacy bit graph has no arcs: a DHCP file is refused at its TYPE
// line, and the graph stays as it was.
TEST(HcpDirected, LegacyLoadRefusesADirectedFile)
{
    const std::string dir = testing::TempDir() + "tourvane_dhcp_" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const std::string named = dir + "/named.hcp", bare = dir + "/bare.hcp";
    Graph g = kCycleAndChord;
    g.SetName("named");
    hcp::SaveHcp(named, g, hcp::HcpWriteInfo{"named"});
    hcp::SaveHcp(bare, g, hcp::HcpWriteInfo{});
    CBitGraph legacy(3);
    legacy = true;
    legacy.SetEdge(1, 2);
    legacy.CalcDeg();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(legacy.Load(named.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              named + ":3: TYPE DHCP is a directed graph; this graph holds undirected graphs only\n");
    EXPECT_EQ(legacy.GetDim(), 3);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(legacy.Load(bare.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't recognize TSPLIB format.\n");
    EXPECT_NE(std::string(hcp::LastLoadError()).find(bare + ":2: TYPE DHCP"), std::string::npos);
    EXPECT_EQ(legacy.GetDim(), 3);
    // The engine's reader takes both.
    EXPECT_EQ(hcp::ReadGraph(named), g);
    std::filesystem::remove_all(dir);
}

}  // namespace
