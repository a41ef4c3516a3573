// What a read may cost: headers that claim more than their data carries,
// lines without end, and the line ends and bytes that used to be misread.
// Every reader answers each with one line naming the file and the line.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/dimacs.h"
#include "io/graph6.h"
#include "io/graphfile.h"
#include "io/graphsource.h"
#include "io/readlimits.h"

namespace fs = std::filesystem;

namespace {

using hcp::Graph;
using hcp::GraphSource;
using hcp::SourceItem;

class BoundedRead : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
              / ("tourvane_bounded_" + std::to_string(::getpid()) + "_"
                 + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::string p = (m_dir / name).string();
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    // The one-line refusal of ReadGraph, or "" when it read a graph.
    static std::string Refusal(const std::string& path)
    {
        try {
            hcp::ReadGraph(path);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }

    static std::vector<SourceItem> All(GraphSource& s)
    {
        std::vector<SourceItem> out;
        for (SourceItem item; s.Next(item);) out.push_back(item);
        return out;
    }

    fs::path m_dir;
};

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

const std::string kFree = std::to_string(hcp::kMaxUntouchedNodes);

// A node count no data stands behind is refused at the line that gives it,
// in every format, before anything of that size is built.
TEST_F(BoundedRead, NodeCountsTheDataDoesNotCarryAreRefusedAtTheirLine)
{
    struct Case {
        const char* name;
        std::string text;
        std::string message;   // after the path
    };
    const std::vector<Case> cases = {
        {"a.col", "p edge 2147483647 1\n",
         ":1: the problem line gives 2147483647 nodes, but the 0 edges listed touch at most 0 of them"},
        {"b.col", "c big\np edge 3000000 2\ne 1 2\ne 2 3\n",
         ":2: the problem line gives 3000000 nodes, but the 2 edges listed touch at most 4 of them"},
        {"c.col", "p edge 4000000000 1\n", ":1: the problem line gives 4000000000 nodes, but the 0 edges"},
        {"c2.col", "p edge 5000000000 1\n",
         ":1: the problem line gives 5000000000 nodes, more than the 4294967294 this reader holds"},
        {"d.s6", ":~~?A????\n", ":1: the line gives 33554432 nodes, but the 0 edges listed"},
        {"e.hcp", "NAME: e\nDIMENSION: 3000000\nEDGE_DATA_SECTION\n1 2\n-1\nEOF\n",
         ":2: DIMENSION gives 3000000 nodes, but the 1 edge listed touch at most 2 of them"},
    };
    for (const Case& c : cases) {
        const std::string path = Write(c.name, c.text);
        const std::string message = Refusal(path);
        EXPECT_TRUE(StartsWith(message, path + c.message)) << c.text << " -> " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
    // A stream goes on after such a line.
    GraphSource s(Write("f.s6", ":~~?A????\n:CcKI\n"));
    const std::vector<SourceItem> items = All(s);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(items[0].error.empty());
    EXPECT_EQ(items[1].graph, hcp::DecodeGraph6("C~"));
}

// Up to 2^20 nodes without an edge are still read, as collections of
// graphs with isolated nodes hold them; one more is refused.
TEST_F(BoundedRead, NodesWithoutEdgesAreReadUpToTheirLimit)
{
    const std::uint64_t most = 2 + hcp::kMaxUntouchedNodes;
    const Graph g = hcp::ReadGraph(Write("ok.col", "p edge " + std::to_string(most) + " 1\ne 1 2\n"));
    EXPECT_EQ(g.NodeCount(), most);
    EXPECT_EQ(g.EdgeCount(), 1u);
    const std::string over = Write("over.col", "p edge " + std::to_string(most + 1) + " 1\ne 1 2\n");
    EXPECT_TRUE(StartsWith(Refusal(over), over + ":1: the problem line gives " + std::to_string(most + 1)))
        << Refusal(over);
    EXPECT_NE(Refusal(over).find("at most " + kFree + " nodes without an edge"), std::string::npos);
}

// /dev/zero is one line without end: each line format stops at its bound
// with the line-length error, from a named file and from standard input.
TEST_F(BoundedRead, EndlessLinesStopAtTheBoundInEveryFormat)
{
    const std::string bound = std::to_string(hcp::kMaxStreamLineBytes);
    for (const char* name : {"zero.g6", "zero.s6", "zero.col", "zero"}) {
        const fs::path link = m_dir / name;
        fs::create_symlink("/dev/zero", link);
        const std::string message = Refusal(link.string());
        EXPECT_EQ(message, link.string() + ":1: line is longer than " + bound + " bytes") << name;
    }
    ASSERT_NE(std::freopen("/dev/zero", "rb", stdin), nullptr);
    GraphSource s("-");
    const std::vector<SourceItem> items = All(s);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].error, "-:1: line is longer than " + bound + " bytes");
}

// A stream line too long to hold ends the stream (what follows cannot be
// trusted to start a line); the graphs before it are read.
TEST_F(BoundedRead, ALineBeyondTheBoundEndsTheStreamAfterTheGraphsBeforeIt)
{
    hcp::ReadOptions options;
    options.maxLineBytes = 100;
    GraphSource s(Write("long.g6", "C~\n" + std::string(300, '~') + "\nC~\n"), options);
    const std::vector<SourceItem> items = All(s);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].graph, hcp::DecodeGraph6("C~"));
    EXPECT_NE(items[1].error.find("long.g6:2: line is longer than 100 bytes"), std::string::npos) << items[1].error;
}

