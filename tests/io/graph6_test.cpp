// graph6 and sparse6 lines: known small graphs as nauty writes them, the
// node-count headers of large graphs, nauty's own conversions of one file
// into both formats and into incremental sparse6, and the line errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "io/graph6.h"

namespace {

using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;

// The Petersen graph as nauty's showg -e lists it for "IheA@GUAo".
Graph PetersenFromShowg()
{
    const std::vector<Edge> e = {{0, 1}, {0, 4}, {0, 5}, {1, 2}, {1, 6}, {2, 3}, {2, 7}, {3, 4},
                                 {3, 8}, {4, 9}, {5, 7}, {5, 8}, {6, 8}, {6, 9}, {7, 9}};
    return Graph::FromEdges(10, e);
}

bool IsCycleInOrder(const Graph& g)
{
    const NodeId n = g.NodeCount();
    if (g.EdgeCount() != n) return false;
    for (NodeId v = 0; v < n; ++v)
        if (!g.HasEdge(v, (v + 1) % n)) return false;
    return true;
}

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The output of a nauty generator, or empty when nauty is not installed.
std::string Nauty(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> p(::popen((command + " 2>/dev/null").c_str(), "r"), ::pclose);
    std::string out;
    if (!p) return out;
    char buf[65536];
    for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, p.get())) > 0;) out.append(buf, got);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

TEST(Graph6, KnownSmallGraphsInBothFormats)
{
    EXPECT_EQ(hcp::DecodeGraph6("IheA@GUAo"), PetersenFromShowg());
    EXPECT_EQ(hcp::DecodeSparse6(":I`ES@obGkqegW~"), PetersenFromShowg());

    const Graph k4 = hcp::DecodeGraph6("C~");
    EXPECT_EQ(k4.NodeCount(), 4u);
    EXPECT_EQ(k4.EdgeCount(), 6u);
    EXPECT_EQ(hcp::DecodeSparse6(":CcKI"), k4);
}

TEST(Graph6, EmptyGraphs)
{
    EXPECT_EQ(hcp::DecodeGraph6("?").NodeCount(), 0u);
    const Graph one = hcp::DecodeGraph6("@");
    EXPECT_EQ(one.NodeCount(), 1u);
    EXPECT_EQ(one.EdgeCount(), 0u);
    const Graph five = hcp::DecodeGraph6("D??");
    EXPECT_EQ(five.NodeCount(), 5u);
    EXPECT_EQ(five.EdgeCount(), 0u);
    EXPECT_EQ(hcp::DecodeSparse6(":D"), five);
    EXPECT_EQ(hcp::DecodeSparse6(":?").NodeCount(), 0u);
}

TEST(Graph6, HeaderInFrontOfTheFirstGraph)
{
    EXPECT_EQ(hcp::DecodeGraph6(">>graph6<<IheA@GUAo"), PetersenFromShowg());
    EXPECT_EQ(hcp::DecodeSparse6(">>sparse6<<:I`ES@obGkqegW~"), PetersenFromShowg());
}

TEST(Graph6, FourByteNodeCountFrom63Nodes)
{
    // nauty-genspecialg -g -c70: the cycle 0-1-...-69-0.
    const std::string c70 =
        "~?@EhCGGC@?G?_@?@??_?G?@??C??G??G??C??@???G???_??@???@????_???G???@????C????G????G????C???"
        "?@?????G?????_????@?????@??????_?????G?????@??????C??????G??????G??????C??????@???????G????"
        "???_??????@???????@????????_???????G???????@????????C????????G????????G????????C????????@??"
        "???????G?????????_????????@?????????@??????????_?????????G?????????@??????????C??????????G?"
        "?????????G??????????C??????????@_??????????G";
    const Graph g = hcp::DecodeGraph6(c70);
    EXPECT_EQ(g.NodeCount(), 70u);
    EXPECT_TRUE(IsCycleInOrder(g));
}

