// The strict HCP reader on the solver graph type: every valid way of
// writing a graph reads to the same graph as the plain file, and the read
// can be stopped, bounded and fed from a FIFO.
#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>
#include <sys/stat.h>

#include "io/graphfile.h"
#include "io/hcpreader.h"

namespace fs = std::filesystem;

namespace {

// The Petersen graph: outer 5-cycle 1..5, spokes k - k+5, inner pentagram.
const char* const kPetersenEdges[][2] = {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"},  {"5", "1"},
                                         {"1", "6"}, {"2", "7"}, {"3", "8"}, {"4", "9"},  {"5", "10"},
                                         {"6", "8"}, {"8", "10"}, {"10", "7"}, {"7", "9"}, {"9", "6"}};

std::string EdgeLines(const std::string& sep = " ", const std::string& eol = "\n")
{
    std::string out;
    for (const auto& e : kPetersenEdges) out += std::string(e[0]) + sep + e[1] + eol;
    return out;
}

const std::string kPlain = "NAME: petersen\nCOMMENT: plain\nTYPE: HCP\nDIMENSION: 10\n"
                           "EDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n"
                           + EdgeLines() + "-1\nEOF\n";

// Adjacency lists of the same graph, each edge listed from both ends.
std::string AdjacencyLists()
{
    std::string out;
    for (int v = 1; v <= 10; ++v) {
        out += std::to_string(v);
        for (const auto& e : kPetersenEdges) {
            if (std::stoi(e[0]) == v) out += std::string(" ") + e[1];
            if (std::stoi(e[1]) == v) out += std::string(" ") + e[0];
        }
        out += " -1\n";
    }
    return out + "-1\n";
}

std::string CrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

hcp::Graph Parse(const std::string& text, const hcp::ReadOptions& options = {})
{
    return hcp::ParseHcpGraph(text, "t.hcp", options);
}

std::string TempPath(const std::string& name)
{
    return (fs::temp_directory_path() / ("tourvane_reader_" + std::to_string(::getpid()) + "_" + name)).string();
}

}  // namespace

TEST(HcpReader, PlainFileGivesThePetersenGraph)
{
    const hcp::Graph g = Parse(kPlain);
    EXPECT_EQ(g.NodeCount(), 10u);
    EXPECT_EQ(g.EdgeCount(), 15u);
    EXPECT_EQ(g.MinDegree(), 3u);
    EXPECT_EQ(g.MaxDegree(), 3u);
    EXPECT_TRUE(g.HasEdge(9, 6)) << "10 - 7, 0-based";
    EXPECT_FALSE(g.HasEdge(5, 6)) << "6 - 7 is not an edge";
    EXPECT_EQ(g.Name(), "petersen");
    EXPECT_TRUE(g.FixedEdges().empty());
}