// Old Macintosh files end lines with CR alone: they read as their LF twins.
TEST_F(BoundedRead, CarriageReturnsAloneEndLines)
{
    const std::string hcpText = "NAME: c4\nTYPE: HCP\nDIMENSION: 4\nEDGE_DATA_SECTION\n1 2\n2 3\n3 4\n4 1\n-1\nEOF\n";
    std::string cr = hcpText;
    for (char& c : cr)
        if (c == '\n') c = '\r';
    EXPECT_EQ(hcp::ReadGraph(Write("cr.hcp", cr)), hcp::ReadGraph(Write("lf.hcp", hcpText)));
    EXPECT_EQ(hcp::ReadDimacs(Write("cr.col", "c k4\rp edge 4 6\re 1 2\re 1 3\re 1 4\re 2 3\re 2 4\re 3 4\r")),
              hcp::DecodeGraph6("C~"));
    GraphSource s(Write("cr.g6", "C~\rIheA@GUAo\r\r:CcKI"));
    const std::vector<SourceItem> items = All(s);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].graph, hcp::DecodeGraph6("IheA@GUAo"));
    EXPECT_EQ(items[2].line, 4u);
    EXPECT_EQ(items[2].graph, hcp::DecodeGraph6("C~"));
}

// The bytes of a last line without a line end move to the front of the
// buffer when the reader looks for more; it must read them there, not
// where they were (which a short line before it overwrites).
TEST_F(BoundedRead, ALastLineWithoutALineEndIsReadWhole)
{
    GraphSource s(Write("last.g6", "@\nIheA@GUAo"));
    const std::vector<SourceItem> items = All(s);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].error, "");
    EXPECT_EQ(items[1].graph, hcp::DecodeGraph6("IheA@GUAo"));
    // The same in the HCP reader: a last line longer than all before it.
    const std::string hcpText = "DIMENSION: 3\nEDGE_DATA_SECTION\n1 2\n2 3\n3 1\n-1\n" + std::string(60, ' ') + "EOF";
    EXPECT_EQ(hcp::ParseHcpGraph(hcpText, "k").EdgeCount(), 3u);
}

// A NUL is named as such; before, its line was a "length mismatch".
TEST_F(BoundedRead, ANulInsideAGraph6LineIsNamed)
{
    EXPECT_THROW(
        {
            try {
                hcp::DecodeGraph6(std::string("B\0w", 3));
            } catch (const hcp::LineError& e) {
                EXPECT_STREQ(e.what(), "character 2 is a NUL byte, which no graph6/sparse6 line holds");
                throw;
            }
        },
        hcp::LineError);
    GraphSource s(Write("nul.g6", std::string("Bw\nC~\0\n", 7)));
    const std::vector<SourceItem> items = All(s);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_NE(items[1].error.find("nul.g6:2: character 3 is a NUL byte"), std::string::npos) << items[1].error;
}

// ReadGraph, which --verify and the batch call, reads every format.
TEST_F(BoundedRead, ReadGraphReadsEveryFormatAndOnlyOneGraph)
{
    const Graph k4 = hcp::DecodeGraph6("C~");
    EXPECT_EQ(hcp::ReadGraph(Write("k4.col", "p edge 4 6\ne 1 2\ne 1 3\ne 1 4\ne 2 3\ne 2 4\ne 3 4\n")), k4);
    EXPECT_EQ(hcp::ReadGraph(Write("k4.g6", ">>graph6<<C~\n")), k4);
    EXPECT_EQ(hcp::ReadGraph(Write("k4.s6", ":CcKI\n")), k4);
    EXPECT_EQ(hcp::ReadGraph(Write("k4.txt", "c no extension\np edge 4 6\ne 1 2\ne 1 3\ne 1 4\ne 2 3\ne 2 4\ne 3 4\n")),
              k4);
    const std::string two = Write("two.g6", "C~\nBw\n");
    EXPECT_EQ(Refusal(two), two + ":2: a second graph; this reads files of one graph");
    const std::string none = Write("none.g6", "\n");
    EXPECT_EQ(Refusal(none), none + ": holds no graph");
}

}  // namespace