TEST(Graph6, LargeNodeCountsFromNauty)
{
    const std::string g300 = Nauty("nauty-genspecialg -q -g -c300");
    const std::string s300000 = Nauty("nauty-genspecialg -q -s -c300000");
    if (g300.empty() || s300000.empty()) GTEST_SKIP() << "nauty-genspecialg is not installed";
    ASSERT_EQ(g300[0], '~');
    EXPECT_TRUE(IsCycleInOrder(hcp::DecodeGraph6(g300)));
    // Past 258047 nodes the count takes 126 126 and six bytes.
    ASSERT_EQ(s300000.substr(0, 3), ":~~");
    const Graph big = hcp::DecodeSparse6(s300000);
    EXPECT_EQ(big.NodeCount(), 300000u);
    EXPECT_TRUE(IsCycleInOrder(big));
}

TEST(Graph6, NautyConversionsOfOneFileAgree)
{
    // nauty-geng -c -d3 -D3 10, then nauty-copyg -s and -i of that file.
    const auto g6 = Lines(TOURVANE_TEST_DATA "/cubic10.g6");
    const auto s6 = Lines(TOURVANE_TEST_DATA "/cubic10.s6");
    const auto inc = Lines(TOURVANE_TEST_DATA "/cubic10_incremental.s6");
    ASSERT_EQ(g6.size(), 19u);
    ASSERT_EQ(s6.size(), 19u);
    ASSERT_EQ(inc.size(), 19u);
    hcp::Sparse6Decoder whole, incremental;
    std::size_t incrementalLines = 0;
    for (std::size_t i = 0; i < g6.size(); ++i) {
        const Graph g = hcp::DecodeGraph6(g6[i]);
        ASSERT_EQ(g.NodeCount(), 10u);
        EXPECT_EQ(g.MinDegree(), 3u) << "graph " << i + 1;
        EXPECT_EQ(g.MaxDegree(), 3u) << "graph " << i + 1;
        EXPECT_EQ(whole.Decode(s6[i]), g) << "graph " << i + 1;
        EXPECT_EQ(incremental.Decode(inc[i]), g) << "graph " << i + 1;
        incrementalLines += inc[i][0] == ';';
    }
    EXPECT_GT(incrementalLines, 10u);
}

TEST(Graph6, BrokenLinesSayWhatIsWrong)
{
    const auto problem = [](auto decode, const std::string& line) {
        try {
            decode(line);
        } catch (const hcp::LineError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    const auto g6 = [](const std::string& l) { return hcp::DecodeGraph6(l); };
    const auto s6 = [](const std::string& l) { return hcp::DecodeSparse6(l); };
    EXPECT_NE(problem(g6, "IheA@GUA").find("needs 8 bytes"), std::string::npos);
    EXPECT_NE(problem(g6, "IheA@GUAoo").find("this one has 9"), std::string::npos);
    EXPECT_NE(problem(g6, "Ihe A@GUo").find("character 4"), std::string::npos);
    EXPECT_NE(problem(g6, ">>graph6<<Ihe A@GUo").find("character 14"), std::string::npos);
    EXPECT_NE(problem(g6, "").find("node count"), std::string::npos);
    EXPECT_NE(problem(g6, "~?").find("inside the node count"), std::string::npos);
    EXPECT_NE(problem(g6, "&I?????????").find("digraph6"), std::string::npos);
    EXPECT_NE(problem(s6, ";kCcqPF").find("no valid graph before it"), std::string::npos);
    EXPECT_NE(problem(s6, "IheA@GUAo").find("starts with ':'"), std::string::npos);
    // More nodes than a node index holds is refused before any row is made.
    EXPECT_NE(problem(s6, ":~~~~~~~~").find("more than"), std::string::npos);
}

TEST(Graph6, IncrementalLineAfterABadLineIsRefused)
{
    hcp::Sparse6Decoder d;
    EXPECT_EQ(d.Decode(":I`ES@obGkqegW~"), PetersenFromShowg());
    EXPECT_THROW(d.Decode(":I` ES"), hcp::LineError);
    // Toggling edges of a graph that was never read would give a wrong graph.
    EXPECT_THROW(d.Decode(";kCcqPF"), hcp::LineError);
}

}  // namespace
