// The outcome of a search or a solve: what the run reached, as data the
// document keeps, and its wording for the status bar, the log and the
// scripted export (what was found, what was proved, and what the user can
// do next). A verdict is worded as proved only when the method proved it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/graph.h"
#include "core/question.h"
#include "core/verdict.h"

namespace hcp {
struct SolveResult;
}

namespace app {

struct Outcome {
    enum class Work { FindCycle, Solve };
    Work work = Work::Solve;
    hcp::Question question;     // what was asked: a cycle, or a path (Solve only)
    hcp::Verdict verdict = hcp::Verdict::Unknown;
    int gaps = -1;              // H of the order reached on the graph as read; -1 when there is none
    std::string reason;         // why there is no cycle, or why the run ended undecided
    std::string method;         // the method that ran (Solve)
    double seconds = 0.0;
    bool cancelled = false;     // the user stopped the run
    bool failed = false;        // the engine threw; reason holds its words
    // F5 only: the fixed edges of the file, which its search does not know,
    // and the first of them the order reached skips (0-based).
    std::size_t fixedEdges = 0;
    std::optional<hcp::Edge> missedFixed;
    // F5 only: the node count of a graph beyond the legacy search (0: it fits).
    std::uint64_t tooLarge = 0;
    // F5 only: why the legacy search does not take the document's question
    // (a path, a directed graph), in words with what does; empty: it does.
    std::string refused;
};

// The outcome of a finished solve.
Outcome SolveOutcome(const hcp::SolveResult& r);

// The outcome in words. F5: "Hamiltonian cycle found (H=0) in 0.02 s", or
// "No cycle found (H=1); the graph may have none — Solve proves it" with
// ", cancelled after 2.50 s"; with fixed edges in the file it says how the
// order stands to them. Solve: the same for a cycle, "No Hamiltonian
// cycle: node 5 is a cut vertex", or for an undecided run the fewest gaps
// reached and why it ended. A path question is worded as one:
// "Hamiltonian path found (H=0) in 0.02 s", "No Hamiltonian path from node
// 3: 4 nodes have degree 1", "No path found (H=2); undecided: ...".
std::string OutcomeText(const Outcome& o);

// "Solving with auto: H=3, 1.2 s (Esc cancels)" while a solve runs; h < 0
// when no order exists yet.
std::string SolveProgressLine(std::string_view method, int h, double seconds);

}  // namespace app
