// One small file per reader error (data/, named after the defect). Each is
// refused with one line "file:line: problem", through the legacy Load and
// through ReadGraph alike, and a refused file leaves the graph as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "graph/bitgraph.h"
#include "io/graphfile.h"

namespace {

struct BadFile {
    const char* file;
    int line;
    const char* problem;   // part of the message
};

// Refused by the reader whatever the caller.
const BadFile kBadFiles[] = {
    {"ends_inside_edge_section.hcp", 11, "file ends inside the edge section (no -1 or EOF)"},
    {"ends_inside_fixed_edges.hcp", 14, "file ends inside FIXED_EDGES_SECTION"},
    {"ends_before_dimension.hcp", 4, "file ends before the edge section"},
    {"ends_before_edge_section.hcp", 6, "file ends before the edge section"},
    {"ends_after_name.hcp", 2, "file ends before the edge section"},
    {"eof_before_edge_section.hcp", 4, "EOF before the edge section"},
    {"text_after_eof.hcp", 11, "text after EOF: '3 4'"},
    {"dimension_not_a_number.hcp", 4, "DIMENSION 'abc' is not a whole number"},
    {"dimension_two_values.hcp", 4, "DIMENSION '4 : 9' is not a whole number"},
    {"dimension_decimal.hcp", 4, "DIMENSION '4.0' is not a whole number"},
    {"dimension_empty.hcp", 4, "DIMENSION has no value"},
    {"dimension_given_twice.hcp", 5, "DIMENSION given twice: '4' and '9'"},
    {"type_tour.hcp", 2, "TYPE is TOUR: this is a tour, not a graph"},
    {"type_tsp.hcp", 2, "TYPE is 'TSP', not HCP"},
    {"tour_section_without_type.hcp", 3, "TOUR_SECTION: this is a tour, not a graph"},
    {"edge_weight_section.hcp", 4, "EDGE_WEIGHT_SECTION does not belong in a Hamiltonian cycle problem"},
    {"unknown_keyword.hcp", 3, "unknown keyword 'DIMENSON'"},
    {"edge_format_unknown.hcp", 5, "EDGE_DATA_FORMAT 'EDGE_MATRIX' is neither EDGE_LIST nor ADJ_LIST"},
    {"edge_format_contradicts.hcp", 9, "EDGE_DATA_FORMAT ADJ_LIST contradicts EDGE_LIST"},
    {"edge_section_before_dimension.hcp", 4, "EDGE_DATA_SECTION before DIMENSION"},
    {"edge_section_twice.hcp", 9, "a second EDGE_DATA_SECTION"},
    {"text_after_section_keyword.hcp", 5, "text after EDGE_DATA_SECTION: '1 2'"},
    {"text_after_section_end.hcp", 8, "'3' after -1 in EDGE_DATA_SECTION"},
    {"edge_line_one_number.hcp", 8, "edge line '3' holds one number; an edge needs two"},
    {"edge_comma_separated.hcp", 8, "'3,4' is not a node number"},
    {"edge_line_extra_token.hcp", 8, "'junk' after the edge 3 4: an edge line holds two node numbers"},
    {"edge_decimal_number.hcp", 7, "'3.7' is not a node number"},
    {"edge_nul_byte.hcp", 8, "'\\x00' is not a node number"},
    {"edge_second_number_not_a_number.hcp", 7, "'x' is not a node number"},
    {"keyword_inside_edge_list.hcp", 9, "'FIXED_EDGES_SECTION' inside EDGE_DATA_SECTION (a section ends with -1)"},
    {"edge_after_section_end.hcp", 9, "'2 3' outside any data section (the edge section has ended with -1)"},
    {"name_given_twice.hcp", 9, "NAME given twice: 'name_given_twice' and 'other'"},
    {"adj_list_without_end.hcp", 8, "the adjacency list of node 2 does not end with -1"},
    {"adj_list_text_after_end.hcp", 7, "'3' after the -1 that ends the list of node 1"},
    {"adj_list_node_outside.hcp", 8, "node 7 is outside 1..4"},
    {"fixed_edge_not_an_edge.hcp", 14, "fixed edge 1 3 is not an edge of the graph"},
    {"coord_section_bad_line.hcp", 6, "DISPLAY_DATA_SECTION line '2 0' is not a node number and two or three"},
    {"line_starts_with_colon.hcp", 2, "expected a keyword before ':'"},
    {"edge_node_zero.hcp", 7, "edge 2 0 names a node outside 1..4"},
    {"edge_node_above_dimension.hcp", 8, "edge 5 1 names a node outside 1..4"},
    {"edge_negative_node.hcp", 7, "edge -3 2 names a node outside 1..4"},
    {"edge_self_loop.hcp", 7, "edge 3 3 joins a node to itself"},
    {"edge_number_overflows.hcp", 7, "edge 1 99999999999999999999 names a node outside 1..4"},
    {"dimension_negative.hcp", 4, "dimension -5 is outside 0.."},
    {"dhcp_type_twice.hcp", 4, "TYPE given twice: HCP and 'DHCP'"},
    {"dhcp_arc_self_loop.hcp", 6, "edge 2 2 joins a node to itself"},
    {"dhcp_adj_list_without_end.hcp", 7, "the adjacency list of node 2 does not end with -1"},
};

std::string DataPath(const std::string& file)
{
    return std::string(TOURVANE_TEST_DATA) + "/" + file;
}

CBitGraph Cycle4()
{
    CBitGraph g(4);
    g = true;
    g.SetEdge(1, 2);
    g.SetEdge(2, 3);
    g.SetEdge(3, 4);
    g.SetEdge(1, 4);
    g.CalcDeg();
    return g;
}

}  // namespace

