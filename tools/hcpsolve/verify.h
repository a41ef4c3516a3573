// hcpsolve --verify: checks a tour file against a graph file.
#pragma once

#include "options.h"

namespace hcpsolve {

// Prints the verdict line and returns the exit status: 0 for a Hamiltonian
// cycle, 1 for a tour that is none, 2 when a file cannot be read.
int RunVerify(const Options& opts);

}  // namespace hcpsolve
