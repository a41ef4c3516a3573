// hcpsolve's one pipeline for every input: a reader thread takes the
// inputs in order (HCP, DIMACS, graph6/sparse6 files and streams, standard
// input) through the engine's graph source, a pool of --jobs workers solves
// the graphs through the engine, and the main thread prints the results in
// input order, turns Ctrl-C into a stop request and shows progress.
#pragma once

#include "options.h"

namespace hcpsolve {

// Solves every input of opts; returns the exit status (0, 1, 2, or 130 when
// interrupted). The caller has printed the header line.
int RunPipeline(const Options& opts);

}  // namespace hcpsolve
