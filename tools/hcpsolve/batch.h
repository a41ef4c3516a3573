// Solves a list of graph files with a pool of worker threads. The restarts of
// one file, and different files, run in parallel, yet each file reports what
// one thread would (the lowest restart that found a cycle, or the best order
// of all restarts), so the output depends only on the command line.
#pragma once

#include "options.h"

namespace hcpsolve {

// Solves opts.files, prints one result line per file in command-line order,
// writes tours when asked, and returns the exit status. The caller has made
// the output folder and printed the header.
int RunBatch(const Options& opts);

}  // namespace hcpsolve
