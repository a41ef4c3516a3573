// The one HCP writer: a solver graph, the legacy bit graph and the leaper
// generator give the same bytes for the same graph, fixed edges survive the
// round trip through the strict reader, and numbers wider than six columns
// keep their layout. The exact legacy text is pinned in hcpfile_test.cpp
// and leaper_test.cpp.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/leapergraph.h"
#include "graph/bitgraph.h"
#include "graph/randsrc.h"
#include "io/hcpreader.h"
#include "io/hcpsave.h"
#include "io/readerror.h"

namespace fs = std::filesystem;
using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;

namespace {

std::string Text(const Graph& g, const hcp::HcpWriteInfo& info = {})
{
    std::ostringstream os;
    EXPECT_TRUE(hcp::WriteHcp(os, g, info));
    return os.str();
}

Graph RandomGraph(NodeId n, double p, unsigned seed)
{
    std::mt19937 rng(seed);
    std::bernoulli_distribution coin(p);
    std::vector<Edge> edges;
    for (NodeId u = 0; u < n; ++u)
        for (NodeId v = u + 1; v < n; ++v)
            if (coin(rng)) edges.emplace_back(u, v);
    return Graph::FromEdges(n, edges);
}

class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("tourvane-hcpwriter-" + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    ~TempFolder() { fs::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

private:
    fs::path m_dir;
};

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(HcpWriter, ASolverGraphWritesTheBytesOfTheLegacyWriter)
{
    // Sizes around the 64-column blocks of the legacy walk.
    for (short n : {0, 1, 2, 63, 64, 65, 130, 300}) {
        CBitGraph legacy(n);
        rand_int.set_seed(static_cast<unsigned>(n) + 7);
        legacy.InitRandom(0);
        std::ostringstream printed;
        ASSERT_TRUE(legacy.PrintOn(printed));
        EXPECT_EQ(Text(Graph::FromBitGraph(legacy)), printed.str()) << n;
    }
    // The named form is Store's: NAME first.
    const Graph g = RandomGraph(40, 0.2, 3);
    TempFolder dir;
    const std::string stored = dir.Path("g.hcp");
    ASSERT_TRUE(g.ToBitGraph().Store(stored.c_str()));
    EXPECT_EQ(Text(g, {stored, "Hamiltonian cycle problem"}), ReadBytes(stored));
    hcp::SaveHcp(dir.Path("saved.hcp"), g, {stored, "Hamiltonian cycle problem"});
    EXPECT_EQ(ReadBytes(dir.Path("saved.hcp")), ReadBytes(stored));
}

TEST(HcpWriter, TheLeaperGeneratorStreamsTheBytesOfItsGraph)
{
    const int shapes[][4] = {{1, 2, 8, 8}, {0, 1, 3, 5}, {2, 2, 5, 5}, {1, 3, 1, 7}, {0, 0, 2, 2}, {3, 4, 20, 17}};
    for (const auto& s : shapes) {
        const hcp::LeaperShape shape{s[0], s[1], s[2], s[3]};
        const hcp::HcpWriteInfo info{"board", "Hamiltonian cycle problem"};
        std::ostringstream streamed;
        ASSERT_TRUE(hcp::WriteLeaperHcp(streamed, shape, info));
        EXPECT_EQ(streamed.str(), Text(hcp::LeaperGraph(s[0], s[1], s[2], s[3]), info))
            << s[0] << " " << s[1] << " " << s[2] << " " << s[3];
    }
    std::ostringstream os;
    EXPECT_THROW(hcp::WriteLeaperHcp(os, {1, -2, 3, 3}, {}), std::invalid_argument);
}

TEST(HcpWriter, FixedEdgesAndTheNameComeBackThroughTheReader)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        Graph g = RandomGraph(70, 0.1, seed);
        std::vector<Edge> fixed;
        const std::vector<Edge> edges = g.Edges();
        for (std::size_t k = 0; k < edges.size(); k += 9) fixed.push_back(edges[k]);
        g.SetFixedEdges(fixed);
        const std::string text = Text(g, {"fixed" + std::to_string(seed), "test"});
        EXPECT_NE(text.find("-1\nFIXED_EDGES_SECTION\n"), std::string::npos);
        const Graph back = hcp::ParseHcpGraph(text, "fixed.hcp");
        EXPECT_TRUE(back == g) << seed;
        EXPECT_EQ(back.FixedEdges(), g.FixedEdges()) << seed;
        EXPECT_EQ(back.Name(), "fixed" + std::to_string(seed));
    }
    const Graph plain = RandomGraph(10, 0.5, 9);
    EXPECT_EQ(Text(plain).find("FIXED_EDGES_SECTION"), std::string::npos) << "no section without fixed edges";
}

