// digraph6 lines: nauty's directed generators decoded and checked against
// nauty's own arc lists, re-encoded byte for byte, node counts past one
// byte, loops, broken lines, and digraph6 lines among graph6 and sparse6
// ones in a stream.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/graph6.h"
#include "io/graph6writer.h"
#include "io/graphsource.h"

namespace fs = std::filesystem;

namespace {

using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;

// A nauty command's output, or empty when nauty is not installed.
std::string Nauty(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> p(::popen((command + " 2>/dev/null").c_str(), "r"), ::pclose);
    std::string out;
    if (!p) return out;
    char buf[65536];
    for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, p.get())) > 0;) out.append(buf, got);
    return out;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

// The graphs of "nauty-listg -e -l0": "Graph k, order n.", "n m", then the
// m arcs (tail head) of a digraph on one line.
std::vector<Graph> ListgGraphs(const std::string& text)
{
    std::vector<Graph> out;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (word != "Graph") continue;
        std::string index, order, dot;
        in >> index >> order >> dot;
        std::uint64_t n = 0, m = 0;
        in >> n >> m;
        std::vector<Edge> arcs(m);
        for (Edge& a : arcs) in >> a.first >> a.second;
        out.push_back(Graph::FromArcs(static_cast<NodeId>(n), arcs));
    }
    return out;
}

// Decodes every line, compares it with listg's arcs of the same line, and
// writes it back.
void ExpectNautyAgrees(const std::string& lines, std::size_t expected)
{
    const std::vector<std::string> d6 = Lines(lines);
    ASSERT_EQ(d6.size(), expected);
    std::string joined;
    for (const std::string& l : d6) joined += l + "\n";
    const std::string tmp = (fs::temp_directory_path() / ("tourvane_d6_" + std::to_string(::getpid()))).string();
    std::ofstream(tmp, std::ios::binary) << joined;
    const std::vector<Graph> truth = ListgGraphs(Nauty("nauty-listg -e -l0 " + tmp));
    fs::remove(tmp);
    ASSERT_EQ(truth.size(), d6.size());
    for (std::size_t k = 0; k < d6.size(); ++k) {
        const Graph g = hcp::DecodeDigraph6(d6[k]);
        EXPECT_TRUE(g.Directed());
        EXPECT_EQ(g, truth[k]) << d6[k];
        EXPECT_EQ(hcp::EncodeDigraph6(g), d6[k]);
    }
}

bool HaveNauty() { return !Nauty("nauty-genspecialg -q -z -c3").empty(); }

TEST(Digraph6, KnownLinesAsNautyWritesThem)
{
    // nauty-genspecialg -z -c4: the directed cycle 0 -> 1 -> 2 -> 3 -> 0.
    const Graph c4 = hcp::DecodeDigraph6("&CO`_");
    EXPECT_EQ(c4, Graph::FromArcs(4, std::vector<Edge>{{0, 1}, {1, 2}, {2, 3}, {3, 0}}));
    EXPECT_FALSE(c4.HasEdge(1, 0));
    // -z -p3: the directed path 0 -> 1 -> 2.
    EXPECT_EQ(hcp::DecodeDigraph6("&BP?"), Graph::FromArcs(3, std::vector<Edge>{{0, 1}, {1, 2}}));
    // -z -b2,3,1: complete bipartite 2+3 directed left to right, less a
    // matching of one (listg -e gives these arcs).
    EXPECT_EQ(hcp::DecodeDigraph6("&DE[???"),
              Graph::FromArcs(5, std::vector<Edge>{{0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}}));
    EXPECT_EQ(hcp::DecodeDigraph6(">>digraph6<<&CO`_"), c4);
    EXPECT_EQ(hcp::DecodeDigraph6("&?").NodeCount(), 0u);
}

TEST(Digraph6, LoopsAreDropped)
{
    // -z -e3 is three loops, -z -k3 the complete digraph with loops.
    const Graph loops = hcp::DecodeDigraph6("&BaG");
    EXPECT_EQ(loops.NodeCount(), 3u);
    EXPECT_EQ(loops.EdgeCount(), 0u);
    const Graph k3 = hcp::DecodeDigraph6("&B~w");
    EXPECT_EQ(k3.EdgeCount(), 6u);
    EXPECT_EQ(hcp::EncodeDigraph6(k3), "&B\\o");   // the same without its loops
    if (!HaveNauty()) return;
    const Graph k9 = hcp::DecodeDigraph6(Lines(Nauty("nauty-genspecialg -q -z -k9")).at(0));
    EXPECT_EQ(k9.EdgeCount(), 72u);
    for (NodeId v = 0; v < 9; ++v) EXPECT_FALSE(k9.HasEdge(v, v));
}

TEST(Digraph6, NautyOrientationsAgreeWithListg)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty is not installed";
    // Every orientation (one way, the other or both) of every graph on 4
    // nodes, and every one-way orientation of the graphs on 5.
    ExpectNautyAgrees(Nauty("nauty-geng -q 4 | nauty-directg -q"), 218);
    ExpectNautyAgrees(Nauty("nauty-geng -q 5 | nauty-directg -q -o"), 582);
}

TEST(Digraph6, SpecialDigraphsAgreeWithListg)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty is not installed";
    // Circulants, a grid open in one direction, a theta digraph, and a
    // cycle of 70 nodes, whose count takes '~' and three bytes.
    std::string all;
    for (const char* o : {"-C7,1,3", "-C12,2,5", "-G3,-3", "-G4,4", "-T2,3", "-c70", "-b3,4"})
        all += Nauty(std::string("nauty-genspecialg -q -z ") + o);
    ExpectNautyAgrees(all, 7);
    EXPECT_EQ(all.find("&~"), all.find("&~?@E"));
}

