// The TOUR module: what it writes it reads back, the legacy StoreCycle and
// the engine writer produce the same bytes, tours of other programs read
// (checked as cycles of their own graphs), every malformed tour is refused
// at its line, and a failed save leaves the old file alone.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <list>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/cyclecheck.h"
#include "cycle/cycle.h"
#include "io/graph6.h"
#include "io/graphfile.h"
#include "io/tourfile.h"

namespace fs = std::filesystem;
using hcp::NodeId;

namespace {

const std::string kShared = TOURVANE_SHARED_DIR;

std::string ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class Tours : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("tourvane-tours-" + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << text;
        return Path(name);
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The message of the FormatError or FileError that reading name throws.
    std::string Refusal(const std::string& name, NodeId maxNodes = 0) const
    {
        try {
            hcp::ReadTour(Path(name), maxNodes);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "accepted";
    }
    fs::path m_dir;
};

TEST_F(Tours, ReadsWhatItWrites)
{
    std::vector<NodeId> order(300);
    for (NodeId v = 0; v < order.size(); ++v) order[v] = v;
    std::shuffle(order.begin(), order.end(), std::mt19937(5));
    hcp::WriteTour(Path("a.tour"), order, {"a.hcp", hcp::TourComment(3)});
    const hcp::Tour t = hcp::ReadTour(Path("a.tour"));
    EXPECT_EQ(t.order, order);
    EXPECT_EQ(t.name, "a.hcp");
    EXPECT_EQ(t.comment, "HCP solution (H=3)");
    EXPECT_EQ(t.dimension, 300);
    EXPECT_EQ(t.lines.front(), 6u);
    EXPECT_EQ(Files(), std::vector<std::string>{"a.tour"}) << "no temporary left";
}

// A path is its n nodes first to last; nothing in the file closes it, and
// only the comment tells a reader it is a path.
TEST_F(Tours, PathToursReadBackAsPaths)
{
    // The Petersen graph has Hamiltonian paths but no Hamiltonian cycle.
    const hcp::Graph petersen = hcp::DecodeGraph6("IheA@GUAo");
    const std::vector<NodeId> path{0, 1, 2, 3, 4, 9, 6, 8, 5, 7};
    ASSERT_TRUE(hcp::CheckOrder(petersen, path, hcp::Question::Path()).hamiltonian);
    hcp::WriteTour(Path("p.tour"), path, {"petersen.g6", hcp::TourComment(0, hcp::Goal::Path)});
    EXPECT_EQ(ReadBytes(m_dir / "p.tour"),
              "NAME: petersen.g6\nTYPE: TOUR\nCOMMENT: Hamiltonian path, no closing edge (H=0)\nDIMENSION: 10\n"
              "TOUR_SECTION\n  1\n  2\n  3\n  4\n  5\n  10\n  7\n  9\n  6\n  8\n-1\nEOF\n");
    const hcp::Tour t = hcp::ReadTour(Path("p.tour"), petersen.NodeCount());
    EXPECT_EQ(t.order, path);
    EXPECT_EQ(t.dimension, 10);
    EXPECT_TRUE(hcp::TourCommentSaysPath(t.comment));
    EXPECT_TRUE(hcp::CheckOrder(petersen, t.order, hcp::Question::PathBetween(0, 7)).hamiltonian);
    EXPECT_FALSE(hcp::CheckCycle(petersen, t.order).hamiltonian);   // 8 and 1 are not joined
    // A cycle's tour does not pass for a path, whichever way it was written.
    EXPECT_EQ(hcp::TourComment(2, hcp::Goal::Cycle), hcp::TourComment(2));
    EXPECT_FALSE(hcp::TourCommentSaysPath(hcp::TourComment(0, hcp::Goal::Cycle)));
    EXPECT_FALSE(hcp::TourCommentSaysPath(""));

    // A directed path follows its arcs; the same file read for the reversed
    // digraph is no path.
    const hcp::Graph arcs = hcp::DecodeDigraph6("&BP?");   // 0 -> 1 -> 2
    hcp::WriteTour(Path("d.tour"), std::vector<NodeId>{0, 1, 2}, {"p3.d6", hcp::TourComment(0, hcp::Goal::Path)});
    const hcp::Tour d = hcp::ReadTour(Path("d.tour"), 3);
    EXPECT_TRUE(hcp::TourCommentSaysPath(d.comment));
    EXPECT_TRUE(hcp::CheckOrder(arcs, d.order, hcp::Question::Path()).hamiltonian);
    const std::vector<NodeId> back(d.order.rbegin(), d.order.rend());
    EXPECT_FALSE(hcp::CheckOrder(arcs, back, hcp::Question::Path()).hamiltonian);
}

TEST_F(Tours, LegacyStoreCycleAndTheEngineWriterGiveTheSameBytes)
{
    // A 5-cycle with one chord, in an order with two gaps.
    CCycle c(5);
    c = true;
    for (short v = 1; v <= 5; ++v) c.SetEdge(v, static_cast<short>(v % 5 + 1));
    std::list<short> path{1, 3, 2, 4, 5};
    c.Restore(&path);
    const int gaps = c.CalcPathLen();
    ASSERT_TRUE(c.StoreCycle(Path("ring.hcp").c_str()));
    const std::vector<NodeId> order{0, 2, 1, 3, 4};
    hcp::WriteTour(Path("ring.tour"), order, {Path("ring.hcp"), hcp::TourComment(gaps)});
    EXPECT_EQ(ReadBytes(m_dir / "ring.tou"), ReadBytes(m_dir / "ring.tour"));
    EXPECT_EQ(ReadBytes(m_dir / "ring.tour"), "NAME: " + Path("ring.hcp") + "\nTYPE: TOUR\nCOMMENT: HCP solution (H="
                                                  + std::to_string(gaps)
                                                  + ")\nDIMENSION: 5\nTOUR_SECTION\n  1\n  3\n  2\n  4\n  5\n-1\nEOF\n");
}

TEST_F(Tours, ForeignToursReadAndAreCyclesOfTheirGraphs)
{
    const std::string alb = kShared + "/bench/tsplib/alb5000.opt.tour";
    const std::string fhcp = kShared + "/bench/fhcpcs/graph1.hcp";
    if (!fs::exists(alb) || !fs::exists(fhcp)) GTEST_SKIP() << "shared bench instances not present";
    const hcp::Tour t = hcp::ReadTour(alb);
    EXPECT_EQ(t.name, "alb5000.opt");
    EXPECT_EQ(t.dimension, 5000);
    ASSERT_EQ(t.order.size(), 5000u);
    EXPECT_EQ(t.order.front(), 2095u);
    std::vector<bool> seen(5000);
    for (NodeId v : t.order) seen[v] = true;
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
    const std::string albGraph = kShared + "/bench/tsplib/alb5000.hcp";
    if (fs::exists(albGraph)) {
        EXPECT_TRUE(hcp::CheckCycle(hcp::ReadGraph(albGraph), t.order).hamiltonian);
    }

    // CR LF line ends, a blank COMMENT, one node per line, the .tou name.
    const hcp::Tour g1 = hcp::ReadTour(fhcp + ".tou");
    EXPECT_EQ(g1.comment, "");
    EXPECT_EQ(g1.dimension, 66);
    const hcp::Graph graph = hcp::ReadGraph(fhcp);
    EXPECT_TRUE(hcp::CheckCycle(graph, g1.order).hamiltonian);
}

TEST_F(Tours, LiberalInLayout)
{
    Write("a.tou", "COMMENT:x\r\n  TYPE :  TOUR \r\nDIMENSION:4\r\nNAME :n\r\nTOUR_SECTION\r\n3 1\t4\r\n\r\n2\r\n");
    const hcp::Tour t = hcp::ReadTour(Path("a.tou"));
    EXPECT_EQ(t.order, (std::vector<NodeId>{2, 0, 3, 1}));
    EXPECT_EQ(t.name, "n");
    EXPECT_EQ(t.comment, "x");
    // Without DIMENSION and without -1 the end of the file ends the tour;
    // EOF in the section ends it too.
    Write("b.tour", "TOUR_SECTION\n1 2 3\n");
    EXPECT_EQ(hcp::ReadTour(Path("b.tour")).order.size(), 3u);
    Write("c.tour", "TOUR_SECTION\n1 2 3\nEOF\n");
    EXPECT_EQ(hcp::ReadTour(Path("c.tour")).order.size(), 3u);
    // After the closing -1: blank lines and one EOF, on its line or after.
    Write("d.tour", "TOUR_SECTION\n1 2 3 -1 EOF\n\n");
    EXPECT_EQ(hcp::ReadTour(Path("d.tour")).order.size(), 3u);
    Write("e.tour", "TOUR_SECTION\n1 2 3\n-1\n\nEOF\n\n");
    EXPECT_EQ(hcp::ReadTour(Path("e.tour")).order.size(), 3u);
}

TEST_F(Tours, MalformedToursAreRefusedAtTheirLine)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"DIMENSION: 3\nTOUR_SECTION\n1 2 3 1\n-1\n", ":3: more than 3 nodes in TOUR_SECTION"},
        {"DIMENSION: 3\nTOUR_SECTION\n1 2\n3\n2\n-1\n", ":5: more than 3 nodes in TOUR_SECTION"},
        {"DIMENSION: 3\nTOUR_SECTION\n1 2 4\n", ":3: node 4 is outside 1..3"},
        {"TOUR_SECTION\n1 0 2\n", ":2: node 0 is outside 1..4294967295"},
        {"TOUR_SECTION\n1 -2\n", ":2: node -2 is outside"},
        {"TOUR_SECTION\n1 x2\n", ":2: \"x2\" is not a node number"},
        {"TOUR_SECTION\n1 99999999999\n", ":2: node 99999999999 is outside"},
        {"TYPE: HCP\nTOUR_SECTION\n1\n", ":1: TYPE is \"HCP\", not TOUR"},
        {"DIMENSION: -4\n", ":1: DIMENSION \"-4\" is not a node count"},
        {"DIMENSION: 5000000000\n", ":1: DIMENSION \"5000000000\" is not a node count"},
        {"NAME: a\nEOF\n", ":2: EOF before TOUR_SECTION"},
        {"NAME: a\n", ":1: no TOUR_SECTION"},
        {"", ":0: no TOUR_SECTION"},
        {"just words\n", ":1: \"just words\" is neither a KEY: value line nor TOUR_SECTION"},
        {"DIMENSION: 6\nTOUR_SECTION\n1\n2\n", ":4: file ends before the -1 that closes TOUR_SECTION (2 of 6 nodes)"},
        // Nothing is left unchecked after the section: a second tour or
        // stray nodes would otherwise pass for part of a verified file.
        {"TOUR_SECTION\n1 2 3 -1 junk after the end\n", ":2: text after the -1 that closes TOUR_SECTION: 'junk after the end'"},
        {"TOUR_SECTION\n1 2 3\n-1\n4 5\n", ":4: text after the -1 that closes TOUR_SECTION: '4 5'"},
        {"TOUR_SECTION\n1 2 3\n-1\nTOUR_SECTION\n3 2 1\n-1\n", ":4: a second TOUR_SECTION"},
        {"TOUR_SECTION\n1 2 3\n-1\nEOF\n7\n", ":5: text after EOF: '7'"},
        {"TOUR_SECTION\n1 2 3\nEOF 4\n", ":3: text after EOF: '4'"},
        {"TOUR_SECTION\n1 2 3\nEOF\nEOF\n", ":4: text after EOF: 'EOF'"},
    };
    int k = 0;
    for (const Case& c : cases) {
        const std::string name = "bad" + std::to_string(k++) + ".tour";
        Write(name, c.text);
        const std::string message = Refusal(name);
        EXPECT_EQ(message.rfind(Path(name) + c.message, 0), 0u) << c.text << "\n -> " << message;
    }
}