TEST(HcpWriter, NumbersWiderThanSixColumnsAndTheFormattingTableBoundary)
{
    const Graph wide = Graph::FromEdges(1234567, std::vector<Edge>{{0, 1234566}, {99999, 1000000}, {5, 6}});
    const std::string text = Text(wide, {"wide", "c"});
    EXPECT_EQ(text,
              "NAME: wide\nCOMMENT: c\nTYPE: HCP\nDIMENSION: 1234567\nEDGE_DATA_FORMAT: EDGE_LIST\n"
              "EDGE_DATA_SECTION\n"
              "1234567      1\n"
              "1000001 100000\n"
              "     7      6\n"
              "-1\nEOF\n");
    // Just below and above the size formatted once up front.
    for (NodeId n : {65535u, 65536u, 65537u}) {
        const Graph g = Graph::FromEdges(n, std::vector<Edge>{{n - 2, n - 1}, {0, n - 1}});
        const std::string last = std::to_string(n);
        EXPECT_NE(Text(g).find("\n " + std::string(5 - last.size(), ' ') + last + " " + std::string(5, ' ') + "1\n"),
                  std::string::npos)
            << n;
        EXPECT_TRUE(hcp::ParseHcpGraph(Text(g), "t.hcp") == g) << n;
    }
}

TEST(HcpWriter, AFailedStreamIsReportedAndAFailedSaveThrows)
{
    const Graph g = RandomGraph(300, 0.5, 4);
    std::ostringstream os;
    os.setstate(std::ios::badbit);
    EXPECT_FALSE(hcp::WriteHcp(os, g, {}));
    TempFolder dir;
    try {
        hcp::SaveHcp(dir.Path("no/such/folder.hcp"), g, {});
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const hcp::FileError& e) {
        EXPECT_EQ(std::string(e.what()), "cannot write " + dir.Path("no/such/folder.hcp") + ": No such file or directory");
    }
}

// A million-node board goes out line by line: at no time does the stream
// hold more than the writer's block ahead of what has been consumed.
TEST(HcpWriter, AMillionNodeBoardIsWrittenInBlocks)
{
    class Counting : public std::streambuf {
    public:
        std::size_t bytes = 0, lines = 0, largestWrite = 0;

    protected:
        std::streamsize xsputn(const char* s, std::streamsize n) override
        {
            bytes += static_cast<std::size_t>(n);
            if (static_cast<std::size_t>(n) > largestWrite) largestWrite = static_cast<std::size_t>(n);
            for (std::streamsize k = 0; k < n; ++k) lines += s[k] == '\n';
            return n;
        }
        int_type overflow(int_type c) override
        {
            char ch = traits_type::to_char_type(c);
            return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
        }
    };
    const Graph board = hcp::LeaperGraph(1, 2, 1000, 1000);
    Counting sink;
    std::ostream os(&sink);
    ASSERT_TRUE(hcp::WriteHcp(os, board, {"leaper_1_2_1000_1000.hcp", "Hamiltonian cycle problem"}));
    EXPECT_EQ(sink.lines, board.EdgeCount() + 8);
    EXPECT_EQ(board.EdgeCount(), 4u * 1000 * 1000 - 6 * 2000 + 8);
    EXPECT_LE(sink.largestWrite, std::size_t{1} << 17);
    EXPECT_GT(sink.bytes, board.EdgeCount() * 14);
}