TEST(HcpReader, EveryValidVariationReadsToThePlainGraph)
{
    const hcp::Graph plain = Parse(kPlain);
    const std::string head = "NAME: petersen\nTYPE: HCP\nDIMENSION: 10\n";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"tabs", "NAME:\tpetersen\nTYPE\t:\tHCP\nDIMENSION\t:\t10\nEDGE_DATA_FORMAT:\tEDGE_LIST\n"
                 "EDGE_DATA_SECTION\n" + EdgeLines("\t") + "-1\nEOF\n"},
        {"runs of blanks", head + "EDGE_DATA_SECTION\n" + EdgeLines("   \t  ", "   \n") + "  -1  \nEOF\n"},
        {"blank lines", "\n\n" + head + "\n\nEDGE_DATA_SECTION\n\n" + EdgeLines(" ", "\n\n") + "\n-1\n\nEOF\n\n\n"},
        {"header order", "EDGE_DATA_FORMAT: EDGE_LIST\nDIMENSION: 10\nCOMMENT: x\nTYPE: HCP\nNAME: petersen\n"
                         "EDGE_DATA_SECTION\n" + EdgeLines() + "-1\nEOF\n"},
        {"long comment", "NAME: petersen\nCOMMENT: " + std::string(40000, 'c') + "\n" + kPlain.substr(14)},
        {"CR LF", CrLf(kPlain)},
        {"ADJ_LIST", head + "EDGE_DATA_FORMAT: ADJ_LIST\nEDGE_DATA_SECTION\n" + AdjacencyLists() + "EOF\n"},
        {"both directions", head + "EDGE_DATA_SECTION\n" + EdgeLines() + "2 1\n10 5\n-1\nEOF\n"},
        {"no blanks around colons", "NAME:petersen\nTYPE:HCP\nDIMENSION:10\nEDGE_DATA_SECTION\n" + EdgeLines() + "-1\n"},
        {"no colons", "NAME petersen\nTYPE HCP\nDIMENSION 10\nEDGE_DATA_FORMAT EDGE_LIST\nEDGE_DATA_SECTION\n"
                      + EdgeLines() + "-1\n"},
        {"EOF ends the list", head + "EDGE_DATA_SECTION\n" + EdgeLines() + "EOF"},
        {"-1 without EOF or final line end", head + "EDGE_DATA_SECTION\n" + EdgeLines() + "-1"},
        {"byte order mark", "\xEF\xBB\xBF" + kPlain},
        {"misspelt keywords", "NAME: petersen\nTYPE: HCP\nDIMENTION: 10\nEDGE_DATA_SELECTION\n" + EdgeLines() + "-1\n"},
        {"ignored keywords and display data", head + "EDGE_WEIGHT_TYPE: EXPLICIT\nCAPACITY: 3\n"
                                              "DISPLAY_DATA_TYPE: TWOD_DISPLAY\nDISPLAY_DATA_SECTION\n"
                                              "1 0 0\n2 1 0\n3 2 0\n4 3 0\n5 4 0\n6 0 1\n7 1 1\n8 2 1\n"
                                              "9 3 1\n10 4.5 1.25\nEDGE_DATA_SECTION\n" + EdgeLines() + "-1\n"},
        {"no TYPE and no format", "NAME: petersen\nDIMENSION: 10\nEDGE_DATA_SECTION\n" + EdgeLines() + "-1\nEOF\n"},
        {"a keyword repeated with the same value", head + "DIMENSION : 10\nTYPE: HCP\nEDGE_DATA_SECTION\n"
                                                   + EdgeLines() + "-1\nNAME : petersen\nEOF\n"},
    };
    for (const auto& c : cases) {
        try {
            const hcp::Graph g = Parse(c.text);
            EXPECT_TRUE(g == plain) << c.name;
            EXPECT_EQ(g.Name(), "petersen") << c.name;
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.name << ": " << e.what();
        }
    }
}

TEST(HcpReader, FixedEdgesBeforeOrAfterTheEdgesAreKept)
{
    const std::string head = "NAME: p\nTYPE: HCP\nDIMENSION: 10\n";
    const std::string fixed = "FIXED_EDGES_SECTION\n 2 1\n7\t10\n-1\n";
    const std::string edges = "EDGE_DATA_SECTION\n" + EdgeLines() + "-1\n";
    const std::vector<hcp::Edge> expected = {{0, 1}, {6, 9}};
    for (const std::string& text : {head + fixed + edges + "EOF\n", head + edges + fixed + "EOF\n",
                                    head + edges + "FIXED_EDGES :\n 2 1 \n7 10\n-1 \nEOF\n"}) {
        const hcp::Graph g = Parse(text);
        EXPECT_TRUE(g == Parse(kPlain)) << text;
        EXPECT_EQ(g.FixedEdges(), expected) << text;
    }
}

