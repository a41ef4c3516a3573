// What a solve is asked: a Hamiltonian cycle (the default) or a
// Hamiltonian path, the path with free ends, one end given, or both. In a
// directed graph the cycle follows the arcs and the path runs from its
// first node to its last along them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/graph.h"
#include "core/verdict.h"
#include "export.h"

namespace hcp {

enum class Goal : std::uint8_t { Cycle, Path };

struct Question {
    Goal goal = Goal::Cycle;
    // Path: the node it starts at, and the node it ends at (only together
    // with from). Unset: any node.
    std::optional<NodeId> from;
    std::optional<NodeId> to;

    static Question Cycle() { return {}; }
    static Question Path() { return {Goal::Path, std::nullopt, std::nullopt}; }
    static Question PathFrom(NodeId s) { return {Goal::Path, s, std::nullopt}; }
    static Question PathBetween(NodeId s, NodeId t) { return {Goal::Path, s, t}; }

    bool IsPath() const { return goal == Goal::Path; }
    bool operator==(const Question&) const = default;
};

// Why q is not a question about g ("node 12 is outside 1..10", "a path
// needs two different ends"); empty when it is one.
TOURKERN_API std::string QuestionProblem(const Graph& g, const Question& q);

// "a Hamiltonian cycle", "a Hamiltonian path from node 3 to node 7", ...
TOURKERN_API std::string QuestionText(const Question& q);

// The words the tools print: HAMILTONIAN, NO_CYCLE, UNKNOWN for the cycle
// question; HAMILTONIAN_PATH, NO_PATH, UNKNOWN for the path question.
constexpr std::string_view VerdictWord(Verdict v, Goal goal)
{
    if (goal == Goal::Cycle) return VerdictName(v);
    switch (v) {
    case Verdict::Hamiltonian: return "HAMILTONIAN_PATH";
    case Verdict::NoCycle: return "NO_PATH";
    case Verdict::Unknown: break;
    }
    return "UNKNOWN";
}

}  // namespace hcp
