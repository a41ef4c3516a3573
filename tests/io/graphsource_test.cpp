// The many-format source: format by extension or by the first line, graph
// streams with a header, a broken line in the middle and Windows line ends,
// and standard input ("-") in each format.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/graph6.h"
#include "io/graphfile.h"
#include "io/graphsource.h"

namespace fs = std::filesystem;

namespace {

using hcp::GraphFormat;
using hcp::GraphSource;
using hcp::SourceItem;

class GraphSourceTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tourvane_source_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& text) const {
        const std::string p = (m_dir / name).string();
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    static std::vector<SourceItem> All(GraphSource& s) {
        std::vector<SourceItem> out;
        for (SourceItem item; s.Next(item);) out.push_back(item);
        return out;
    }

    // Reads standard input from `text`, as a shell pipe would give it.
    std::vector<SourceItem> FromStdin(const std::string& text, GraphFormat& format) {
        const std::string p = Write("stdin", text);
        EXPECT_NE(std::freopen(p.c_str(), "rb", stdin), nullptr);
        GraphSource s("-");
        format = s.Format();
        return All(s);
    }

    fs::path m_dir;
};

const char* kPetersenHcp =
    "NAME: petersen\nCOMMENT: Hamiltonian cycle problem\nTYPE: HCP\nDIMENSION: 10\n"
    "EDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n"
    "1 2\n1 5\n1 6\n2 3\n2 7\n3 4\n3 8\n4 5\n4 9\n5 10\n6 8\n6 9\n7 9\n7 10\n8 10\n-1\nEOF\n";

TEST_F(GraphSourceTest, FormatByExtension)
{
    EXPECT_EQ(hcp::FormatFromExtension("a/b.G6"), GraphFormat::Graph6);
    EXPECT_EQ(hcp::FormatFromExtension("b.graph6"), GraphFormat::Graph6);
    EXPECT_EQ(hcp::FormatFromExtension("b.s6"), GraphFormat::Sparse6);
    EXPECT_EQ(hcp::FormatFromExtension("b.col"), GraphFormat::Dimacs);
    EXPECT_EQ(hcp::FormatFromExtension("b.dimacs"), GraphFormat::Dimacs);
    EXPECT_EQ(hcp::FormatFromExtension("b.hcp"), GraphFormat::Hcp);
    EXPECT_EQ(hcp::FormatFromExtension("b.txt"), std::nullopt);
    EXPECT_EQ(hcp::FormatFromExtension("g6"), std::nullopt);
}

TEST_F(GraphSourceTest, FormatByFirstLine)
{
    EXPECT_EQ(hcp::FormatFromContent("IheA@GUAo"), GraphFormat::Graph6);
    EXPECT_EQ(hcp::FormatFromContent(">>graph6<<IheA@GUAo"), GraphFormat::Graph6);
    EXPECT_EQ(hcp::FormatFromContent(":I`ES@obGkqegW~"), GraphFormat::Sparse6);
    EXPECT_EQ(hcp::FormatFromContent(">>sparse6<<:I`ES"), GraphFormat::Sparse6);
    EXPECT_EQ(hcp::FormatFromContent("c a comment"), GraphFormat::Dimacs);
    EXPECT_EQ(hcp::FormatFromContent("p edge 4 6"), GraphFormat::Dimacs);
    EXPECT_EQ(hcp::FormatFromContent("c"), GraphFormat::Dimacs);
    // graph6 lines for 36 and 49 nodes start with 'c' and 'p' too.
    EXPECT_EQ(hcp::FormatFromContent("cN??"), GraphFormat::Graph6);
    EXPECT_EQ(hcp::FormatFromContent("NAME : x"), GraphFormat::Hcp);
    EXPECT_EQ(hcp::FormatFromContent("NAME:x"), GraphFormat::Hcp);
    EXPECT_EQ(hcp::FormatFromContent("DIMENSION: 5"), GraphFormat::Hcp);
}

