// Recognising a leaper board from the graph: every small board with moves
// is found again (as a shape whose board is that very graph), knight boards
// whatever their file is called, the file's NAME as a hint, and graphs that
// are no board in this numbering (a relabelled knight board, Petersen,
// cycles) are not claimed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <vector>

#include "core/leapergraph.h"
#include "core/leaperrecognise.h"
#include "io/hcpreader.h"
#include "io/hcpsave.h"
#include "solve_test_graphs.h"

namespace fs = std::filesystem;
using hcp::Graph;
using hcp::LeaperShape;
using hcp::NodeId;

namespace {

Graph Relabelled(const Graph& g, unsigned seed)
{
    std::vector<NodeId> label(g.NodeCount());
    std::iota(label.begin(), label.end(), 0);
    std::shuffle(label.begin(), label.end(), std::mt19937(seed));
    std::vector<hcp::Edge> edges;
    for (const auto& [u, v] : g.Edges()) edges.emplace_back(label[u], label[v]);
    return Graph::FromEdges(g.NodeCount(), edges);
}

}  // namespace

TEST(LeaperRecognise, EverySmallBoardWithMovesIsFoundAgain)
{
    for (int a = 0; a <= 3; ++a)
        for (int b = a; b <= 4; ++b)
            for (int m = 1; m <= 6; ++m)
                for (int n = 1; n <= 6; ++n) {
                    const Graph g = hcp::LeaperGraph(a, b, m, n);
                    const auto found = hcp::RecogniseLeaper(g);
                    if (g.EdgeCount() == 0) {
                        EXPECT_FALSE(found) << a << "," << b << " on " << m << "x" << n;
                        continue;
                    }
                    ASSERT_TRUE(found) << a << "," << b << " on " << m << "x" << n;
                    EXPECT_EQ(hcp::LeaperGraph(found->a, found->b, found->m, found->n), g)
                        << a << "," << b << " on " << m << "x" << n;
                    EXPECT_LE(found->a, found->b);
                }
}

TEST(LeaperRecognise, AKnightBoardSavedUnderAnyNameIsRecognised)
{
    const fs::path dir = fs::temp_directory_path() / ("tourvane-recognise-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    for (const auto& [m, n] : std::vector<std::pair<int, int>>{{8, 8}, {30, 30}, {6, 9}, {200, 200}}) {
        const std::string path = (dir / "board.hcp").string();
        hcp::SaveHcp(path, solvetest::Knight(m, n), {"board.hcp", "Hamiltonian cycle problem"});
        const Graph read = hcp::ReadHcpGraph(path);
        const auto found = hcp::RecogniseLeaper(read, read.Name());
        ASSERT_TRUE(found) << m << "x" << n;
        EXPECT_EQ(*found, (LeaperShape{1, 2, m, n}));
    }
    fs::remove_all(dir);
}

TEST(LeaperRecognise, TheNameIsAHintTakenAsWrittenWhenItFits)
{
    const Graph knight = hcp::LeaperGraph(1, 2, 8, 8);
    EXPECT_EQ(hcp::RecogniseLeaper(knight, "some/dir/leaper_2_1_8_8.hcp"), (LeaperShape{2, 1, 8, 8}));
    EXPECT_EQ(hcp::RecogniseLeaper(knight, "leaper_2_1_8_8"), (LeaperShape{2, 1, 8, 8}));
    // A name that does not fit the graph is ignored, not believed.
    EXPECT_EQ(hcp::RecogniseLeaper(knight, "leaper_1_2_4_16.hcp"), (LeaperShape{1, 2, 8, 8}));
    EXPECT_EQ(hcp::RecogniseLeaper(knight, "leaper_1_2_8"), (LeaperShape{1, 2, 8, 8}));
    EXPECT_EQ(hcp::RecogniseLeaper(knight, "leaper_1_2_8_8x"), (LeaperShape{1, 2, 8, 8}));
    // A board without moves is only a board by its name.
    const Graph none = hcp::LeaperGraph(1, 2, 2, 2);
    EXPECT_FALSE(hcp::RecogniseLeaper(none));
    EXPECT_EQ(hcp::RecogniseLeaper(none, "leaper_1_2_2_2.hcp"), (LeaperShape{1, 2, 2, 2}));
    EXPECT_FALSE(hcp::RecogniseLeaper(none, "leaper_1_2_1_3.hcp")) << "1 x 3 has 3 squares, not 4";
}

TEST(LeaperRecognise, GridsFindTheirOwnRowLength)
{
    EXPECT_EQ(hcp::RecogniseLeaper(hcp::LeaperGraph(0, 1, 5, 7)), (LeaperShape{0, 1, 5, 7}));
    EXPECT_EQ(hcp::RecogniseLeaper(hcp::LeaperGraph(1, 0, 7, 5)), (LeaperShape{0, 1, 7, 5}));
    EXPECT_EQ(hcp::RecogniseLeaper(hcp::LeaperGraph(0, 1, 30, 30), "grid.hcp"), (LeaperShape{0, 1, 30, 30}));
}

TEST(LeaperRecognise, GraphsThatAreNoBoardInTheirNumberingAreNotClaimed)
{
    const Graph knight = hcp::LeaperGraph(1, 2, 8, 8);
    for (unsigned seed = 1; seed <= 10; ++seed) {
        EXPECT_FALSE(hcp::RecogniseLeaper(Relabelled(knight, seed))) << seed;
        EXPECT_FALSE(hcp::RecogniseLeaper(Relabelled(knight, seed), "leaper_1_2_8_8.hcp")) << seed;
    }
    EXPECT_FALSE(hcp::RecogniseLeaper(solvetest::Petersen()));
    EXPECT_FALSE(hcp::RecogniseLeaper(solvetest::GeneralizedPetersen(12, 5)));
    for (NodeId n : {3u, 4u, 12u, 36u}) EXPECT_FALSE(hcp::RecogniseLeaper(solvetest::Cycle(n))) << n;
    EXPECT_FALSE(hcp::RecogniseLeaper(Graph()));
    // One move too many or too few.
    std::vector<hcp::Edge> edges = knight.Edges();
    edges.pop_back();
    EXPECT_FALSE(hcp::RecogniseLeaper(Graph::FromEdges(64, edges)));
    edges.push_back({0, 63});
    EXPECT_FALSE(hcp::RecogniseLeaper(Graph::FromEdges(64, edges)));
}