TEST_F(Tours, TheCallersBoundLimitsNodesAndLength)
{
    Write("t.tour", "TOUR_SECTION\n1 2 3 4 5\n-1\n");
    EXPECT_EQ(Refusal("t.tour", 4), Path("t.tour") + ":2: node 5 is outside 1..4");
    Write("u.tour", "TOUR_SECTION\n1 2 3 1 2\n-1\n");
    EXPECT_EQ(Refusal("u.tour", 4), Path("u.tour") + ":2: more than 4 nodes in TOUR_SECTION");
    EXPECT_EQ(hcp::ReadTour(Path("t.tour"), 5).order.size(), 5u);
}

TEST_F(Tours, MissingFilesAndFoldersAreFileErrors)
{
    fs::create_directory(m_dir / "folder.tour");
    EXPECT_THROW(hcp::ReadTour(Path("folder.tour")), hcp::FileError);
    EXPECT_THROW(hcp::ReadTour(Path("none.tour")), hcp::FileError);
    EXPECT_EQ(Refusal("none.tour"), Path("none.tour") + ": No such file or directory");
}

TEST_F(Tours, FailedSaveKeepsTheOldFileAndLeavesNoTemporary)
{
    const std::vector<NodeId> order{0, 1, 2};
    hcp::WriteTour(Path("keep.tour"), order, {"old", hcp::TourComment(0)});
    const std::string before = ReadBytes(m_dir / "keep.tour");
    ::chmod(Path("keep.tour").c_str(), 0640);
    // A folder that may not be written: the temporary cannot be created.
    fs::permissions(m_dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool root = ::geteuid() == 0;   // root writes anyway; the check below then differs
    if (!root) {
        try {
            hcp::WriteTour(Path("keep.tour"), order, {"new", hcp::TourComment(0)});
            ADD_FAILURE() << "saved into a read-only folder";
        } catch (const hcp::FileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("cannot write " + Path("keep.tour") + ": ", 0), 0u) << e.what();
        }
        EXPECT_EQ(ReadBytes(m_dir / "keep.tour"), before);
    }
    fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
    // A folder in the way of the rename: the write succeeds, the rename fails.
    fs::create_directory(m_dir / "in_the_way.tour");
    EXPECT_THROW(hcp::WriteTour(Path("in_the_way.tour"), order, {"x", ""}), hcp::FileError);
    EXPECT_TRUE(fs::is_directory(m_dir / "in_the_way.tour"));
    EXPECT_THROW(hcp::WriteTour(Path("no/such/folder.tour"), order, {"x", ""}), hcp::FileError);
    EXPECT_EQ(Files(), (std::vector<std::string>{"in_the_way.tour", "keep.tour"}));
    // A replaced file keeps its permissions.
    hcp::WriteTour(Path("keep.tour"), order, {"new", hcp::TourComment(0)});
    struct stat st {};
    ASSERT_EQ(::stat(Path("keep.tour").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_NE(ReadBytes(m_dir / "keep.tour"), before);
}

TEST(TourPathFor, FileNameUpToTheLastDotInTheFolder)
{
    EXPECT_EQ(hcp::TourPathFor("out", "a/b/graph.7.hcp"), "out/graph.7.tour");
    EXPECT_EQ(hcp::TourPathFor("out", ".hidden"), "out/.hidden.tour");
    EXPECT_EQ(hcp::TourPathFor("out", "plain"), "out/plain.tour");
}

}  // namespace