TEST_F(GraphSourceTest, StreamWithHeaderBrokenLineAndWindowsLineEnds)
{
    const std::string p =
        Write("mixed.g6", ">>graph6<<IheA@GUAo\r\nC~\r\nIhe A@GUo\r\n\r\nD??\r\n:CcKI\r\n");
    GraphSource s(p);
    EXPECT_TRUE(s.Stream());
    const auto items = All(s);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].graph, hcp::DecodeGraph6("IheA@GUAo"));
    EXPECT_EQ(items[1].graph, hcp::DecodeGraph6("C~"));
    EXPECT_EQ(items[2].index, 3u);
    EXPECT_TRUE(items[2].graph.Empty());
    EXPECT_EQ(items[2].error.rfind(p + ":3: character 4", 0), 0u) << items[2].error;
    // The blank line takes no index; the lines after the bad one still come.
    EXPECT_EQ(items[3].index, 4u);
    EXPECT_EQ(items[3].line, 5u);
    EXPECT_EQ(items[3].graph.NodeCount(), 5u);
    EXPECT_TRUE(items[3].error.empty());
    EXPECT_EQ(items[4].graph, hcp::DecodeGraph6("C~"));
}

TEST_F(GraphSourceTest, HeaderOnItsOwnLineIsNoGraph)
{
    GraphSource s(Write("h.s6", ">>sparse6<<\n:CcKI\n"));
    const auto items = All(s);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].index, 1u);
    EXPECT_EQ(items[0].graph, hcp::DecodeGraph6("C~"));
}

TEST_F(GraphSourceTest, FileWithoutExtensionIsReadByContent)
{
    GraphSource s(Write("graphs", "C~\nIheA@GUAo\n"));
    EXPECT_EQ(s.Format(), GraphFormat::Graph6);
    EXPECT_EQ(All(s).size(), 2u);
    GraphSource d(Write("graph.txt", "c x\np edge 4 6\ne 1 2\ne 1 3\ne 1 4\ne 2 3\ne 2 4\ne 3 4\n"));
    EXPECT_EQ(d.Format(), GraphFormat::Dimacs);
    const auto items = All(d);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].graph, hcp::DecodeGraph6("C~"));
}

TEST_F(GraphSourceTest, WholeFileFormatsGiveOneItemOrTheirError)
{
    GraphSource h(Write("p.hcp", kPetersenHcp));
    auto items = All(h);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].graph, hcp::DecodeGraph6("IheA@GUAo"));
    const std::string bad = Write("bad.col", "p edge 3 1\ne 1 9\n");
    GraphSource d(bad);
    items = All(d);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].error.rfind(bad + ":2: edge 1 9", 0), 0u) << items[0].error;
}

TEST_F(GraphSourceTest, MissingFileOrFolderIsAFileError)
{
    EXPECT_THROW(GraphSource((m_dir / "none.g6").string()), hcp::FileError);
    EXPECT_THROW(GraphSource(m_dir.string()), hcp::FileError);
}

TEST_F(GraphSourceTest, StandardInputInEachFormat)
{
    const hcp::Graph petersen = hcp::DecodeGraph6("IheA@GUAo");
    GraphFormat f{};
    auto items = FromStdin("IheA@GUAo\nC~\n", f);
    EXPECT_EQ(f, GraphFormat::Graph6);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].graph, petersen);

    items = FromStdin(">>sparse6<<:I`ES@obGkqegW~\n", f);
    EXPECT_EQ(f, GraphFormat::Sparse6);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].graph, petersen);

    items = FromStdin("\nc K4\np 4 6\ne 1 2\ne 1 3\ne 1 4\ne 2 3\ne 2 4\ne 3 4\n", f);
    EXPECT_EQ(f, GraphFormat::Dimacs);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].graph, hcp::DecodeGraph6("C~"));

    items = FromStdin(kPetersenHcp, f);
    EXPECT_EQ(f, GraphFormat::Hcp);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].graph, petersen) << items[0].error;

    // A broken HCP text on standard input is named "-", not a scratch file.
    items = FromStdin("NAME : x\nDIMENSION : -3\n", f);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].error.rfind("-", 0), 0u) << items[0].error;
    EXPECT_EQ(items[0].error.find("/tmp/"), std::string::npos) << items[0].error;

    // A generator that found no graphs.
    items = FromStdin("", f);
    EXPECT_TRUE(items.empty());
}

}  // namespace