TEST(HcpReader, GraphsBeyondTheLegacyLimitLoad)
{
    // A path on 40,000 nodes, written as a file would be.
    std::string text = "NAME: path\nTYPE: HCP\nDIMENSION: 40000\nEDGE_DATA_SECTION\n";
    for (int v = 1; v < 40000; ++v) text += std::to_string(v) + " " + std::to_string(v + 1) + "\n";
    text += "-1\nEOF\n";
    const hcp::Graph g = Parse(text);
    EXPECT_EQ(g.NodeCount(), 40000u);
    EXPECT_EQ(g.EdgeCount(), 39999u);
    EXPECT_TRUE(g.HasEdge(39998, 39999));
    hcp::ReadOptions legacy;
    legacy.maxDimension = 32767;
    EXPECT_THROW(Parse(text, legacy), hcp::FormatError);
}

TEST(HcpReader, LinesBeyondTheBoundAreRefusedExceptComments)
{
    hcp::ReadOptions small;
    small.maxLineBytes = 100;
    const std::string tail = kPlain.substr(kPlain.find("TYPE"));
    EXPECT_TRUE(Parse("COMMENT : " + std::string(5000, 'x') + "\n" + kPlain, small) == Parse(kPlain));
    try {
        Parse("NAME: " + std::string(5000, 'n') + "\n" + tail, small);
        ADD_FAILURE() << "a long NAME line was read";
    } catch (const hcp::FormatError& e) {
        EXPECT_STREQ(e.what(), "t.hcp:1: line is longer than 100 bytes");
    }
}

TEST(HcpReader, MessagesStayOneLineWhateverTheNameOrBytes)
{
    try {
        hcp::ParseHcpGraph("NAME: x\nDIMENSION: 4\nEDGE_DATA_SECTION\n1 \x1b[2J\n-1\n", "bad\nname.hcp");
        ADD_FAILURE() << "read";
    } catch (const hcp::FormatError& e) {
        EXPECT_STREQ(e.what(), "bad\\nname.hcp:4: '\\x1B[2J' is not a node number");
    }
}

TEST(HcpReader, StopRequestsAndTheTimeLimitEndTheRead)
{
    std::stop_source source;
    source.request_stop();
    hcp::ReadOptions stopped;
    stopped.stop = source.get_token();
    EXPECT_THROW(Parse(kPlain, stopped), hcp::ReadStopped);

    hcp::ReadOptions hurried;
    hurried.timeLimit = 1e-9;
    try {
        Parse(kPlain, hurried);
        ADD_FAILURE() << "read";
    } catch (const hcp::ReadStopped& e) {
        EXPECT_STREQ(e.what(), "t.hcp: time limit reached while reading");
    }
}

TEST(HcpReader, MissingFilesAndFoldersAreFileErrors)
{
    const std::string missing = TempPath("missing.hcp");
    try {
        hcp::ReadGraph(missing);
        ADD_FAILURE() << "read";
    } catch (const hcp::FileError& e) {
        EXPECT_EQ(std::string(e.what()), missing + ": No such file or directory");
    }
    try {
        hcp::ReadGraph(fs::temp_directory_path().string());
        ADD_FAILURE() << "read";
    } catch (const hcp::FileError& e) {
        EXPECT_NE(std::string(e.what()).find(": is a directory"), std::string::npos) << e.what();
    }
}

// A FIFO can be opened only once by its writer's side: the reader must not
// open it twice, and a writer that never stops is stopped by a request.
TEST(HcpReader, FifosAreReadInOnePassAndEndlessOnesCanBeStopped)
{
    std::signal(SIGPIPE, SIG_IGN);
    const std::string fifo = TempPath("graph.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo) << kPlain; });
    const hcp::Graph g = hcp::ReadGraph(fifo);
    writer.join();
    EXPECT_TRUE(g == Parse(kPlain));

    std::thread endless([&] {
        std::ofstream out(fifo);
        out << "NAME: endless\nDIMENSION: 10\nEDGE_DATA_SECTION\n";
        while (out << "1 2\n") {
        }
    });
    std::stop_source source;
    hcp::ReadOptions options;
    options.stop = source.get_token();
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        source.request_stop();
    });
    EXPECT_THROW(hcp::ReadGraph(fifo, options), hcp::ReadStopped);
    stopper.join();
    endless.join();
    fs::remove(fifo);
}
