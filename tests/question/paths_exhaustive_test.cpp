// Paths on every graph of up to 8 nodes (nauty-geng), with free ends, one
// end given and both ends given, against the subset programme of
// common/pathtruth.h: the complete methods must agree with it on every
// graph, the local searches must never contradict it.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "common/graphfamilies.h"
#include "common/pathtruth.h"
#include "core/cyclecheck.h"
#include "solve/solver.h"

namespace {

using hcp::Graph;
using hcp::NodeId;
using hcp::Question;
using hcp::Verdict;

// Every node a reason names is a node of the graph: a proof on the graph
// with the added end nodes never names one of them.
void ExpectReasonInGraphTerms(const std::string& reason, NodeId n, const std::string& context)
{
    static const std::regex number(R"(\b(\d+)\b)");
    static const std::regex nodes(R"(nodes? [0-9, and]+)");
    for (auto it = std::sregex_iterator(reason.begin(), reason.end(), nodes); it != std::sregex_iterator(); ++it) {
        const std::string list = it->str();
        for (auto k = std::sregex_iterator(list.begin(), list.end(), number); k != std::sregex_iterator(); ++k)
            EXPECT_LE(std::stoul(k->str()), n) << context << ": " << reason;
    }
}

std::vector<Question> QuestionsFor(NodeId n)
{
    std::vector<Question> qs{Question::Path()};
    if (n >= 1) qs.push_back(Question::PathFrom(0));
    if (n >= 2) {
        qs.push_back(Question::PathFrom(n - 1));
        qs.push_back(Question::PathBetween(0, n - 1));
        qs.push_back(Question::PathBetween(0, 1));
    }
    return qs;
}

bool Truth(const Graph& g, const Question& q) { return testgraphs::HasPathByDp(g, q.from, q.to); }

void CheckMethod(const Graph& g, const Question& q, const std::string& method, bool complete,
                 const std::string& context)
{
    hcp::SolveOptions o;
    o.question = q;
    const hcp::SolveResult r = hcp::Solve(g, method, o);
    const bool truth = Truth(g, q);
    EXPECT_EQ(r.goal, hcp::Goal::Path);
    if (r.verdict == Verdict::Hamiltonian) {
        ASSERT_TRUE(truth) << context;
        EXPECT_TRUE(hcp::CheckOrder(g, r.order, q).hamiltonian) << context;
    } else if (r.verdict == Verdict::NoCycle) {
        ASSERT_FALSE(truth) << context << ": " << r.reason;
        EXPECT_FALSE(r.reason.empty()) << context;
        ExpectReasonInGraphTerms(r.reason, g.NodeCount(), context);
    } else {
        EXPECT_FALSE(complete) << context << " left undecided: " << r.reason;
    }
}

std::string Context(const Graph& g, const Question& q, const std::string& method, std::size_t i)
{
    return method + " on graph " + std::to_string(i) + " of " + std::to_string(g.NodeCount()) + " nodes, "
           + hcp::QuestionText(q);
}

TEST(PathsExhaustive, CompleteMethodsAgreeOnEveryGraphUpToEightNodes)
{
    // Traceable graphs on 1..8 nodes (OEIS A057864), a count the subset
    // programme must reproduce before it is trusted as the truth.
    const std::size_t traceableCounts[] = {1, 1, 2, 5, 18, 91, 734, 10030};
    std::size_t graphs = 0;
    for (NodeId n = 1; n <= 8; ++n) {
        const auto all = testgraphs::Geng(std::to_string(n));
        if (all.empty()) GTEST_SKIP() << "nauty-geng is not installed";
        std::size_t traceable = 0;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Graph& g = all[i];
            ++graphs;
            traceable += Truth(g, Question::Path()) ? 1 : 0;
            for (const Question& q : QuestionsFor(n))
                for (const char* method : {"exact", "auto"}) CheckMethod(g, q, method, true, Context(g, q, method, i));
        }
        EXPECT_EQ(traceable, traceableCounts[n - 1]) << n << " nodes";
    }
    EXPECT_EQ(graphs, 13598u);   // every graph on 1 to 8 nodes
}

TEST(PathsExhaustive, LocalSearchesNeverContradictTheTruth)
{
    const auto all = testgraphs::Geng("-c 7");
    if (all.empty()) GTEST_SKIP() << "nauty-geng is not installed";
    ASSERT_EQ(all.size(), 853u);
    std::size_t found = 0;
    for (std::size_t i = 0; i < all.size(); i += 29)
        for (const Question& q : {Question::Path(), Question::PathFrom(2), Question::PathBetween(0, 6)})
            for (const char* method : {"exist", "min", "optimize", "large"}) {
                CheckMethod(all[i], q, method, false, Context(all[i], q, method, i));
                ++found;
            }
    EXPECT_GT(found, 0u);
}

}  // namespace
