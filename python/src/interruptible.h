// Running a solve from Python without holding the interpreter: the solve
// runs on a worker thread while the calling thread waits with the GIL
// released, waking now and then to let Python run its signal handlers, so
// that Ctrl-C stops the solve and surfaces as KeyboardInterrupt.
#pragma once

#include <string>

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"

namespace pyhcp {

// hcp::Solve(graph, method, options) with options.stop replaced by a stop
// the caller's signal handlers control. When a handler raises (Ctrl-C:
// KeyboardInterrupt) the solve is stopped, waited for, and the Python
// exception is thrown; engine exceptions are rethrown as they were.
hcp::SolveResult SolveInterruptibly(const hcp::Graph& graph, const std::string& method,
                                    hcp::SolveOptions options);

}  // namespace pyhcp
