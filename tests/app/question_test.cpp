// The path question as the user types and reads it: path ends, the title
// of a path, the outcome of a path solve and of an F5 that does not take
// the question, and the scripted export's path options.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/cyclecheck.h"
#include "core/result.h"
#include "cycletext.h"
#include "outcome.h"
#include "pathends.h"
#include "scriptexport.h"

namespace {

bool Has(const std::string& s, const std::string& part)
{
    return s.find(part) != std::string::npos;
}

TEST(PathEnds, FreeOneOrTwoEndsReadBackAsTyped)
{
    hcp::Question q;
    EXPECT_EQ(app::ParsePathEnds("", 10, q), "");
    EXPECT_EQ(q, hcp::Question::Path());
    EXPECT_EQ(app::ParsePathEnds("  3 ", 10, q), "");
    EXPECT_EQ(q, hcp::Question::PathFrom(2));
    EXPECT_EQ(app::ParsePathEnds("3,7", 10, q), "");
    EXPECT_EQ(q, hcp::Question::PathBetween(2, 6));
    EXPECT_EQ(app::ParsePathEnds("10 , 1", 10, q), "");
    EXPECT_EQ(q, hcp::Question::PathBetween(9, 0));
    // What is shown is what is read back.
    for (const hcp::Question& asked :
         {hcp::Question::Path(), hcp::Question::PathFrom(4), hcp::Question::PathBetween(0, 9)}) {
        hcp::Question back;
        EXPECT_EQ(app::ParsePathEnds(app::PathEndsText(asked), 10, back), "");
        EXPECT_EQ(back, asked);
    }
    EXPECT_EQ(app::PathEndsText(hcp::Question::Cycle()), "");
}

TEST(PathEnds, RefusalsNameTheProblemAndLeaveTheQuestion)
{
    const hcp::Question before = hcp::Question::PathFrom(1);
    hcp::Question q = before;
    EXPECT_EQ(app::ParsePathEnds("11", 10, q), "node 11 is outside 1..10");
    EXPECT_EQ(app::ParsePathEnds("0 3", 10, q), "node 0 is outside 1..10");
    EXPECT_EQ(app::ParsePathEnds("3 3", 10, q), "a path needs two different ends");
    EXPECT_EQ(app::ParsePathEnds("1 2 3", 10, q), "a path has two ends; give at most two nodes");
    EXPECT_EQ(app::ParsePathEnds("3x", 10, q), "'3x' is not a node number");
    EXPECT_EQ(app::ParsePathEnds("-2", 10, q), "'-2' is not a node number");
    EXPECT_EQ(app::ParsePathEnds("99999999999999999999", 10, q), "'99999999999999999999' is not a node number");
    EXPECT_EQ(q, before);
}

TEST(PathEnds, TheQuestionLineSaysWhatIsAsked)
{
    EXPECT_EQ(app::QuestionLine(hcp::Question::Cycle()), "Question: a Hamiltonian cycle");
    EXPECT_EQ(app::QuestionLine(hcp::Question::PathBetween(2, 6)),
              "Question: a Hamiltonian path from node 3 to node 7");
}

TEST(PathTitle, HasNoClosingLinkAndMarksGapsAsTheCheckCountsThem)
{
    // The path 1-2-3-4 with the chord 1-3.
    const std::vector<hcp::Edge> edges{{0, 1}, {1, 2}, {2, 3}, {0, 2}};
    const hcp::Graph g = hcp::Graph::FromEdges(4, edges);
    const std::vector<hcp::NodeId> path{0, 1, 2, 3};
    EXPECT_EQ(app::PathTitle(g, path, 0), "Path (H=0): 1 2 3 4");
    // As a cycle the same order has the gap 4-1.
    EXPECT_EQ(app::CycleTitle(g, path, 1), "(H=1): {1 2 3 4=1}");
    const std::vector<hcp::NodeId> broken{1, 3, 2, 0};
    const int h = hcp::CheckOrder(g, broken, hcp::Question::Path()).gaps;
    const std::string title = app::PathTitle(g, broken, h);
    EXPECT_EQ(title, "Path (H=1): 2=4 3 1");
    const std::string links = title.substr(title.find(':'));
    EXPECT_EQ(std::count(links.begin(), links.end(), '='), h);
    // In a directed graph a link is a gap unless the arc runs its way.
    const std::vector<hcp::Edge> arcs{{0, 1}, {2, 1}};
    const hcp::Graph d = hcp::Graph::FromArcs(3, arcs);
    const std::vector<hcp::NodeId> along{0, 1, 2};
    EXPECT_EQ(app::PathTitle(d, along, 1), "Path (H=1): 1 2=3");
    // Long paths end with "...".
    std::vector<hcp::NodeId> many(1000);
    for (hcp::NodeId v = 0; v < 1000; ++v)
        many[v] = v;
    const std::string cut = app::PathTitle(hcp::Graph::FromEdges(1000, {}), many, 999, 60);
    EXPECT_LE(cut.size(), 64u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
}

TEST(Outcome, APathSolveIsWordedAsAPath)
{
    hcp::SolveResult r;
    r.goal = hcp::Goal::Path;
    r.verdict = hcp::Verdict::Hamiltonian;
    r.gaps = 0;
    r.seconds = 0.031;
    app::Outcome o = app::SolveOutcome(r);
    EXPECT_TRUE(o.question.IsPath());
    EXPECT_EQ(app::OutcomeText(o), "Hamiltonian path found (H=0) in 0.03 s");
    r.verdict = hcp::Verdict::NoCycle;
    r.reason = "4 nodes have degree 1";
    o = app::SolveOutcome(r);
    EXPECT_EQ(app::OutcomeText(o), "No Hamiltonian path: 4 nodes have degree 1");
    o.question = hcp::Question::PathBetween(2, 6);
    EXPECT_EQ(app::OutcomeText(o), "No Hamiltonian path from node 3 to node 7: 4 nodes have degree 1");
    r.verdict = hcp::Verdict::Unknown;
    r.reason.clear();
    r.gaps = 2;
    r.method = "auto";
    o = app::SolveOutcome(r);
    const std::string undecided = app::OutcomeText(o);
    EXPECT_TRUE(Has(undecided, "No path found (H=2)")) << undecided;
    EXPECT_TRUE(Has(undecided, "could not decide whether the graph has a Hamiltonian path")) << undecided;
    EXPECT_FALSE(Has(undecided, "cycle")) << undecided;
    // The cycle question's words stay as they were.
    r.goal = hcp::Goal::Cycle;
    r.verdict = hcp::Verdict::NoCycle;
    r.reason = "node 5 is a cut vertex";
    EXPECT_EQ(app::OutcomeText(app::SolveOutcome(r)), "No Hamiltonian cycle: node 5 is a cut vertex");
}

TEST(Outcome, AFindCycleThatDoesNotTakeTheQuestionSaysWhy)
{
    app::Outcome o;
    o.work = app::Outcome::Work::FindCycle;
    o.refused = "Find cycle searches undirected graphs; this graph is directed";
    EXPECT_EQ(app::OutcomeText(o), o.refused);
}

TEST(ScriptArgs, PathOptionsAskForAPath)
{
    app::ScriptArgs a;
    std::string error;
    ASSERT_TRUE(app::ParseScriptArgs({"--solve", "--path", "--export", "o.png", "g.hcp"}, a, error)) << error;
    EXPECT_EQ(a.goal, hcp::Goal::Path);
    EXPECT_EQ(a.pathEnds, "");
    ASSERT_TRUE(app::ParseScriptArgs({"--solve", "--path-ends", "3,7", "--export", "o.png", "g.hcp"}, a, error));
    EXPECT_EQ(a.goal, hcp::Goal::Path);
    EXPECT_EQ(a.pathEnds, "3,7");
    ASSERT_TRUE(app::ParseScriptArgs({"--path-from=4", "--export", "o.png", "g.hcp"}, a, error));
    EXPECT_EQ(a.pathEnds, "4");
    EXPECT_FALSE(app::ParseScriptArgs({"--path-ends", "3", "--export", "o.png", "g.hcp"}, a, error));
    EXPECT_EQ(error, "--path-ends '3': give two nodes S,T");
    EXPECT_FALSE(app::ParseScriptArgs({"--path-from", "3,4", "--export", "o.png", "g.hcp"}, a, error));
    EXPECT_EQ(error, "--path-from '3,4': give one node S");
    EXPECT_FALSE(app::ParseScriptArgs({"--path-ends", "2,2", "--export", "o.png", "g.hcp"}, a, error));
    EXPECT_EQ(error, "--path-ends '2,2': a path needs two different ends");
    ASSERT_TRUE(app::ParseScriptArgs({"--export", "o.png", "g.hcp"}, a, error));
    EXPECT_EQ(a.goal, hcp::Goal::Cycle);
}

}  // namespace
