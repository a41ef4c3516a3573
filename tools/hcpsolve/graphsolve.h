// One graph through the engine: hcpsolve's options become the engine's
// solve options, and the engine's result becomes the tool's result line.
// How restarts, threads and methods work is the engine's business.
#pragma once

#include <atomic>
#include <stop_token>
#include <string>

#include "core/graph.h"
#include "options.h"
#include "resultformat.h"

namespace hcpsolve {

// Solves g as opts ask, with at most `threads` threads, until stop or for
// at most `seconds` (0: no limit). gaps, when given, follows the fewest gaps
// reached so far (for progress). An engine failure (out of memory, a fault)
// is an ERROR result naming `name`.
FileResult SolveGraph(const Options& opts, const std::string& name, const hcp::Graph& g, int threads,
                      double seconds, std::stop_token stop, std::atomic<int>* gaps = nullptr);

}  // namespace hcpsolve
