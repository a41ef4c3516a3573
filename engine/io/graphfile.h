// Reading a graph file into the solver graph type. Every front end reads
// graphs through here, so one reader decides what a file means.
#pragma once

#include <string>

#include "core/graph.h"
#include "export.h"
#include "io/hcpreader.h"
#include "io/readerror.h"

namespace hcp {

// Reads the one graph of a file, or of standard input for "-": TSPLIB HCP,
// DIMACS, graph6, sparse6 or digraph6, told apart by the extension (.hcp,
// .col or .dimacs, .g6, .s6, .d6) or else by the first line. The file is opened once, so
// a FIFO or pipe works, and options bound every wait. Throws FileError,
// FormatError or ReadStopped with a one-line message that names the file
// (a graph6/sparse6/digraph6 file of several graphs is a FormatError); never
// returns a partial graph.
TOURKERN_API Graph ReadGraph(const std::string& path, const ReadOptions& options = {});

}  // namespace hcp
