// Reading a graph file into the solver graph type. Every front end reads
// graphs through here, so one reader decides what a file means.
#pragma once

#include <string>

#include "core/graph.h"
#include "export.h"
#include "io/hcpreader.h"
#include "io/readerror.h"

namespace hcp {

// Reads a TSPLIB HCP file (opened once, so a FIFO or pipe works). Throws
// FileError, FormatError or ReadStopped with a one-line message that names
// the file; never returns a partial graph.
TOURKERN_API Graph ReadGraph(const std::string& path, const ReadOptions& options = {});

}  // namespace hcp
