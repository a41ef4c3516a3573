// Known answers of known families: traceable graphs without a cycle,
// trees, unbalanced complete bipartite graphs, de Bruijn digraphs and
// tournaments; and the reasons the proofs give, in the graph's own nodes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/graphfamilies.h"
#include "core/cyclecheck.h"
#include "solve/solver.h"

namespace {

using hcp::Graph;
using hcp::NodeId;
using hcp::Question;
using hcp::Verdict;

hcp::SolveResult Ask(const Graph& g, const Question& q, const std::string& method = "auto")
{
    hcp::SolveOptions o;
    o.question = q;
    hcp::SolveResult r = hcp::Solve(g, method, o);
    if (r.verdict == Verdict::Hamiltonian) {
        EXPECT_TRUE(hcp::CheckOrder(g, r.order, q).hamiltonian);
    }
    return r;
}

// A spider: a centre with three legs of the given lengths.
Graph Spider(NodeId a, NodeId b, NodeId c)
{
    std::vector<hcp::Edge> e;
    NodeId next = 1;
    for (NodeId len : {a, b, c}) {
        NodeId prev = 0;
        for (NodeId k = 0; k < len; ++k, ++next) {
            e.emplace_back(prev, next);
            prev = next;
        }
    }
    return Graph::FromEdges(next, e);
}

// de Bruijn digraph B(k, m): words of m letters over k, w -> w[1..] + c.
Graph DeBruijn(NodeId k, NodeId m)
{
    NodeId n = 1;
    for (NodeId i = 0; i < m; ++i) n *= k;
    std::vector<hcp::Edge> arcs;
    for (NodeId w = 0; w < n; ++w)
        for (NodeId c = 0; c < k; ++c) arcs.emplace_back(w, (w * k) % n + c);
    return Graph::FromArcs(n, arcs);
}

Graph RandomTournament(NodeId n, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    std::vector<hcp::Edge> arcs;
    for (NodeId u = 0; u < n; ++u)
        for (NodeId v = u + 1; v < n; ++v) arcs.push_back(rng() & 1 ? hcp::Edge{u, v} : hcp::Edge{v, u});
    return Graph::FromArcs(n, arcs);
}

TEST(PathFamilies, GeneralizedPetersenGraphsAreTraceableAndSomeHaveNoCycle)
{
    // GP(n, 2) has a Hamiltonian cycle unless n = 5 (mod 6); every one has a path.
    for (NodeId n = 5; n <= 17; ++n) {
        const Graph g = testgraphs::GeneralizedPetersen(n, 2);
        EXPECT_EQ(Ask(g, Question::Path()).verdict, Verdict::Hamiltonian) << "GP(" << n << ", 2)";
        EXPECT_EQ(Ask(g, Question::Cycle()).verdict, n % 6 == 5 ? Verdict::NoCycle : Verdict::Hamiltonian)
            << "GP(" << n << ", 2)";
    }
    for (const char* method : {"exact", "exist", "min", "optimize", "large"})
        EXPECT_EQ(Ask(testgraphs::Petersen(), Question::Path(), method).verdict, Verdict::Hamiltonian) << method;
}

TEST(PathFamilies, ATreeWithThreeLeavesHasNoPathAndTheProofNamesTheLeaves)
{
    for (const auto& legs : {std::array<NodeId, 3>{1, 1, 1}, {2, 3, 1}, {4, 4, 4}}) {
        const Graph t = Spider(legs[0], legs[1], legs[2]);
        const std::string leaves = "nodes " + std::to_string(legs[0] + 1) + ", " + std::to_string(legs[0] + legs[1] + 1)
                                   + " and " + std::to_string(legs[0] + legs[1] + legs[2] + 1);
        for (const char* method : {"auto", "exact", "exist", "large"}) {
            const hcp::SolveResult r = Ask(t, Question::Path(), method);
            EXPECT_EQ(r.verdict, Verdict::NoCycle) << method;
            EXPECT_EQ(r.reason, leaves + " have degree 1, and a path has two ends") << method;
            EXPECT_EQ(r.goal, hcp::Goal::Path);
        }
    }
    // Three triangles on one node: no leaf, but three pieces without it.
    const Graph windmill = Graph::FromEdges(7, std::vector<hcp::Edge>{{0, 1}, {1, 2}, {2, 0}, {0, 3}, {3, 4}, {4, 0}, {0, 5}, {5, 6}, {6, 0}});
    EXPECT_EQ(Ask(windmill, Question::Path()).reason, "removing node 1 leaves 3 components");
    // A path (two leaves) is its own Hamiltonian path, between its leaves only.
    const Graph p = Spider(3, 2, 0);
    EXPECT_EQ(Ask(p, Question::PathBetween(3, 5)).verdict, Verdict::Hamiltonian);
    const hcp::SolveResult inner = Ask(p, Question::PathFrom(0));
    EXPECT_EQ(inner.verdict, Verdict::NoCycle);
    EXPECT_EQ(inner.reason, "nodes 4 and 6 have degree 1, and a path from node 1 has one other end");
    // Two triangles on one node: a path through both cannot end there.
    const Graph bowtie = Graph::FromEdges(5, std::vector<hcp::Edge>{{0, 1}, {1, 2}, {2, 0}, {0, 3}, {3, 4}, {4, 0}});
    EXPECT_EQ(Ask(bowtie, Question::Path()).verdict, Verdict::Hamiltonian);
    EXPECT_EQ(Ask(bowtie, Question::PathFrom(0)).reason, "removing node 1, an end of the path, leaves 2 components");
    EXPECT_EQ(Ask(bowtie, Question::PathBetween(1, 2)).reason,
              "removing node 1 leaves 2 components, and both ends of the path lie in one");
    EXPECT_EQ(Ask(bowtie, Question::PathBetween(1, 3)).verdict, Verdict::Hamiltonian);
}

TEST(PathFamilies, UnbalancedCompleteBipartiteGraphsHavePathsBetweenLargerSideNodesOnly)
{
    for (NodeId a = 1; a <= 5; ++a) {
        // Nodes 0..a-1 form the smaller side, a..2a the larger.
        const Graph g = testgraphs::CompleteBipartite(a, a + 1);
        const NodeId n = 2 * a + 1;
        for (NodeId s = 0; s < n; ++s)
            for (NodeId t = s + 1; t < n; ++t) {
                const bool bothLarge = s >= a && t >= a;
                const hcp::SolveResult r = Ask(g, Question::PathBetween(s, t));
                EXPECT_EQ(r.verdict, bothLarge ? Verdict::Hamiltonian : Verdict::NoCycle)
                    << "K(" << a << ", " << a + 1 << ") from " << s + 1 << " to " << t + 1;
                if (!bothLarge && a >= 2) {
                    EXPECT_NE(r.reason.find("bipartite with sides of " + std::to_string(a + 1)), std::string::npos)
                        << r.reason;
                }
            }
        EXPECT_EQ(Ask(g, Question::Path()).verdict, Verdict::Hamiltonian);
        EXPECT_EQ(Ask(g, Question::Cycle()).verdict, Verdict::NoCycle);
    }
    const hcp::SolveResult wide = Ask(testgraphs::CompleteBipartite(2, 5), Question::Path());
    EXPECT_EQ(wide.verdict, Verdict::NoCycle);
    EXPECT_EQ(wide.reason, "the graph is bipartite with sides of 5 and 2 nodes, and a path alternates between them");
}

TEST(PathFamilies, LargerGraphsAskForACycleFirstAndStillAnswerThePathQuestion)
{
    // K(33, 34): no cycle, so the path comes from the form; its ends lie on
    // the larger side (nodes 34..67).
    const Graph k = testgraphs::CompleteBipartite(33, 34);
    const hcp::SolveResult large = Ask(k, Question::PathFrom(40));
    EXPECT_EQ(large.verdict, Verdict::Hamiltonian);
    EXPECT_EQ(large.order.front(), 40u);
    EXPECT_EQ(Ask(k, Question::PathFrom(3)).verdict, Verdict::NoCycle);
    EXPECT_EQ(Ask(k, Question::Path(), "exact").verdict, Verdict::Hamiltonian);
    // A Hamiltonian grid: the cycle found is opened at the given node.
    const Graph grid = testgraphs::Grid(10, 12);
    for (const char* method : {"auto", "exact", "exist", "large"}) {
        const hcp::SolveResult r = Ask(grid, Question::PathFrom(57), method);
        EXPECT_EQ(r.verdict, Verdict::Hamiltonian) << method;
        if (!r.order.empty()) {
            EXPECT_EQ(r.order.front(), 57u) << method;
        }
    }
}

TEST(PathFamilies, ACycleOpenedIntoAPathKeepsTheFixedEdges)
{
    // The 70-cycle has one Hamiltonian cycle; opened at node 1 it must keep
    // the fixed edge 1-2, and with both 1-2 and 1-70 fixed no path starts
    // at node 1 at all.
    std::vector<hcp::Edge> ring;
    for (NodeId v = 0; v < 70; ++v) ring.emplace_back(v, (v + 1) % 70);
    Graph one = Graph::FromEdges(70, ring);
    one.SetFixedEdges({{0, 1}});
    Graph both = one;
    both.SetFixedEdges({{0, 1}, {0, 69}});
    for (const char* method : {"auto", "exact", "exist"}) {
        const hcp::SolveResult from = Ask(one, Question::PathFrom(0), method);
        EXPECT_EQ(from.verdict, Verdict::Hamiltonian) << method;
        if (!from.order.empty()) {
            EXPECT_EQ(from.order[1], 1u) << method;
        }
        EXPECT_EQ(Ask(one, Question::Path(), method).verdict, Verdict::Hamiltonian) << method;
        EXPECT_NE(Ask(both, Question::PathFrom(0), method).verdict, Verdict::Hamiltonian) << method;
    }
    EXPECT_EQ(Ask(both, Question::PathFrom(0)).verdict, Verdict::NoCycle);
    EXPECT_EQ(Ask(both, Question::Path()).verdict, Verdict::Hamiltonian);
}

TEST(DigraphFamilies, DeBruijnDigraphsAreHamiltonian)
{
    for (const auto& [k, m] : {std::pair<NodeId, NodeId>{2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {2, 7}, {3, 2}, {3, 3}, {3, 4}})
        for (const char* method : {"auto", "exact"}) {
            const Graph b = DeBruijn(k, m);
            const hcp::SolveResult r = Ask(b, Question::Cycle(), method);
            EXPECT_EQ(r.verdict, Verdict::Hamiltonian) << "B(" << k << ", " << m << ") by " << method;
            // Reversing a directed cycle of this digraph is no cycle of it.
            std::vector<NodeId> back(r.order.rbegin(), r.order.rend());
            if (b.NodeCount() > 2) {
                EXPECT_FALSE(hcp::CheckCycle(b, back).hamiltonian);
            }
        }
}

TEST(DigraphFamilies, EveryTournamentHasAPathAndTheStrongOnesACycle)
{
    int strong = 0;
    for (NodeId n = 2; n <= 40; n += 2)
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            const Graph t = RandomTournament(n, seed * 100 + n);
            EXPECT_EQ(Ask(t, Question::Path()).verdict, Verdict::Hamiltonian) << n << " nodes, seed " << seed;
            // Camion: a tournament has a Hamiltonian cycle exactly when it
            // is strongly connected; the proofs say when it is not.
            const hcp::SolveResult c = Ask(t, Question::Cycle());
            ASSERT_NE(c.verdict, Verdict::Unknown);
            if (c.verdict == Verdict::Hamiltonian) ++strong;
            else EXPECT_TRUE(c.reason.find("cannot be reached") != std::string::npos
                             || c.reason.find("no arc") != std::string::npos) << c.reason;
        }
    EXPECT_GT(strong, 10);
}

TEST(DigraphFamilies, TheProofsSayWhyInTheDigraphsOwnNodes)
{
    // 1 -> 2 -> 3 -> 1 and 4 -> 1: node 4 has no arc in.
    const Graph d = Graph::FromArcs(4, std::vector<hcp::Edge>{{0, 1}, {1, 2}, {2, 0}, {3, 0}});
    EXPECT_EQ(Ask(d, Question::Cycle()).reason, "node 4 has no arc in");
    EXPECT_EQ(Ask(d, Question::Cycle(), "exist").reason, "node 4 has no arc in");
    EXPECT_EQ(Ask(d, Question::Path()).verdict, Verdict::Hamiltonian);
    const hcp::SolveResult late = Ask(d, Question::PathFrom(0));
    EXPECT_EQ(late.verdict, Verdict::NoCycle);
    EXPECT_EQ(late.reason, "node 4 has no arc in, and only the first node of a path may have none");
    // Two triangles joined by one arc: strongly connected only one way.
    const Graph two = Graph::FromArcs(6, std::vector<hcp::Edge>{{0, 1}, {1, 2}, {2, 0}, {3, 4}, {4, 5}, {5, 3}, {2, 3}});
    EXPECT_EQ(Ask(two, Question::Cycle()).reason, "node 1 cannot be reached from node 4");
    EXPECT_EQ(Ask(two, Question::PathFrom(0)).verdict, Verdict::Hamiltonian);
    EXPECT_EQ(Ask(two, Question::PathFrom(3)).reason, "node 4, the first node, cannot reach node 1");
    // Nodes 2, 3, 4 have node 1 as their only successor: Hall's condition
    // fails (the proof names two of them, which is enough).
    const Graph hall = Graph::FromArcs(5, std::vector<hcp::Edge>{{1, 0}, {2, 0}, {3, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {4, 1}});
    EXPECT_EQ(Ask(hall, Question::Cycle()).reason,
              "nodes 2 and 3 have only node 1 as successors, so no set of disjoint cycles covers every node");
}

TEST(PathFamilies, KnightBoardsHavePathsFromACornerByEveryMethod)
{
    // 5 x 5 has an open knight's tour from a corner but no closed one.
    std::vector<hcp::Edge> e;
    const int w = 5;
    for (int r = 0; r < w; ++r)
        for (int c = 0; c < w; ++c)
            for (auto [dr, dc] : {std::pair{1, 2}, {2, 1}, {2, -1}, {1, -2}}) {
                const int r2 = r + dr, c2 = c + dc;
                if (r2 < w && c2 >= 0 && c2 < w)
                    e.emplace_back(static_cast<NodeId>(r * w + c), static_cast<NodeId>(r2 * w + c2));
            }
    const Graph board = Graph::FromEdges(25, e);
    EXPECT_EQ(Ask(board, Question::Cycle()).verdict, Verdict::NoCycle);
    for (const char* method : {"auto", "exact", "exist", "optimize", "large"}) {
        const hcp::SolveResult r = Ask(board, Question::PathFrom(0), method);
        EXPECT_EQ(r.verdict, Verdict::Hamiltonian) << method;
        if (!r.order.empty()) {
            EXPECT_EQ(r.order.front(), 0u) << method;
        }
    }
}

}  // namespace
