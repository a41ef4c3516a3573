// DIMACS edge and arc files: comments, the problem-line forms, repeated
// edges, nauty's own reading of the same file, arcs with and without
// weights, and one small file per defect under data/, each refused with
// file and line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
        {"dimacs_unknown_line.col", ":3:", "where 'c', 'p', 'e' or 'a'"},
        {"dimacs_arc_after_edges.col", ":3:", "an arc line 'a' after edge lines 'e' (line 2)"},
        {"dimacs_edge_after_arcs.col", ":4:", "an edge line 'e' after arc lines 'a' (line 2)"},
        {"dimacs_arc_in_col_problem.col", ":2:", "in a 'col' problem"},
        {"dimacs_edge_in_arc_problem.col", ":2:", "in a 'arc' problem, whose lines are arcs"},
        {"dimacs_arc_bad_weight.col", ":2:", "'a NODE NODE WEIGHT'"},
        {"dimacs_arc_node_out_of_range.col", ":3:", "arc 1 4 names a node outside 1..3"},
        {"dimacs_arc_before_problem.col", ":1:", "an arc before the problem line"},
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

TEST(Dimacs, ArcsMakeADirectedGraph)
{
    // The arcs nauty-listg -e gives for genspecialg -z -C7,1,3, as a
    // shortest-path file with lengths.
    const hcp::Graph c7 = hcp::ReadDimacs(kData + "/circulant7_arcs.dimacs");
    EXPECT_TRUE(c7.Directed());
    EXPECT_EQ(c7, hcp::DecodeDigraph6("&FSD@OUC`g?"));
    // Both directions are two arcs; a repeated arc and a loop add none.
    const hcp::Graph two = hcp::ReadDimacs(kData + "/two_way_arcs.col");
    EXPECT_EQ(two, hcp::Graph::FromArcs(3, std::vector<hcp::Edge>{{0, 1}, {1, 0}, {1, 2}}));
    // Arcs under "p edge" and the short "p N M" (CR LF, a signed weight).
    const hcp::Graph c3 = hcp::Graph::FromArcs(3, std::vector<hcp::Edge>{{0, 1}, {1, 2}, {2, 0}});
    EXPECT_EQ(hcp::ReadDimacs(kData + "/arcs_under_edge_problem.col"), c3);
    EXPECT_EQ(hcp::ReadDimacs(kData + "/arcs_under_short_problem.dimacs"), c3);
    EXPECT_FALSE(hcp::ReadDimacs(kData + "/k4_col.col").Directed());
    // Through the reader every front end uses, by name and by content.
    EXPECT_EQ(hcp::ReadGraph(kData + "/circulant7_arcs.dimacs"), c7);
    const std::string unnamed = testing::TempDir() + "tourvane_arcs_without_extension";
    std::filesystem::copy_file(kData + "/circulant7_arcs.dimacs", unnamed,
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(hcp::ReadGraph(unnamed), c7);
    std::filesystem::remove(unnamed);
}

TEST(Dimacs, MissingFileIsAFileError)
{
    EXPECT_THROW(hcp::ReadDimacs(kData + "/no_such_file.col"), hcp::FileError);
    EXPECT_THROW(hcp::ReadDimacs(kData), hcp::FileError);
}

}  // namespace