TEST(Digraph6, BrokenLinesSayWhatIsWrong)
{
    const auto problem = [](const std::string& line) {
        try {
            hcp::DecodeDigraph6(line);
        } catch (const hcp::LineError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(problem("&CO`").find("needs 3 bytes after the node count, this one has 2"), std::string::npos);
    EXPECT_NE(problem("&CO`__").find("this one has 4"), std::string::npos);
    EXPECT_NE(problem("&CO `").find("character 4"), std::string::npos);
    EXPECT_NE(problem(std::string("&CO\0_", 5)).find("NUL"), std::string::npos);
    EXPECT_NE(problem("&").find("node count"), std::string::npos);
    EXPECT_NE(problem("&~?").find("inside the node count"), std::string::npos);
    EXPECT_NE(problem("CO`_").find("starts with '&'"), std::string::npos);
    EXPECT_NE(problem("&~~~~~~~~").find("more than"), std::string::npos);
    // The undirected decoders point at the right one.
    EXPECT_THROW(hcp::DecodeGraph6("&CO`_"), hcp::LineError);
}

class Digraph6StreamTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("tourvane_d6s_" + std::to_string(::getpid()) + "_"
                                             + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string p = (m_dir / name).string();
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    fs::path m_dir;
};

TEST_F(Digraph6StreamTest, FormatByNameAndByFirstLine)
{
    EXPECT_EQ(hcp::FormatFromExtension("a.d6"), hcp::GraphFormat::Digraph6);
    EXPECT_EQ(hcp::FormatFromExtension("a.DIGRAPH6"), hcp::GraphFormat::Digraph6);
    EXPECT_EQ(hcp::FormatFromContent("&CO`_"), hcp::GraphFormat::Digraph6);
    EXPECT_EQ(hcp::FormatFromContent(">>digraph6<<&CO`_"), hcp::GraphFormat::Digraph6);
    EXPECT_STREQ(hcp::FormatName(hcp::GraphFormat::Digraph6), "digraph6");
    for (const std::string& name : {std::string("c.d6"), std::string("c"), std::string("c.txt")}) {
        hcp::GraphSource s(Write(name, ">>digraph6<<&CO`_\n"));
        EXPECT_EQ(s.Format(), hcp::GraphFormat::Digraph6) << name;
        EXPECT_TRUE(s.Stream());
        hcp::SourceItem item;
        ASSERT_TRUE(s.Next(item));
        EXPECT_TRUE(item.graph.Directed()) << item.error;
        EXPECT_EQ(item.graph.EdgeCount(), 4u);
        EXPECT_FALSE(s.Next(item));
    }
}

// nauty pipelines mix formats; each line is read by its own first byte,
// and a broken line is one bad entry.
TEST_F(Digraph6StreamTest, MixedLinesAndABrokenOneInTheMiddle)
{
    const std::string text = "&CO`_\nC~\n&CO`\n:Fa@x^\n&B~w\r\nIheA@GUAo\n";
    for (const std::string& name : {std::string("mixed.g6"), std::string("mixed.d6"), std::string("mixed")}) {
        hcp::GraphSource s(Write(name, text));
        std::vector<hcp::SourceItem> items;
        for (hcp::SourceItem item; s.Next(item);) items.push_back(item);
        ASSERT_EQ(items.size(), 6u) << name;
        EXPECT_TRUE(items[0].graph.Directed());
        EXPECT_FALSE(items[1].graph.Directed());
        EXPECT_EQ(items[1].graph.EdgeCount(), 6u);
        EXPECT_EQ(items[2].line, 3u);
        EXPECT_NE(items[2].error.find(name + ":3: a digraph6 line for 4 nodes needs 3 bytes"), std::string::npos)
            << items[2].error;
        EXPECT_TRUE(items[2].graph.Empty());
        EXPECT_EQ(items[3].graph.EdgeCount(), 4u);
        EXPECT_TRUE(items[4].graph.Directed());
        EXPECT_EQ(items[4].graph.EdgeCount(), 6u);
        EXPECT_EQ(items[5].graph.EdgeCount(), 15u);
        for (std::size_t k : {0u, 1u, 3u, 4u, 5u}) EXPECT_TRUE(items[k].error.empty()) << items[k].error;
    }
}

TEST_F(Digraph6StreamTest, DirectgOutputReadsAsAStream)
{
    if (!HaveNauty()) GTEST_SKIP() << "nauty is not installed";
    const std::string p = (m_dir / "orient").string();
    ASSERT_EQ(std::system(("nauty-geng -q -c 5 | nauty-directg -q -o > " + p).c_str()), 0);
    hcp::GraphSource s(p);
    EXPECT_EQ(s.Format(), hcp::GraphFormat::Digraph6);
    std::size_t count = 0;
    for (hcp::SourceItem item; s.Next(item); ++count) {
        ASSERT_TRUE(item.error.empty()) << item.error;
        EXPECT_TRUE(item.graph.Directed());
        // Every orientation of a connected graph is weakly connected.
        EXPECT_GE(item.graph.EdgeCount(), 4u);
    }
    EXPECT_EQ(count, static_cast<std::size_t>(std::stoul(Nauty("nauty-geng -q -c 5 | nauty-directg -o -u 2>&1 "
                                                                "| grep -o '[0-9]* digraphs' | grep -o '[0-9]*'"))));
}

}  // namespace
