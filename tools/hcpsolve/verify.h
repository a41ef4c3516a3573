// hcpsolve --verify: checks a tour file against a graph file.
#pragma once

#include "options.h"

namespace hcpsolve {

// Prints the verdict line and returns the exit status: 0 for an answer to
// the question asked (a Hamiltonian cycle, or with --path* a Hamiltonian
// path with its ends where asked), 1 for a tour that is none, 2 when a
// file cannot be read or the ends do not fit the graph.
int RunVerify(const Options& opts);

}  // namespace hcpsolve
