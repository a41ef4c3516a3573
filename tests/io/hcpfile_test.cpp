// HCP graph files through the legacy class: the exact text Store writes,
// and Load on the strict reader (keywords found wherever they stand, edge
// lists ended only by -1 or EOF). Malformed files: badfiles_test.cpp.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>
#include <sys/resource.h>

#include "cycle/cycle.h"
#include "graph/bitgraph.h"
#include "graph/randsrc.h"

namespace fs = std::filesystem;

namespace {

class HcpFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tourvane_io_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    std::string Write(const std::string& name, const std::string& text) const {
        std::string p = Path(name);
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    static std::string Header(const std::string& dimensionLine) {
        return "NAME: t\nCOMMENT: Hamiltonian cycle problem\nTYPE: HCP\n" + dimensionLine +
               "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n";
    }

    fs::path m_dir;
};

CBitGraph Cycle4() {
    CBitGraph g(4);
    g = true;
    g.SetEdge(1, 2);
    g.SetEdge(2, 3);
    g.SetEdge(3, 4);
    g.SetEdge(1, 4);
    return g;
}

// A graph that tells when Load sizes it through the virtual SetDim.
class CountingGraph : public CBitGraph {
public:
    void SetDim(short n) override {
        ++m_setDimCalls;
        CBitGraph::SetDim(n);
    }
    int m_setDimCalls = 0;
};

}  // namespace

TEST_F(HcpFileTest, StoreWritesTheExactText) {
    CBitGraph g = Cycle4();
    std::string p = Path("c4.hcp");
    ASSERT_TRUE(g.Store(p.c_str()));
    EXPECT_EQ(Read(p), "NAME: " + p +
                           "\nCOMMENT: Hamiltonian cycle problem\nTYPE: HCP\nDIMENSION: 4\n"
                           "EDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n"
                           "     4      3\n     4      1\n     3      2\n     2      1\n-1\nEOF\n");
}

TEST_F(HcpFileTest, PrintOnStartsAtTheCommentAndListsEdgesLargestFirst) {
    CBitGraph g(12345);
    g = true;
    g.SetEdge(12345, 7);
    g.SetEdge(100, 12345);
    g.SetEdge(99, 3);
    std::ostringstream os;
    EXPECT_TRUE(g.PrintOn(os));
    EXPECT_EQ(os.str(),
              "COMMENT: Hamiltonian cycle problem\nTYPE: HCP\nDIMENSION: 12345\n"
              "EDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n"
              " 12345    100\n 12345      7\n    99      3\n-1\nEOF\n");
}

TEST_F(HcpFileTest, GraphWithoutEdgesHasNoEdgeLines) {
    for (short n : {0, 1, 5}) {
        CBitGraph g(n);
        g = true;
        std::ostringstream os;
        g.PrintOn(os);
        EXPECT_NE(os.str().find("EDGE_DATA_SECTION\n-1\nEOF\n"), std::string::npos) << n;
    }
}

TEST_F(HcpFileTest, RoundTripFillsTheDegreeCache) {
    CBitGraph g = Cycle4();
    std::string p = Path("c4.hcp");
    ASSERT_TRUE(g.Store(p.c_str()));
    CBitGraph r(9);
    r = false;
    ASSERT_TRUE(r.Load(p.c_str()));
    EXPECT_EQ(r.GetDim(), 4);
    EXPECT_TRUE(static_cast<const CBitGraph&>(r) == g);
    EXPECT_TRUE(r == g) << "spare bits as an edgeless fill leaves them";
    EXPECT_EQ(r.GetMinDeg(), 2);
    EXPECT_EQ(r.GetMaxDeg(), 2);
    EXPECT_EQ(r.GetDeg(4), 2);
    EXPECT_STREQ(hcp::LastLoadError(), "");
}

TEST_F(HcpFileTest, RoundTripOfALargerGraph) {
    CBitGraph g(700);
    rand_int.set_seed(5);
    g.InitRandom(0);
    std::string p = Path("big.hcp");
    ASSERT_TRUE(g.Store(p.c_str()));
    CBitGraph r;
    ASSERT_TRUE(r.Load(p.c_str()));
    EXPECT_TRUE(static_cast<const CBitGraph&>(r) == g);
    EXPECT_EQ(r.GetEdgeCount(), g.GetEdgeCount());
}

TEST_F(HcpFileTest, LoadSizesTheObjectThroughItsOwnSetDim) {
    CountingGraph g;
    ASSERT_TRUE(g.Load(Write("a.hcp", Header("DIMENSION: 3") + "2 3\n-1\nEOF\n").c_str()));
    EXPECT_EQ(g.m_setDimCalls, 1);
    EXPECT_EQ(g.GetDim(), 3);
    EXPECT_TRUE(g.GetEdge(2, 3));
    EXPECT_FALSE(g.Load(Write("b.hcp", Header("DIMENSION: 3") + "2 4\n").c_str()));
    EXPECT_EQ(g.m_setDimCalls, 1) << "a rejected file never reaches SetDim";
}

