// Running engine work from Python without holding the interpreter: the work
// runs on a worker thread while the calling thread waits with the GIL
// released, waking now and then to let Python run its signal handlers, so
// that Ctrl-C stops a solve or a read and surfaces as KeyboardInterrupt.
#pragma once

#include <functional>
#include <stop_token>
#include <string>

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"

namespace pyhcp {

// Runs task on a worker thread. When a signal handler raises while it runs
// (Ctrl-C: KeyboardInterrupt), stop is requested, the task is waited for,
// and the Python exception is thrown; otherwise an exception of the task
// is rethrown as it was. task must honour stop and touch no Python object.
void RunInterruptibly(std::stop_source& stop, const std::function<void()>& task);

// hcp::Solve(graph, method, options) with options.stop replaced by a stop
// the caller's signal handlers control.
hcp::SolveResult SolveInterruptibly(const hcp::Graph& graph, const std::string& method,
                                    hcp::SolveOptions options);

}  // namespace pyhcp
