// A solver method: a named algorithm that reads a graph and returns a
// result. It never changes the graph, keeps no state between runs, and may
// run on several threads at once.
#pragma once

#include <string_view>

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"
#include "export.h"

namespace hcp {

class TOURKERN_API Method {
public:
    virtual ~Method() = default;
    virtual std::string_view Name() const = 0;
    // One line for --help.
    virtual std::string_view Summary() const = 0;
    // True when a Unknown verdict only comes from a stop or the time budget.
    virtual bool Complete() const = 0;
    // True for a method that runs from one random start: Solve runs it
    // SolveOptions::restarts times, restart k with seed + k, side by side on
    // SolveOptions::threads. A method that plans its own work (the complete
    // method, auto) runs once and is handed the threads.
    virtual bool Restartable() const { return false; }
    // True when the best order of an undecided run is what the method is
    // for (fewest gaps), so front ends keep it as they keep a cycle.
    virtual bool KeepsBestOrder() const { return false; }
    // True when Run takes a directed graph as it is (the cycle follows the
    // arcs). Solve hands any other method a directed graph as an undirected
    // one whose cycles are the digraph's, and the path question always as
    // a cycle question on a graph with added end nodes; Run itself only
    // ever answers the cycle question.
    virtual bool Directed() const { return false; }
    // options.stop already includes the time budget: a method only has to
    // watch the token (StopWatch in core/stopwatch.h helps in hot loops).
    virtual SolveResult Run(const Graph& g, const SolveOptions& options) const = 0;
};

}  // namespace hcp
