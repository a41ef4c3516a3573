// One restart of one graph: a solve with the restart's own seed, one start
// order and the tool's Optimize budget. Spreading restarts and files over
// threads is the batch's work; how a restart searches is the engine's.
#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "core/graph.h"
#include "core/result.h"

namespace hcpsolve {

struct RestartOutcome {
    hcp::SolveResult result;   // verdict, order (checked by Solve), gaps, reason
    std::string problem;       // set when the engine failed: the result is void

    // An order to report: the solve ended normally and left one.
    bool HasOrder() const { return problem.empty() && !result.order.empty(); }
};

struct RestartSettings {
    std::string method = "exist";
    std::uint32_t seed = 0;    // the restart's seed: --seed plus its number
    int calls = 5;             // Optimize calls (method optimize)
    int threads = 1;           // threads side by side (method auto)
};

// Runs one restart. Honours stop inside the search, not only between calls.
RestartOutcome RunRestart(const hcp::Graph& graph, const RestartSettings& settings,
                          std::stop_token stop);

}  // namespace hcpsolve
