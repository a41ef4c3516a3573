// DIMACS edge files: comments, the three problem-line forms, repeated
// edges, nauty's own reading of the same file, and one small file per
// defect under data/, each refused with file and line.
#include <gtest/gtest.h>

#include <string>

#include "io/dimacs.h"
#include "io/graph6.h"
#include "io/graphfile.h"

namespace {

const std::string kData = TOURVANE_TEST_DATA;

std::string Problem(const std::string& name)
{
    try {
        hcp::ReadDimacs(kData + "/" + name);
    } catch (const hcp::FormatError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(Dimacs, CommentsRepeatedEdgesAndBothDirections)
{
    // petersen.col lists some edges twice and some in both directions;
    // nauty-dimacs2g reads it as the edge list showg -e gives for
    // "IheA@GUAo".
    const hcp::Graph g = hcp::ReadDimacs(kData + "/petersen.col");
    EXPECT_EQ(g, hcp::DecodeGraph6("IheA@GUAo"));
}

TEST(Dimacs, ProblemLineForms)
{
    const hcp::Graph k4 = hcp::DecodeGraph6("C~");
    EXPECT_EQ(hcp::ReadDimacs(kData + "/k4_col.col"), k4);
    EXPECT_EQ(hcp::ReadDimacs(kData + "/k4_short_problem.dimacs"), k4);
    // Isolated nodes past the last edge still count.
    const hcp::Graph lone = hcp::ReadDimacs(kData + "/isolated_nodes.col");
    EXPECT_EQ(lone.NodeCount(), 6u);
    EXPECT_EQ(lone.EdgeCount(), 1u);
}

TEST(Dimacs, WindowsLineEnds)
{
    EXPECT_EQ(hcp::ReadDimacs(kData + "/k4_crlf.col"), hcp::DecodeGraph6("C~"));
}

TEST(Dimacs, EachDefectNamesFileAndLine)
{
    const struct {
        const char* file;
        const char* where;
        const char* what;
    } cases[] = {
        {"dimacs_edge_before_problem.col", ":2:", "before the problem line"},
        {"dimacs_node_out_of_range.col", ":3:", "outside 1..4"},
        {"dimacs_node_zero.col", ":2:", "outside 1..3"},
        {"dimacs_second_problem_line.col", ":3:", "second problem line"},
        {"dimacs_no_problem_line.col", ":2:", "no problem line"},
        {"dimacs_bad_problem_type.col", ":1:", "not edge or col"},
        {"dimacs_bad_edge_line.col", ":2:", "'e NODE NODE'"},
        {"dimacs_unknown_line.col", ":3:", "where 'c', 'p' or 'e'"},
        {"dimacs_empty.col", ": empty file", "no problem line"},
        {"dimacs_nodes_beyond_edges.col", ":2:", "2147483647 nodes, but the 0 edges listed touch at most 0"},
        {"dimacs_too_many_nodes.col", ":1:", "5000000000 nodes, more than the 4294967294 this reader holds"},
    };
    for (const auto& c : cases) {
        const std::string m = Problem(c.file);
        EXPECT_NE(m.find(std::string(c.file) + c.where), std::string::npos) << c.file << ": " << m;
        EXPECT_NE(m.find(c.what), std::string::npos) << c.file << ": " << m;
    }
}

TEST(Dimacs, MissingFileIsAFileError)
{
    EXPECT_THROW(hcp::ReadDimacs(kData + "/no_such_file.col"), hcp::FileError);
    EXPECT_THROW(hcp::ReadDimacs(kData), hcp::FileError);
}

}  // namespace
