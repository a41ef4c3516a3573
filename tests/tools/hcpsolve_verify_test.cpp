// hcpsolve --verify: tours of this tool and of other programs checked
// against a graph, and every way a tour file can be wrong.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;

ToolRun Verify(const std::string& tour, std::vector<std::string> extra = {})
{
    TempDir dir;
    std::vector<std::string> args = {"--verify", kData + "/hexagon.hcp", kData + "/" + tour};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path());
}

}  // namespace

TEST(HcpsolveVerify, AcceptsHamiltonianToursInEitherLayout)
{
    for (const char* tour : {"hexagon_other_program.tour", "hexagon_crlf.tour"}) {
        const ToolRun run = Verify(tour);
        EXPECT_EQ(run.status, 0) << tour << run.err;
        EXPECT_EQ(run.out, kData + "/" + tour + ": HAMILTONIAN H=0 N=6 graph=" + kData + "/hexagon.hcp\n");
    }
}

TEST(HcpsolveVerify, NonEdgeLinksCountAsGaps)
{
    const ToolRun run = Verify("hexagon_non_edge.tour");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("NOT_HAMILTONIAN H=2"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("first gap 2-4"), std::string::npos) << run.out;
}

TEST(HcpsolveVerify, OrdersThatAreNoPermutationAreRejected)
{
    const ToolRun repeated = Verify("hexagon_repeated_node.tour");
    EXPECT_EQ(repeated.status, 1);
    EXPECT_NE(repeated.out.find("NOT_PERMUTATION"), std::string::npos) << repeated.out;
    EXPECT_NE(repeated.out.find("node 5 appears twice"), std::string::npos) << repeated.out;

    const ToolRun missing = Verify("hexagon_missing_node.tour");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("NOT_PERMUTATION"), std::string::npos) << missing.out;
}

TEST(HcpsolveVerify, MalformedToursGiveOneLineNamingFileAndLine)
{
    struct Case {
        const char* tour;
        const char* message;
    };
    const Case cases[] = {
        {"hexagon_truncated.tour", ":8: file ends before the -1 that closes TOUR_SECTION"},
        {"hexagon_node_out_of_range.tour", ":9: node 7 is outside 1..6"},
        {"hexagon_word_in_tour.tour", ":6: \"three\" is not a node number"},
        {"hexagon_no_tour_section.tour", ":4: EOF before TOUR_SECTION"},
        {"hexagon_wrong_dimension.tour", ": DIMENSION 7 does not match the 6 nodes"},
        {"no_such.tour", ": No such file or directory"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Verify(c.tour);
        EXPECT_EQ(run.status, 2) << c.tour;
        EXPECT_EQ(run.out, "") << c.tour;
        const auto lines = SplitLines(run.err);
        ASSERT_EQ(lines.size(), 1u) << run.err;
        const std::string expected = "hcpsolve: error: " + kData + "/" + c.tour + c.message;
        EXPECT_EQ(lines[0].rfind(expected, 0), 0u) << lines[0];
    }
}

TEST(HcpsolveVerify, GraphThatCannotBeReadIsAnError)
{
    TempDir dir;
    const ToolRun run = RunTool(HCPSOLVE_PROGRAM,
                                {"--verify", kData + "/node_out_of_range.hcp", kData + "/hexagon_crlf.tour"},
                                dir.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(SplitLines(run.err).size(), 1u) << run.err;
}

TEST(HcpsolveVerify, JsonVerdictLine)
{
    const ToolRun run = Verify("hexagon_non_edge.tour", {"--format", "json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"verdict\":\"NOT_HAMILTONIAN\",\"h\":2"), std::string::npos) << run.out;
}

// A tour answers a file only when it uses every edge the file fixes: the
// hexagon's one cycle skips its chord, so with the chord fixed that cycle is
// no answer, and with a side fixed it is.
TEST(HcpsolveVerify, ATourMustUseEveryFixedEdge)
{
    TempDir dir;
    const std::string tour = kData + "/hexagon_other_program.tour";
    const ToolRun skipped = RunTool(HCPSOLVE_PROGRAM, {"--verify", kData + "/hexagon_fixed_chord.hcp", tour}, dir.path());
    EXPECT_EQ(skipped.status, 1) << skipped.out << skipped.err;
    EXPECT_NE(skipped.out.find("NOT_HAMILTONIAN H=1"), std::string::npos) << skipped.out;
    EXPECT_NE(skipped.out.find("does not use the fixed edge 1 4"), std::string::npos) << skipped.out;

    const ToolRun kept = RunTool(HCPSOLVE_PROGRAM, {"--verify", kData + "/hexagon_fixed_side.hcp", tour}, dir.path());
    EXPECT_EQ(kept.status, 0) << kept.out << kept.err;
    EXPECT_NE(kept.out.find(": HAMILTONIAN H=0"), std::string::npos) << kept.out;
}