TEST_F(HcpFileTest, DimensionIsFoundByItsKeywordInEverySpelling) {
    for (const char* line : {"DIMENSION : 12", "DIMENSION:12", "DIMENSION :12", "DIMENSION\t:\t12",
                             "DIMENSION 12", "  DIMENSION:   12   ", "DIMENTION: 12"}) {
        CBitGraph g;
        ASSERT_TRUE(g.Load(Write("d.hcp", Header(line) + "-1\nEOF\n").c_str())) << line << hcp::LastLoadError();
        EXPECT_EQ(g.GetDim(), 12) << line;
    }
    CBitGraph g;
    ASSERT_TRUE(g.Load(Write("f.hcp", Header("DIMENSION: 32767") + "32767 1\n-1\n").c_str()));
    EXPECT_EQ(g.GetDim(), 32767);
    EXPECT_EQ(g.GetEdgeCount(), 1u);
}

TEST_F(HcpFileTest, PaddedAndUnpaddedEdgeLinesJoinTheSamePair) {
    CBitGraph a, b, c;
    ASSERT_TRUE(a.Load(Write("a.hcp", Header("DIMENSION: 8") + "3 7\n-1\n").c_str()));
    ASSERT_TRUE(b.Load(Write("b.hcp", Header("DIMENSION: 8") + "     7      3\n-1\n").c_str()));
    ASSERT_TRUE(c.Load(Write("c.hcp", Header("DIMENSION: 8") + "\t7\t3\t\n7 3\n3    7\n-1\n").c_str()));
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == c) << "a repeated edge is one edge";
    EXPECT_TRUE(a.GetEdge(3, 7));
    EXPECT_EQ(a.GetEdgeCount(), 1u);
}

// Blank lines, tabs and indentation never end the list: only -1 or EOF do,
// and what follows -1 is read as keywords and sections.
TEST_F(HcpFileTest, TheEdgeListEndsOnlyAtMinusOneOrEof) {
    struct Case { const char* name; const char* edges; unsigned count; };
    const Case cases[] = {
        {"empty line", "1 2\n\n2 3\n-1\n", 2},
        {"blank-only line", "1 2\n   \n2 3\n-1\n", 2},
        {"tab between numbers", "1 2\n2\t3\n3 4\n-1\n", 3},
        {"EOF without -1", "1 2\nEOF\n", 1},
        {"indented -1", "1 2\n  -1\nEOF\n", 1},
        {"FIXED_EDGES block after -1", "1 2\n3 4\n-1\nFIXED_EDGES :\n  4   3 \n-1 \nEOF\n", 2},
    };
    for (const Case& c : cases) {
        CBitGraph g;
        ASSERT_TRUE(g.Load(Write("e.hcp", Header("DIMENSION: 4") + c.edges).c_str())) << c.name << ": "
                                                                                      << hcp::LastLoadError();
        EXPECT_EQ(g.GetEdgeCount(), c.count) << c.name;
        EXPECT_TRUE(g.GetEdge(1, 2)) << c.name;
    }
}

TEST_F(HcpFileTest, TrailingBlanksAndCarriageReturnsDoNotSpoilALine) {
    std::string text = "NAME : t\r\nCOMMENT : x \r\nTYPE : HCP\r\nDIMENSION : 5\r\n"
                       "EDGE_DATA_FORMAT : EDGE_LIST\r\nEDGE_DATA_SECTION\r\n"
                       "1 2 \r\n2 3\t\r\n  3   4  \n4 5\r\n-1\r\nEOF\r\n";
    CBitGraph g;
    ASSERT_TRUE(g.Load(Write("crlf.hcp", text).c_str()));
    EXPECT_EQ(g.GetDim(), 5);
    EXPECT_EQ(g.GetEdgeCount(), 4u);
    for (short k = 1; k < 5; ++k) EXPECT_TRUE(g.GetEdge(k, static_cast<short>(k + 1))) << k;
}