TEST(BadFiles, LoadRefusesEachWithOneLineAndKeepsTheGraph)
{
    for (const BadFile& c : kBadFiles) {
        const std::string p = DataPath(c.file);
        ASSERT_TRUE(std::filesystem::exists(p)) << p;
        CBitGraph g = Cycle4();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(g.Load(p.c_str())) << c.file;
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string prefix = p + ":" + std::to_string(c.line) + ": ";
        EXPECT_EQ(err.rfind(prefix, 0), 0u) << err;
        EXPECT_NE(err.find(c.problem), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
        EXPECT_EQ(err, std::string(hcp::LastLoadError()) + "\n");
        EXPECT_TRUE(g == Cycle4()) << c.file;
        EXPECT_EQ(g.GetDim(), 4);
        EXPECT_EQ(g.GetMinDeg(), 2);
        EXPECT_EQ(g.GetMaxDeg(), 2);
    }
}

TEST(BadFiles, ReadGraphThrowsAFormatErrorWithTheSameLine)
{
    for (const BadFile& c : kBadFiles) {
        const std::string p = DataPath(c.file);
        try {
            hcp::ReadGraph(p);
            ADD_FAILURE() << c.file << " was read";
        } catch (const hcp::FormatError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind(p + ":" + std::to_string(c.line) + ": ", 0), 0u) << what;
            EXPECT_NE(what.find(c.problem), std::string::npos) << what;
            EXPECT_EQ(what.find('\n'), std::string::npos) << what;
        }
    }
}

// Files that do not begin with "NAME" keep the legacy words on the error
// stream; the reason itself is still there for the caller.
TEST(BadFiles, FilesNotStartingWithNameAreNotRecognised)
{
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {{"name_lower_case.hcp", ":1: unknown keyword 'name'"},
                 {"empty_file.hcp", ":1: file ends before the edge section"}};
    for (const auto& c : cases) {
        CBitGraph g = Cycle4();
        const std::string p = DataPath(c.file);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(g.Load(p.c_str())) << c.file;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't recognize TSPLIB format.\n");
        EXPECT_EQ(std::string(hcp::LastLoadError()), p + c.reason);
        EXPECT_TRUE(g == Cycle4());
        EXPECT_THROW(hcp::ReadGraph(p), hcp::FormatError) << c.file;
    }
}

// The legacy graph holds at most 32,767 nodes: Load keeps its refusal, the
// solver graph type reads the same file.
TEST(BadFiles, DimensionBeyondTheLegacyLimitIsRefusedOnlyByLoad)
{
    const std::string p = DataPath("dimension_too_large.hcp");
    CBitGraph g = Cycle4();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(g.Load(p.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), p + ":4: dimension 32768 is outside 0..32767\n");
    EXPECT_TRUE(g == Cycle4());
    const hcp::Graph big = hcp::ReadGraph(p);
    EXPECT_EQ(big.NodeCount(), 32768u);
    EXPECT_EQ(big.EdgeCount(), 0u);
}
