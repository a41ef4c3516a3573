// Inputs that are not a lone HCP file: a graph6 or sparse6 stream, where
// each graph gets its own result line named FILE:INDEX, a DIMACS file, and
// standard input ("-") in any format. Graphs are read, solved and reported
// one after another with up to --jobs of them in flight, so a stream of any
// length runs in constant memory and no graph costs a process or a file.
#pragma once

#include <string>

#include "options.h"

namespace hcpsolve {

struct SourceTally {
    int errors = 0;            // graphs or files that could not be read or solved
    int notHamiltonian = 0;    // NO_CYCLE and NOT_FOUND
    bool interrupted = false;
    bool outputFailed = false;   // standard output took no more results
};

// True when path goes through RunSource rather than the file batch: "-",
// or a file that is not HCP by its extension or, without one, its content.
bool IsSourceInput(const std::string& path);

// Solves every graph of path, printing a result line for each.
void RunSource(const Options& opts, const std::string& path, SourceTally& tally);

}  // namespace hcpsolve