TEST_F(HcpFileTest, AnExtraHeaderLineChangesNothing) {
    std::string text = "NAME: t\nCOMMENT: one\nCOMMENT: two\nTYPE: HCP\nDIMENSION: 4\n"
                       "EDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n1 2\n-1\nEOF\n";
    CBitGraph g(6);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(g.Load(Write("x.hcp", text).c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(g.GetDim(), 4);
    EXPECT_TRUE(g.GetEdge(1, 2));
}

TEST_F(HcpFileTest, LongLinesAreReadWhole) {
    for (std::size_t length : {16383u, 16384u, 100000u}) {
        CBitGraph g;
        const std::string name(length, 'x');
        ASSERT_TRUE(g.Load(Write("l.hcp", "NAME: " + name + Header("DIMENSION: 3").substr(7) + "1 3\n-1\n").c_str()))
            << length;
        EXPECT_EQ(g.GetDim(), 3) << length;
        EXPECT_TRUE(g.GetEdge(1, 3)) << length;
    }
}

TEST_F(HcpFileTest, StoreToAnUnopenablePathFails) {
    CBitGraph g = Cycle4();
    std::string p = Path("no/such/dir/g.hcp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(g.Store(p.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cannot open file " + p + "\n");
    EXPECT_FALSE(fs::exists(p));
}

TEST_F(HcpFileTest, MissingFileLeavesTheGraphAlone) {
    CBitGraph g = Cycle4();
    g.CalcDeg();
    std::string p = Path("missing.hcp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(g.Load(p.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't open file " + p + "\n");
    EXPECT_EQ(hcp::LastLoadError(), "Can't open file " + p);
    EXPECT_TRUE(g == Cycle4());
    EXPECT_EQ(g.GetMaxDeg(), 2);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(g.Load(m_dir.string().c_str())) << "a folder is not a file";
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(g == Cycle4());
}

TEST_F(HcpFileTest, LoadingAnotherSizeResizesTheDegreeTable) {
    CBitGraph small = Cycle4();
    CBitGraph big(40);
    big = true;
    big.SetEdge(39, 40);
    std::string p = Path("big.hcp");
    ASSERT_TRUE(big.Store(p.c_str()));
    ASSERT_TRUE(small.Load(p.c_str()));
    EXPECT_EQ(small.GetDim(), 40);
    EXPECT_EQ(small.GetDeg(40), 1);
    EXPECT_EQ(small.GetMaxDeg(), 1);
}

// An order of another size would name nodes the loaded graph lacks; one
// of the same size still fits and is kept.
TEST_F(HcpFileTest, LoadGivesACycleAnOrderOfTheNewSize) {
    std::string p = Path("c4.hcp");
    ASSERT_TRUE(Cycle4().Store(p.c_str()));
    CCycle big(40);
    ASSERT_TRUE(big.Load(p.c_str()));
    EXPECT_EQ(std::vector<short>(big.m_path.begin(), big.m_path.end()), (std::vector<short>{1, 2, 3, 4}));
    EXPECT_EQ(big.MakeString(), "\n(0): {1 2 3 4 1}");
    CCycle same(4);
    same.m_path = {3, 1, 4, 2};
    ASSERT_TRUE(same.Load(p.c_str()));
    EXPECT_EQ(std::vector<short>(same.m_path.begin(), same.m_path.end()), (std::vector<short>{3, 1, 4, 2}));
    EXPECT_EQ(same.MakeString(), "\n(2): {3=1 4=2 3}");
}

TEST_F(HcpFileTest, EdgeOrderMatchesAPlainDescendingWalk) {
    for (short n : {2, 63, 64, 65, 130, 200}) {
        CBitGraph g(n);
        rand_int.set_seed(n);
        g.InitRandom(0);
        std::ostringstream fast;
        g.PrintOn(fast);
        std::string expected = "COMMENT: Hamiltonian cycle problem\nTYPE: HCP\nDIMENSION: " + std::to_string(n) +
                               "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n";
        char line[32];
        for (short i = n; i >= 2; --i)
            for (short j = static_cast<short>(i - 1); j >= 1; --j)
                if (g.GetEdge(i, j)) {
                    std::snprintf(line, sizeof line, "%6d %6d\n", i, j);
                    expected += line;
                }
        expected += "-1\nEOF\n";
        EXPECT_EQ(fast.str(), expected) << n;
    }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// With the address space capped just above what the process uses, the
// 67 MB store of a 32767-node graph cannot be had: Load, SetDim and the
// constructor must fail cleanly and keep every graph whole. Runs in a
// child process so that the cap does not outlive the test.
TEST_F(HcpFileTest, StoresThatCannotBeAllocatedFailCleanly) {
    std::string p = Write("huge.hcp", Header("DIMENSION: 32767") + "32767 1\n-1\nEOF\n");
    EXPECT_EXIT(
        {
            CBitGraph g = Cycle4();
            g.CalcDeg();
            long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            rlimit cap{};
            cap.rlim_cur = cap.rlim_max = static_cast<rlim_t>(pages) * 4096 + (24u << 20);
            if (setrlimit(RLIMIT_AS, &cap) != 0) std::exit(2);
            bool loaded = g.Load(p.c_str());
            std::string message = hcp::LastLoadError();
            g.SetDim(32767);
            CBitGraph fresh(32767);
            bool whole = !loaded && message.find("not enough memory for 32767 nodes") != std::string::npos &&
                         g == Cycle4() && g.GetMaxDeg() == 2 && g.GetDim() == 4 && fresh.GetDim() == 0;
            std::exit(whole ? 0 : 1);
        },
        testing::ExitedWithCode(0), "not enough memory");
}
#endif
