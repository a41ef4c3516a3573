// Directed cycles and paths on random digraphs of 2 to 14 nodes against
// the subset programme of common/pathtruth.h: exact (by its own choice and
// with the SAT search forced) and auto must agree on every digraph, the
// local searches (which see the digraph's undirected form) must never
// contradict it.
#include <gtest/gtest.h>

#include <string>

#include "common/pathtruth.h"
#include "core/cyclecheck.h"
#include "exact/digraphsearch.h"
#include "solve/questionforms.h"
#include "solve/solver.h"

namespace {

using hcp::Graph;
using hcp::NodeId;
using hcp::Question;
using hcp::Verdict;

struct Sample {
    Graph d;
    std::string name;
};

// Densities around the threshold where Hamiltonian digraphs become common,
// so both answers turn up at every size.
std::vector<Sample> Digraphs(NodeId lo, NodeId hi, int perDensity)
{
    std::vector<Sample> out;
    std::uint64_t seed = 1;
    for (NodeId n = lo; n <= hi; ++n)
        for (double p : {0.15, 0.25, 0.4, 0.6})
            for (int k = 0; k < perDensity; ++k, ++seed)
                out.push_back({testgraphs::RandomDigraph(n, p, seed),
                               std::to_string(n) + " nodes, p " + std::to_string(p) + ", seed " + std::to_string(seed)});
    return out;
}

bool Truth(const Graph& d, const Question& q)
{
    return q.IsPath() ? testgraphs::HasPathByDp(d, q.from, q.to) : testgraphs::HasDirectedCycleByDp(d);
}

void Expect(const Graph& d, const Question& q, const hcp::SolveResult& r, bool complete, const std::string& context)
{
    const bool truth = Truth(d, q);
    if (r.verdict == Verdict::Hamiltonian) {
        ASSERT_TRUE(truth) << context;
        EXPECT_TRUE(hcp::CheckOrder(d, r.order, q).hamiltonian) << context;
    } else if (r.verdict == Verdict::NoCycle) {
        ASSERT_FALSE(truth) << context << ": " << r.reason;
        EXPECT_FALSE(r.reason.empty()) << context;
    } else {
        EXPECT_FALSE(complete) << context << " left undecided: " << r.reason;
    }
}

TEST(DigraphsExhaustive, CyclesAndPathsAgreeWithTheSubsetProgramme)
{
    std::size_t yes = 0, no = 0;
    for (const Sample& s : Digraphs(2, 14, 6)) {
        const NodeId n = s.d.NodeCount();
        for (const Question& q : {Question::Cycle(), Question::Path(), Question::PathFrom(0),
                                  Question::PathBetween(n - 1, 0)}) {
            (Truth(s.d, q) ? yes : no) += 1;
            for (const char* method : {"exact", "auto"}) {
                hcp::SolveOptions o;
                o.question = q;
                Expect(s.d, q, hcp::Solve(s.d, method, o), true,
                       std::string(method) + ", " + hcp::QuestionText(q) + ", " + s.name);
            }
        }
    }
    EXPECT_GT(yes, 100u);
    EXPECT_GT(no, 100u);
}

TEST(DigraphsExhaustive, TheSatSearchAgreesWhereTheProgrammeWouldDecide)
{
    std::uint64_t calls = 0, cuts = 0;
    for (const Sample& s : Digraphs(2, 14, 4))
        for (const Question& q : {Question::Cycle(), Question::Path(), Question::PathBetween(0, 1)}) {
            // A path question as the cycle question Solve puts to a method.
            const hcp::PathForm form(s.d, q);
            const Graph& asked = q.IsPath() ? form.Cycles() : s.d;
            hcp::SolveResult r = hcp::RunDigraphSearch(asked, {}, hcp::DigraphEngine::Sat);
            calls += r.stats.satCalls;
            cuts += r.stats.clausesAdded;
            if (q.IsPath() && !r.order.empty()) r.order = form.ToPath(r.order);
            Expect(s.d, q, r, true, "SAT, " + hcp::QuestionText(q) + ", " + s.name);
        }
    // The proofs settle many of these digraphs; enough are left to the SAT
    // search, and enough of those need cuts, for the loop to be exercised.
    EXPECT_GT(calls, 300u);
    EXPECT_GT(cuts, 100u);
}

TEST(DigraphsExhaustive, LocalSearchesOnTheUndirectedFormNeverContradictTheTruth)
{
    for (const Sample& s : Digraphs(3, 10, 1))
        for (const Question& q : {Question::Cycle(), Question::PathFrom(1)})
            for (const char* method : {"exist", "min", "optimize", "large"}) {
                hcp::SolveOptions o;
                o.question = q;
                Expect(s.d, q, hcp::Solve(s.d, method, o), false,
                       std::string(method) + ", " + hcp::QuestionText(q) + ", " + s.name);
            }
}

}  // namespace
