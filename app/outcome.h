// The outcome of a search or a solve in plain words, for the status bar,
// the log and the scripted export: what was found, what was proved, and
// what the user can do next. A verdict is worded as proved only when the
// method proved it.
#pragma once

#include <string>
#include <string_view>

namespace hcp {
struct SolveResult;
}

namespace app {

// The method the Solve command runs: "auto" when the engine has it, else
// "exact", else "exist" (which decides only small cases).
std::string SolveMethodName();

// F5's outcome: "Hamiltonian cycle found (H=0) in 0.02 s", or "No cycle
// found (H=1); the graph may have none — Solve proves it" with
// ", cancelled" when the user stopped the search.
std::string FindCycleOutcome(int h, double seconds, bool cancelled);

// Solve's outcome: "Hamiltonian cycle found (H=0) in 0.02 s", "No
// Hamiltonian cycle: node 5 is a cut vertex", or for an undecided run the
// fewest gaps reached and why it ended.
std::string SolveOutcome(const hcp::SolveResult& r);

// "Solving with auto: H=3, 1.2 s (Esc cancels)" while a solve runs; h < 0
// when no order exists yet.
std::string SolveProgressLine(std::string_view method, int h, double seconds);

}  // namespace app
