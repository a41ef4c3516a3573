// One find-cycle run of the desktop program: the engine's optimize method
// from the order 1..N, after the degree-2 reduction, with up to five
// Optimize calls, on the solver's own copy of the graph; and the log line
// that reports it. Runs on any thread.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <stop_token>
#include <string>
#include <vector>

#include "core/graph.h"
#include "core/verdict.h"

namespace app {

struct FindCycleResult {
    hcp::Verdict verdict = hcp::Verdict::Unknown;
    int h = -1;                     // gaps of the order reached, -1 when there is none
    int optimizeCalls = 0;          // Optimize calls made (at most 5)
    double seconds = 0.0;           // wall time of the run
    bool cancelled = false;         // the stop request ended the run early
    std::string reason;             // why there is no cycle (NoCycle), or the engine's fault
    unsigned edgesCut = 0;          // edges the degree-2 reduction rules out (set by the document)
    std::vector<hcp::NodeId> order; // the order reached (0-based); empty after a bare proof
};

// The most Optimize calls one run makes.
constexpr int kMaxOptimizeCalls = 5;

// Solves graph with the optimize method: start order 1..N, degree-2
// reduction, at most five Optimize calls while gaps remain, the given seed;
// the search's reports go to log (null drops them). The graph is not
// changed. Never throws: an engine fault comes back as Unknown with reason.
FindCycleResult FindCycle(const hcp::Graph& graph, std::stop_token stop, std::uint64_t seed,
                          std::ostream* log = nullptr);

// "Find cycle: H=0 after 1 Optimize call, 0.02 s" with ", cancelled" and a
// note on the edges the reduction rules out; for a proof "Find cycle: no
// Hamiltonian cycle (node 3 has degree 1), 0.00 s".
std::string FindCycleLogLine(const FindCycleResult& r);

}  // namespace app
