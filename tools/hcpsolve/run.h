// The whole solving run over the command line's inputs, in their order:
// the output folder, where the result lines go (standard output; with
// --select standard error or the --results file), the header line, the
// pipeline, one exit status.
#pragma once

#include "options.h"

namespace hcpsolve {

int RunAll(const Options& opts);

}  // namespace hcpsolve
