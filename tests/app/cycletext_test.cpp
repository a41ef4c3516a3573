// Cycle texts: the title line and the parsing of typed cycles.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "cycle/cycle.h"
#include "cycletext.h"

namespace {

int Parse(const std::string& text, std::list<short>& out)
{
    return app::ParseCycleText(text, out);
}

TEST(CycleTitle, OfATriangleInOrder)
{
    const std::vector<hcp::Edge> edges{{0, 1}, {1, 2}, {0, 2}};
    const hcp::Graph g = hcp::Graph::FromEdges(3, edges);
    const std::vector<hcp::NodeId> order{0, 1, 2};
    EXPECT_EQ(app::CycleTitle(g, order, 0), "(H=0): {1 2 3 1}");
}

TEST(CycleTitle, AgreesWithTheLegacyCycleString)
{
    // The legacy classes' own cycle string is the reference: random sparse
    // graphs, random orders, a lone node and a pair.
    std::uint64_t state = 12345;
    auto next = [&](std::uint64_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % bound;
    };
    for (int trial = 0; trial < 40; ++trial) {
        const short n = static_cast<short>(1 + next(12));
        CCycle c(n);
        c = true;
        for (int k = 0; k < 2 * n; ++k) {
            const short u = static_cast<short>(1 + next(n)), v = static_cast<short>(1 + next(n));
            if (u != v)
                c.SetEdge(u, v);
        }
        std::vector<short> perm(n);
        for (short i = 0; i < n; ++i)
            perm[i] = static_cast<short>(i + 1);
        for (short i = n - 1; i > 0; --i)
            std::swap(perm[i], perm[next(i + 1)]);
        std::list<short> path(perm.begin(), perm.end());
        c.Restore(&path);
        std::vector<hcp::NodeId> order;
        for (short v : perm)
            order.push_back(static_cast<hcp::NodeId>(v - 1));
        const std::string legacy = c.MakeString();   // "\n(H): {...}"
        EXPECT_EQ(app::CycleTitle(hcp::Graph::FromBitGraph(c), order, c.CalcPathLen()),
                  "(H=" + legacy.substr(2))
            << trial;
    }
}

TEST(CycleTitle, ALongOrderEndsWhereNoScreenShowsMore)
{
    // A path of 100,000 nodes: the title stops soon after 50 characters.
    std::vector<hcp::Edge> edges;
    for (hcp::NodeId v = 0; v + 1 < 100000; ++v)
        edges.emplace_back(v, v + 1);
    const hcp::Graph g = hcp::Graph::FromEdges(100000, edges);
    std::vector<hcp::NodeId> order(100000);
    for (hcp::NodeId v = 0; v < 100000; ++v)
        order[v] = v;
    const std::string title = app::CycleTitle(g, order, 1, 50);
    EXPECT_EQ(title.rfind("(H=1): {1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", 0), 0u) << title;
    EXPECT_LE(title.size(), 50u + 7 + 3);
    EXPECT_EQ(title.substr(title.size() - 3), "...");
    // The whole title of the same order ends with the gap back to node 1.
    const std::string whole = app::CycleTitle(g, order, 1);
    EXPECT_EQ(whole.substr(whole.size() - 10), " 100000=1}");
}

TEST(CycleTitle, SmallGraphShowsItsDimension)
{
    EXPECT_EQ(app::DimensionTitle(1), "(N=1)");
    EXPECT_EQ(app::DimensionTitle(0), "(N=0)");
}

TEST(ParseCycleText, BracedListsWithOrWithoutBlanks)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 2 3 }", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 2, 3}));
    EXPECT_EQ(Parse("{1 2 3}", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 2, 3}));
}

TEST(ParseCycleText, MissingOrReversedBracesAreErrorsAndKeepTheList)
{
    std::list<short> l{7, 8};
    EXPECT_EQ(Parse("1 2 3", l), -1);
    EXPECT_EQ(Parse("} 1 2 3 {", l), -1);
    EXPECT_EQ(Parse("{ 1 2 3", l), -1);
    EXPECT_EQ(l, (std::list<short>{7, 8}));
}

TEST(ParseCycleText, ZeroAndNegativeValuesAreSkipped)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 2 0 3 }", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 2, 3}));
    EXPECT_EQ(Parse("{ -4 5 }", l), 1);
}

TEST(ParseCycleText, ReadingStopsAtTheFirstNonNumber)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 2 x 3 }", l), 2);
    EXPECT_EQ(l, (std::list<short>{1, 2}));
    EXPECT_EQ(Parse("{ 1 70000 3 }", l), 1);
}

TEST(ParseCycleText, TextOutsideTheBracesIsIgnored)
{
    std::list<short> l;
    EXPECT_EQ(Parse("cycle { 2 1 3 } and 4 5", l), 3);
    EXPECT_EQ(l, (std::list<short>{2, 1, 3}));
}

TEST(ParseCycleText, EmptyBracesGiveAnEmptyList)
{
    std::list<short> l{1};
    EXPECT_EQ(Parse("{ }", l), 0);
    EXPECT_TRUE(l.empty());
}

TEST(ParseCycleText, DuplicatesPassUnchanged)
{
    std::list<short> l;
    EXPECT_EQ(Parse("{ 1 1 2 }", l), 3);
    EXPECT_EQ(l, (std::list<short>{1, 1, 2}));
}

}  // namespace
