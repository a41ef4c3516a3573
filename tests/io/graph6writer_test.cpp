// Writing nauty lines: every graph on 8 nodes and special graphs of up to
// 300 nodes come out byte for byte as nauty's copyg writes them in each
// format, and a directed graph is never written as an undirected one.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/graph6.h"
#include "io/graph6writer.h"

namespace {

using hcp::Edge;
using hcp::Graph;

std::vector<std::string> NautyLines(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> p(::popen((command + " 2>/dev/null").c_str(), "r"), ::pclose);
    std::string out;
    if (p) {
        char buf[65536];
        for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, p.get())) > 0;) out.append(buf, got);
    }
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The same graphs through copyg -g, -s and -z, each re-encoded from our
// decoding of the graph6 line.
void ExpectSameAsCopyg(const std::string& generator, std::size_t expected)
{
    const auto g6 = NautyLines(generator + " | nauty-copyg -q -g");
    const auto s6 = NautyLines(generator + " | nauty-copyg -q -s");
    const auto d6 = NautyLines(generator + " | nauty-copyg -q -z");
    ASSERT_EQ(g6.size(), expected) << generator;
    ASSERT_EQ(s6.size(), expected);
    ASSERT_EQ(d6.size(), expected);
    std::size_t wrong = 0;
    for (std::size_t k = 0; k < g6.size() && wrong < 5; ++k) {
        const Graph g = hcp::DecodeGraph6(g6[k]);
        const std::string e = hcp::EncodeGraph6(g), s = hcp::EncodeSparse6(g), d = hcp::EncodeDigraph6(g);
        wrong += e != g6[k] || s != s6[k] || d != d6[k];
        EXPECT_EQ(e, g6[k]);
        EXPECT_EQ(s, s6[k]) << g6[k];
        EXPECT_EQ(d, d6[k]) << g6[k];
    }
}

bool HaveNauty() { return !NautyLines("nauty-geng -q 3").empty(); }

TEST(Graph6Writer, EveryGraphOnEightNodesAsCopygWritesIt)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty is not installed";
    // 8 is a power of two: sparse6's padding takes its special turn on the
    // graphs whose last edge ends at node 6.
    ExpectSameAsCopyg("nauty-geng -q 8", 12346);
    ExpectSameAsCopyg("nauty-geng -q 1", 1);
    ExpectSameAsCopyg("nauty-geng -q 2", 2);
}

TEST(Graph6Writer, LargerGraphsAsCopygWritesThem)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty is not installed";
    // Node counts past one byte (63 and more), powers of two, and sparse
    // and dense graphs.
    ExpectSameAsCopyg("nauty-genspecialg -q -g -c63 -c64 -Q6 -P20,3 -p300 -k40 -b31,33 -J9,3", 8);
    ExpectSameAsCopyg("nauty-genrang -q -P30 -S1 64 20", 20);
    ExpectSameAsCopyg("nauty-genrang -q -P5 -S2 127 10", 10);
}

// With n a power of two and the last edge ending at node n-2, padding of
// ones would read as one more edge (n-1, n-1); nauty pads with a zero first.
TEST(Graph6Writer, Sparse6PaddingWhenTheLastNodeIsLeftOut)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty is not installed";
    std::vector<Graph> graphs;
    for (hcp::NodeId n : {2u, 4u, 8u, 16u, 32u, 64u, 128u}) {
        std::vector<Edge> path, star;
        for (hcp::NodeId v = 0; v + 2 < n; ++v) path.emplace_back(v, v + 1);
        for (hcp::NodeId v = 0; v + 2 < n; ++v) star.emplace_back(v, n - 2);
        graphs.push_back(Graph::FromEdges(n, path));
        graphs.push_back(Graph::FromEdges(n, star));
        graphs.push_back(Graph::FromEdges(n, std::vector<Edge>{{0, n - 2}}));
    }
    const std::string file = testing::TempDir() + "tourvane_pad_" + std::to_string(::getpid()) + ".g6";
    {
        std::FILE* f = std::fopen(file.c_str(), "w");
        ASSERT_NE(f, nullptr);
        for (const Graph& g : graphs) std::fprintf(f, "%s\n", hcp::EncodeGraph6(g).c_str());
        std::fclose(f);
    }
    ExpectSameAsCopyg("cat " + file, graphs.size());
    std::remove(file.c_str());
}

TEST(Graph6Writer, KnownLinesWithoutNauty)
{
    // The Petersen graph and K4 as nauty writes them.
    const Graph petersen = hcp::DecodeGraph6("IheA@GUAo");
    EXPECT_EQ(hcp::EncodeGraph6(petersen), "IheA@GUAo");
    EXPECT_EQ(hcp::EncodeSparse6(petersen), ":I`ES@obGkqegW~");
    EXPECT_EQ(hcp::EncodeSparse6(hcp::DecodeGraph6("C~")), ":CcKI");
    EXPECT_EQ(hcp::EncodeGraph6(Graph()), "?");
    EXPECT_EQ(hcp::EncodeSparse6(Graph::FromEdges(5, std::vector<Edge>{})), ":D");
}

TEST(Graph6Writer, DirectedGraphsOnlyAsDigraph6)
{
    const Graph arcs = Graph::FromArcs(3, std::vector<Edge>{{0, 1}, {1, 2}});
    EXPECT_THROW(hcp::EncodeGraph6(arcs), std::invalid_argument);
    EXPECT_THROW(hcp::EncodeSparse6(arcs), std::invalid_argument);
    try {
        hcp::EncodeGraph6(arcs);
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("digraph6"), std::string::npos) << e.what();
    }
    EXPECT_EQ(hcp::EncodeDigraph6(arcs), "&BP?");
    // An undirected graph as digraph6 holds both arcs of each edge.
    const Graph both = hcp::DecodeDigraph6(hcp::EncodeDigraph6(hcp::DecodeGraph6("IheA@GUAo")));
    EXPECT_TRUE(both.Directed());
    EXPECT_EQ(both.EdgeCount(), 30u);
    EXPECT_EQ(both.Underlying(), hcp::DecodeGraph6("IheA@GUAo"));
}

}  // namespace
