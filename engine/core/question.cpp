#include "core/question.h"

namespace hcp {

namespace {

std::string NodeText(NodeId v) { return "node " + std::to_string(std::uint64_t{v} + 1); }

}  // namespace

std::string QuestionProblem(const Graph& g, const Question& q)
{
    if (q.goal == Goal::Cycle) {
        if (q.from || q.to) return "a cycle question takes no path ends";
        return {};
    }
    if (q.to && !q.from) return "a path with a last node needs a first node too";
    for (const auto& end : {q.from, q.to})
        if (end && *end >= g.NodeCount())
            return NodeText(*end) + " is outside 1.." + std::to_string(g.NodeCount());
    if (q.from && q.to && *q.from == *q.to && g.NodeCount() != 1) return "a path needs two different ends";
    return {};
}

std::string QuestionText(const Question& q)
{
    if (q.goal == Goal::Cycle) return "a Hamiltonian cycle";
    std::string s = "a Hamiltonian path";
    if (q.from) s += " from " + NodeText(*q.from);
    if (q.to) s += " to " + NodeText(*q.to);
    return s;
}

}  // namespace hcp
