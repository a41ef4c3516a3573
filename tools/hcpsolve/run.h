// The whole solving run over the command line's inputs, in their order:
// runs of HCP files go to the file batch (restarts and files spread over
// threads), every other input (graph streams, DIMACS files, standard input)
// to the stream reader. One header, one exit status.
#pragma once

#include "options.h"

namespace hcpsolve {

int RunAll(const Options& opts);

}  // namespace hcpsolve
