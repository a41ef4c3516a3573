// Restarts: a method that starts from one random order is run again and
// again, restart k with seed + k, on as many threads as the caller shares
// with it. Whatever the threads and their timing, the answer is that of
// the restarts taken in order: the lowest restart that decides the graph
// wins, and the work up to it is what the result counts. Restarts above it
// are cancelled and their results dropped.
#pragma once

#include <cstdint>
#include <functional>

#include "core/graph.h"
#include "core/method.h"
#include "core/options.h"
#include "core/result.h"

namespace hcp {

struct RestartPlan {
    // Restarts at most; 0 for no bound (the budget or a stop ends them).
    std::uint64_t restarts = 1;
    // Threads running restarts side by side.
    int threads = 1;
    // Looked at after each restart, in restart order, with the work of the
    // restarts up to it: true ends the run there, as a decision would.
    std::function<bool(const SolveStats& spent)> enough;
};

// Runs method on g by plan, under options.stop (options.seed is restart 0's
// seed). Each restart's result is checked against g before it counts. The
// result names the restart it reports (SolveResult::restart, ::seed); with
// no decision that is the one with the fewest gaps, the lowest on a tie.
// An exception of any restart reaches the caller.
SolveResult RunRestarts(const Graph& g, const Method& method, const SolveOptions& options,
                        const RestartPlan& plan);

// The check of one method's result against the graph: the order must be a
// permutation, its gaps are recounted (fixed edges it skips count), and a
// verdict the order contradicts is an engine fault (std::logic_error).
void CheckResult(const Graph& g, SolveResult& r);

}  // namespace hcp
