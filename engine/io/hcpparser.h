// The HCP reader's state machine over the lines of one source. Internal to
// the engine: front ends call the functions of io/hcpreader.h.
#pragma once

#include <string>

#include "io/bytesource.h"
#include "io/hcpreader.h"

namespace hcp {

// Reads a whole HCP file from source. Throws FormatError ("label:line:
// problem"), FileError or ReadStopped. Fixed edges are read but not yet
// checked against the edges (see FixedEdgeNotInGraph).
HcpContent ParseHcp(ByteSource& source, const std::string& label, const ReadOptions& options);

// The message for a fixed edge (arc, when directed) the graph does not have.
std::string FixedEdgeNotInGraph(const std::string& label, long long line, Edge edge, bool directed = false);

}  // namespace hcp
