// A source asked to keep its text hands each graph on with the bytes it came
// from: a stream's lines with their own line ends, a whole file byte for
// byte, bad entries included, whether the format came from the name or from
// the first line.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/graphsource.h"

namespace fs = std::filesystem;

namespace {

using hcp::GraphSource;
using hcp::SourceItem;

class SourceTextTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tourvane_text_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& text) const {
        const std::string p = (m_dir / name).string();
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    static std::vector<SourceItem> All(const std::string& path, bool keep = true) {
        hcp::ReadOptions read;
        read.keepText = keep;
        GraphSource s(path, read);
        std::vector<SourceItem> out;
        for (SourceItem item; s.Next(item);) out.push_back(item);
        return out;
    }

    std::vector<SourceItem> FromStdin(const std::string& text) {
        const std::string p = Write("stdin", text);
        EXPECT_NE(std::freopen(p.c_str(), "rb", stdin), nullptr);
        return All("-");
    }

    fs::path m_dir;
};

// A stream with every kind of line end, blank lines, nauty's header, a bad
// line and a last line without a line end.
const std::string kStream = ">>graph6<<\r\nDQc\r\n\n  \nC~\nBw\r\n:Fa@x^\nA~~\r\nE`?G";

void ExpectStreamTexts(const std::vector<SourceItem>& items)
{
    ASSERT_EQ(items.size(), 6u);
    const char* want[] = {"DQc\r\n", "C~\n", "Bw\r\n", ":Fa@x^\n", "A~~\r\n", "E`?G"};
    for (std::size_t k = 0; k < items.size(); ++k) EXPECT_EQ(items[k].text, want[k]) << "item " << k + 1;
    EXPECT_EQ(items[3].graph.EdgeCount(), 4u);   // the sparse6 line
    EXPECT_FALSE(items[4].error.empty());        // "A~~" has one byte too many
    EXPECT_TRUE(items[4].graph.Empty());
    EXPECT_TRUE(items[5].error.empty());
}

TEST_F(SourceTextTest, StreamLinesKeepTheirOwnLineEnds)
{
    ExpectStreamTexts(All(Write("mixed.g6", kStream)));
    ExpectStreamTexts(All(Write("mixed", kStream)));   // told by its first line
    ExpectStreamTexts(FromStdin(kStream));
}

TEST_F(SourceTextTest, WithoutTheOptionTextStaysEmpty)
{
    for (const SourceItem& item : All(Write("mixed.g6", kStream), false)) EXPECT_TRUE(item.text.empty());
    const std::string hcp = "DIMENSION : 3\nEDGE_DATA_SECTION\n1 2\n2 3\n3 1\n-1\nEOF\n";
    const std::vector<SourceItem> one = All(Write("k3.hcp", hcp), false);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0].text.empty());
}

// Every line nauty writes comes back exactly: the items together are the
// generator's output byte for byte.
TEST_F(SourceTextTest, GeneratorOutputComesBackWhole)
{
    if (std::system("command -v nauty-geng >/dev/null 2>&1") != 0) GTEST_SKIP() << "nauty-geng not installed";
    const std::string p = (m_dir / "six.g6").string();
    ASSERT_EQ(std::system(("nauty-geng -q 6 > " + p).c_str()), 0);
    std::ifstream in(p, std::ios::binary);
    std::stringstream raw;
    raw << in.rdbuf();
    std::string joined;
    std::size_t count = 0;
    for (const SourceItem& item : All(p)) {
        EXPECT_TRUE(item.error.empty()) << item.error;
        joined += item.text;
        ++count;
    }
    EXPECT_EQ(count, 156u);   // graphs on 6 nodes
    EXPECT_EQ(joined, raw.str());
}

TEST_F(SourceTextTest, WholeFilesKeepEveryByte)
{
    // Blank lines before the first keyword, CR LF line ends, no final line
    // end: what the sniffing of the first line reads is kept too.
    const std::string hcp = "\n\r\nNAME : k3\r\nDIMENSION : 3\r\nEDGE_DATA_SECTION\r\n1 2\r\n2 3\r\n3 1\r\n-1\r\nEOF";
    const std::string dimacs = "\nc triangle\np edge 3 3\ne 1 2\ne 2 3\ne 3 1\n";
    for (const std::string& name : {std::string("k3.hcp"), std::string("k3")}) {
        const std::vector<SourceItem> items = All(Write(name, hcp));
        ASSERT_EQ(items.size(), 1u) << name;
        EXPECT_TRUE(items[0].error.empty()) << items[0].error;
        EXPECT_EQ(items[0].graph.EdgeCount(), 3u);
        EXPECT_EQ(items[0].text, hcp) << name;
    }
    for (const std::string& name : {std::string("k3.col"), std::string("k3d")}) {
        const std::vector<SourceItem> items = All(Write(name, dimacs));
        ASSERT_EQ(items.size(), 1u) << name;
        EXPECT_EQ(items[0].graph.EdgeCount(), 3u);
        EXPECT_EQ(items[0].text, dimacs) << name;
    }
}

// A file the reader gives up on part way still comes with all its bytes.
TEST_F(SourceTextTest, RefusedFilesKeepEveryByte)
{
    const std::string hcp = "DIMENSION : 3\nEDGE_DATA_SECTION\n1 2\n2 9\n3 1\n-1\nEOF\n";
    const std::string dimacs = "p edge 3 3\ne 1 2\nx 2 3\ne 3 1\n";
    const std::vector<SourceItem> h = All(Write("bad.hcp", hcp));
    ASSERT_EQ(h.size(), 1u);
    EXPECT_NE(h[0].error.find(":4:"), std::string::npos) << h[0].error;
    EXPECT_EQ(h[0].text, hcp);
    const std::vector<SourceItem> d = All(Write("bad.col", dimacs));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NE(d[0].error.find(":3:"), std::string::npos) << d[0].error;
    EXPECT_EQ(d[0].text, dimacs);
}

}  // namespace
