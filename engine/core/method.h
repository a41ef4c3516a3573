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
    // options.stop already includes the time budget: a method only has to
    // watch the token (StopWatch in core/stopwatch.h helps in hot loops).
    virtual SolveResult Run(const Graph& g, const SolveOptions& options) const = 0;
};

}  // namespace hcp
