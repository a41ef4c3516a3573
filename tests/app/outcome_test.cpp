// Plain-word outcomes, the scripted export's arguments, the typed-cycle
// check.
#include <gtest/gtest.h>

#include <sstream>

#include "core/result.h"
#include "cycletext.h"
#include "outcome.h"
#include "scriptexport.h"
#include "solve/solver.h"

namespace {

bool Has(const std::string& s, const std::string& part)
{
    return s.find(part) != std::string::npos;
}

app::Outcome FindCycleRun(int h, double seconds, bool cancelled)
{
    app::Outcome o;
    o.work = app::Outcome::Work::FindCycle;
    o.verdict = h == 0 ? hcp::Verdict::Hamiltonian : hcp::Verdict::Unknown;
    o.gaps = h;
    o.seconds = seconds;
    o.cancelled = cancelled;
    return o;
}

TEST(Outcome, FindCycleSaysFoundOrThatOnlySolveProves)
{
    EXPECT_EQ(app::OutcomeText(FindCycleRun(0, 0.021, false)), "Hamiltonian cycle found (H=0) in 0.02 s");
    EXPECT_EQ(app::OutcomeText(FindCycleRun(1, 0.0, false)),
              "No cycle found (H=1); the graph may have none \u2014 Solve proves it");
    EXPECT_TRUE(Has(app::OutcomeText(FindCycleRun(3, 2.5, true)), "cancelled after 2.50 s"));
}

TEST(Outcome, FindCycleNamesTheFixedEdgesItIgnoresAndTheGraphsItCannotHold)
{
    app::Outcome o = FindCycleRun(1, 0.01, false);
    o.fixedEdges = 2;
    o.missedFixed = hcp::Edge{0, 2};
    const std::string text = app::OutcomeText(o);
    EXPECT_TRUE(Has(text, "No cycle found (H=1)")) << text;
    EXPECT_TRUE(Has(text, "ignores the file's 2 fixed edges and its order skips 1 3")) << text;
    EXPECT_FALSE(Has(text, "found (H=0)"));
    app::Outcome big;
    big.work = app::Outcome::Work::FindCycle;
    big.tooLarge = 40000;
    EXPECT_TRUE(Has(app::OutcomeText(big), "up to 32,767 nodes; this one has 40000"));
    EXPECT_TRUE(Has(app::OutcomeText(big), "Solve"));
}

TEST(Outcome, SolveWordsEveryVerdict)
{
    hcp::SolveResult r;
    r.verdict = hcp::Verdict::NoCycle;
    r.reason = "node 5 is a cut vertex";
    EXPECT_EQ(app::OutcomeText(app::SolveOutcome(r)), "No Hamiltonian cycle: node 5 is a cut vertex");
    r.verdict = hcp::Verdict::Hamiltonian;
    r.seconds = 1.5;
    EXPECT_EQ(app::OutcomeText(app::SolveOutcome(r)), "Hamiltonian cycle found (H=0) in 1.50 s");
    r.verdict = hcp::Verdict::Unknown;
    r.gaps = 2;
    r.stopped = true;
    EXPECT_TRUE(Has(app::OutcomeText(app::SolveOutcome(r)), "No cycle found (H=2); stopped after 1.50 s"));
    r.stopped = false;
    r.reason.clear();
    r.method = "exist";
    EXPECT_TRUE(Has(app::OutcomeText(app::SolveOutcome(r)), "could not decide"));
    EXPECT_FALSE(Has(app::OutcomeText(app::SolveOutcome(r)), "No Hamiltonian cycle"));
    app::Outcome failed;
    failed.failed = true;
    failed.reason = "out of luck";
    EXPECT_EQ(app::OutcomeText(failed), "Solve failed: out of luck");
    EXPECT_EQ(app::SolveProgressLine("auto", 3, 1.24), "Solving with auto: H=3, 1.2 s (Esc cancels)");
    EXPECT_EQ(app::SolveProgressLine("auto", -1, 0.0), "Solving with auto: 0.0 s (Esc cancels)");
}

TEST(ScriptArgs, ReadsTheDocumentedForms)
{
    app::ScriptArgs a;
    std::string error;
    ASSERT_TRUE(app::ParseScriptArgs({"--solve", "--layout", "board", "--export", "out.svg", "g.hcp"}, a, error))
        << error;
    EXPECT_EQ(a.work, app::ScriptArgs::Work::Solve);
    EXPECT_EQ(a.layout, app::LayoutKind::Board);
    EXPECT_EQ(a.output, "out.svg");
    EXPECT_EQ(a.graph, "g.hcp");
    ASSERT_TRUE(app::ParseScriptArgs({"g.hcp", "--export=o.PNG", "--find-cycle", "--layout=force"}, a, error));
    EXPECT_EQ(a.work, app::ScriptArgs::Work::FindCycle);
    EXPECT_EQ(a.layout, app::LayoutKind::Force);
    ASSERT_TRUE(app::ParseScriptArgs({"--export", "o.pdf", "g.hcp"}, a, error));
    EXPECT_EQ(a.work, app::ScriptArgs::Work::None);
    EXPECT_FALSE(a.layout);
    EXPECT_TRUE(app::WantsScriptedExport({"x", "--export=o.png"}));
    EXPECT_FALSE(app::WantsScriptedExport({"--open", "g.hcp"}));
}

TEST(ScriptArgs, RefusesWhatItCannotDoWithAReason)
{
    app::ScriptArgs a;
    std::string error;
    const std::vector<std::vector<std::string>> bad = {
        {"--solve", "--find-cycle", "--export", "o.png", "g.hcp"},
        {"--layout", "spiral", "--export", "o.png", "g.hcp"},
        {"--export", "o.jpg", "g.hcp"},
        {"--export", "o.png"},
        {"--export"},
        {"--export", "o.png", "a.hcp", "b.hcp"},
        {"--export", "o.png", "--fast", "g.hcp"},
    };
    for (const auto& args : bad) {
        error.clear();
        EXPECT_FALSE(app::ParseScriptArgs(args, a, error)) << args.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(CycleTextProblem, SaysWhatIsWrong)
{
    EXPECT_EQ(app::CycleTextProblem("{ 3 1 2 }", 3), "");
    EXPECT_EQ(app::CycleTextProblem("{3\n1\n2}", 3), "");
    EXPECT_EQ(app::CycleTextProblem("3 1 2 }", 3), "the cycle must start with '{'");
    EXPECT_EQ(app::CycleTextProblem("{ 3 1 2", 3), "the cycle must end with '}'");
    EXPECT_EQ(app::CycleTextProblem("{ 3 1 1 }", 3), "node 1 appears twice");
    EXPECT_EQ(app::CycleTextProblem("{ 3 1 4 }", 3), "node 4 is outside 1..3");
    EXPECT_EQ(app::CycleTextProblem("{ 3 0 1 }", 3), "node 0 is outside 1..3");
    EXPECT_EQ(app::CycleTextProblem("{ 3 x 1 }", 3), "'x' is not a node number");
    EXPECT_EQ(app::CycleTextProblem("{ 3 1 }", 3), "2 of 3 nodes given; the cycle must name every node once");
    EXPECT_EQ(app::CycleTextProblem("{ 99999999999999999999 }", 3), "'99999999999999999999' is not a node number");
    EXPECT_EQ(app::CycleText({2, 0, 1}), "{ 3 1 2 }");
    // What CycleText writes, the check and the parser accept.
    std::list<short> back;
    EXPECT_EQ(app::ParseCycleText(app::CycleText({1, 3, 0, 2}), back), 4);
    EXPECT_EQ(back, (std::list<short>{2, 4, 1, 3}));
    EXPECT_EQ(app::CycleTextProblem(app::CycleText({1, 3, 0, 2}), 4), "");
}

}  // namespace
