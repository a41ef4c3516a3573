// The whole solving run over the command line's inputs, in their order:
// the output folder, the header line, the pipeline, one exit status.
#pragma once

#include "options.h"

namespace hcpsolve {

int RunAll(const Options& opts);

}  // namespace hcpsolve
