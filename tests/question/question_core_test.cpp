// The pieces under the path and digraph answers: the directed graph type,
// the one check of an order against a question, what makes a question
// unfit for a graph, and the forms that carry a question to a method and
// their answers back.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "common/pathtruth.h"
#include "core/cyclecheck.h"
#include "core/question.h"
#include "exact/exactsearch.h"
#include "graph/bitgraph.h"
#include "solve/questionforms.h"
#include "solve/solver.h"

namespace {

using hcp::Edge;
using hcp::Graph;
using hcp::NodeId;
using hcp::Question;

TEST(Digraph, KeepsArcsWithTheirDirectionAndBothRows)
{
    const Graph d = Graph::FromArcs(4, std::vector<Edge>{{0, 1}, {1, 0}, {1, 2}, {1, 2}, {3, 3}, {2, 3}});
    EXPECT_TRUE(d.Directed());
    EXPECT_EQ(d.EdgeCount(), 4u);   // the repeat and the loop are gone
    EXPECT_TRUE(d.HasEdge(1, 2));
    EXPECT_FALSE(d.HasEdge(2, 1));
    EXPECT_EQ(std::vector<NodeId>(d.InNeighbors(1).begin(), d.InNeighbors(1).end()), std::vector<NodeId>{0});
    EXPECT_EQ(d.InDegree(3), 1u);
    EXPECT_EQ(d.Degree(3), 0u);
    EXPECT_EQ(d.Edges(), (std::vector<Edge>{{0, 1}, {1, 0}, {1, 2}, {2, 3}}));
    const Graph u = d.Underlying();
    EXPECT_FALSE(u.Directed());
    EXPECT_EQ(u.EdgeCount(), 3u);
    EXPECT_NE(d, u);
    EXPECT_THROW(Graph::FromArcs(2, std::vector<Edge>{{0, 2}}), std::invalid_argument);
    EXPECT_THROW((void)d.ToBitGraph(), std::invalid_argument);
    Graph fixed = d;
    EXPECT_THROW(fixed.SetFixedEdges({{2, 1}}), std::invalid_argument);   // 2 -> 1 is no arc
    fixed.SetFixedEdges({{1, 2}});
    EXPECT_EQ(fixed.FixedEdges(), (std::vector<Edge>{{1, 2}}));
}

TEST(OrderCheck, PathsHaveNoClosingLinkAndKeepTheirEnds)
{
    // The path 1 - 2 - 3 - 4: no edge 4 - 1.
    const Graph p = Graph::FromEdges(4, std::vector<Edge>{{0, 1}, {1, 2}, {2, 3}});
    const std::vector<NodeId> order{0, 1, 2, 3};
    EXPECT_FALSE(hcp::CheckCycle(p, order).hamiltonian);
    EXPECT_TRUE(hcp::CheckOrder(p, order, Question::Path()).hamiltonian);
    EXPECT_TRUE(hcp::CheckOrder(p, order, Question::PathBetween(0, 3)).hamiltonian);
    const hcp::CycleCheck wrong = hcp::CheckOrder(p, order, Question::PathFrom(3));
    EXPECT_FALSE(wrong.hamiltonian);
    EXPECT_EQ(wrong.gaps, 1);
    EXPECT_EQ(wrong.problem, "the path starts at node 1, not 4");
    // A fixed edge may not be the missing closing link of a path.
    Graph c4 = Graph::FromEdges(4, std::vector<Edge>{{0, 1}, {1, 2}, {2, 3}, {3, 0}});
    c4.SetFixedEdges({{0, 3}});
    EXPECT_TRUE(hcp::CheckCycle(c4, order).hamiltonian);
    EXPECT_FALSE(hcp::CheckOrder(c4, order, Question::Path()).hamiltonian);
    EXPECT_TRUE(hcp::CheckOrder(c4, std::vector<NodeId>{1, 2, 3, 0}, Question::Path()).hamiltonian);
    // One node is a path, and no cycle.
    const Graph one = Graph::FromEdges(1, {});
    EXPECT_TRUE(hcp::CheckOrder(one, std::vector<NodeId>{0}, Question::Path()).hamiltonian);
    EXPECT_FALSE(hcp::CheckCycle(one, std::vector<NodeId>{0}).hamiltonian);
}

TEST(OrderCheck, DirectedOrdersFollowTheArcs)
{
    const Graph d = Graph::FromArcs(3, std::vector<Edge>{{0, 1}, {1, 2}, {2, 0}});
    EXPECT_TRUE(hcp::CheckCycle(d, std::vector<NodeId>{0, 1, 2}).hamiltonian);
    EXPECT_EQ(hcp::CheckCycle(d, std::vector<NodeId>{0, 2, 1}).gaps, 3);
    EXPECT_TRUE(hcp::CheckOrder(d, std::vector<NodeId>{1, 2, 0}, Question::PathFrom(1)).hamiltonian);
    EXPECT_FALSE(hcp::CheckOrder(d, std::vector<NodeId>{2, 1, 0}, Question::Path()).hamiltonian);
    // Two nodes with both arcs make a directed cycle; one arc does not.
    EXPECT_TRUE(hcp::CheckCycle(Graph::FromArcs(2, std::vector<Edge>{{0, 1}, {1, 0}}), std::vector<NodeId>{0, 1}).hamiltonian);
    EXPECT_FALSE(hcp::CheckCycle(Graph::FromArcs(2, std::vector<Edge>{{0, 1}}), std::vector<NodeId>{0, 1}).hamiltonian);
}

TEST(Digraph, ThePortfolioCalledDirectlyTakesTheDigraphSearch)
{
    // A caller that runs the complete method's object itself, as the
    // benchmarks do, gets the answer along the arcs, never an undirected one.
    const Graph one = Graph::FromArcs(3, std::vector<Edge>{{0, 1}, {1, 2}, {2, 0}});
    const Graph path = Graph::FromArcs(3, std::vector<Edge>{{0, 1}, {1, 2}, {0, 2}});
    hcp::ExactSearch search;
    const hcp::SolveResult r = search.Run(one, {});
    EXPECT_EQ(r.verdict, hcp::Verdict::Hamiltonian);
    EXPECT_TRUE(hcp::CheckCycle(one, r.order).hamiltonian);
    EXPECT_EQ(search.Run(path, {}).verdict, hcp::Verdict::NoCycle);
}

TEST(Questions, UnfitQuestionsAreRefusedWithTheirProblem)
{
    const Graph g = Graph::FromEdges(5, std::vector<Edge>{{0, 1}});
    EXPECT_EQ(hcp::QuestionProblem(g, Question::PathBetween(0, 7)), "node 8 is outside 1..5");
    EXPECT_EQ(hcp::QuestionProblem(g, Question::PathBetween(2, 2)), "a path needs two different ends");
    EXPECT_EQ(hcp::QuestionProblem(g, Question::PathFrom(4)), "");
    EXPECT_EQ(hcp::QuestionText(Question::PathBetween(0, 4)), "a Hamiltonian path from node 1 to node 5");
    hcp::SolveOptions o;
    o.question = Question::PathFrom(9);
    EXPECT_THROW(hcp::Solve(g, "auto", o), std::invalid_argument);
    EXPECT_EQ(hcp::VerdictWord(hcp::Verdict::NoCycle, hcp::Goal::Path), "NO_PATH");
    EXPECT_EQ(hcp::VerdictWord(hcp::Verdict::NoCycle, hcp::Goal::Cycle), "NO_CYCLE");
}

TEST(QuestionForms, AnyOrderOfAFormMapsToAnOrderOfTheCallersNodes)
{
    const Graph g = testgraphs::RandomDigraph(9, 0.3, 7);
    const Graph u = g.Underlying();
    for (const Question& q : {Question::Path(), Question::PathFrom(4), Question::PathBetween(2, 6)})
        for (const Graph* h : {&g, &u}) {
            const hcp::PathForm form(*h, q);
            std::vector<NodeId> order(form.Cycles().NodeCount());
            for (NodeId i = 0; i < order.size(); ++i) order[i] = (i * 5) % static_cast<NodeId>(order.size());
            if (order.size() % 5 == 0) continue;
            const std::vector<NodeId> path = form.ToPath(order);
            EXPECT_TRUE(hcp::CheckOrder(*h, path, q).permutation) << hcp::QuestionText(q);
        }
    const hcp::SplitForm split(g);
    EXPECT_EQ(split.Undirected().NodeCount(), 27u);
    EXPECT_EQ(split.Undirected().EdgeCount(), 18u + g.EdgeCount());
    // A cycle of the digraph, out to the form and back, in either direction.
    const Graph ring = Graph::FromArcs(4, std::vector<Edge>{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}});
    const hcp::SplitForm ringForm(ring);
    std::vector<NodeId> there = ringForm.FromCycle(std::vector<NodeId>{2, 3, 0, 1});
    EXPECT_TRUE(hcp::CheckCycle(ringForm.Undirected(), there).hamiltonian);
    EXPECT_EQ(ringForm.ToCycle(there), (std::vector<NodeId>{2, 3, 0, 1}));
    std::reverse(there.begin(), there.end());
    EXPECT_TRUE(hcp::CheckCycle(ring, ringForm.ToCycle(there)).hamiltonian);
}

}  // namespace
