// auto: the method for users who do not want to choose one. It runs the
// cheap proofs, then the fast local search for a budget counted in work (so
// a run repeats), then the complete method seeded with the best order the
// local search reached. With two or more threads the local search and the
// complete method run side by side and the first definite answer wins.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/method.h"

namespace hcp {

// The local-search budget auto uses when SolveOptions::workBudget is 0, in
// legacy Optimize calls.
inline constexpr std::uint64_t kAutoDefaultWork = 48;

// With the default budget the local search also ends after this many of
// its steps, within a restart too: a step costs more the denser the graph
// (a restart of 4 million steps took 20 s on a 4,400-node FHCP graph of
// average degree 5, and over 60 s on denser ones), and on the structured
// graphs where it stalls the complete method should not wait for its turn.
// On 150 FHCP graphs the local search decided every graph it decided at
// all within 550,000 steps.
inline constexpr std::uint64_t kAutoDefaultSteps = 1'000'000;

// Graphs up to this many nodes go straight to the complete method: its
// search is over before a local search would have set up.
inline constexpr NodeId kAutoTinyGraph = 64;

// `complete` names the registered method auto ends with ("exact" for the
// engine's own auto; tests put a method of their own there, and a `tiny`
// of 0 to send every graph through the local search first).
std::shared_ptr<const Method> MakeAutoMethod(std::string name = "auto", std::string complete = "exact",
                                             NodeId tiny = kAutoTinyGraph);

}  // namespace hcp
