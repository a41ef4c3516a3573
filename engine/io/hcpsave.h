// TSPLIB HCP files of solver graphs, in the engine's one HCP layout
// (io/hcpwriter.h): written edge by edge from the graph's own rows, so a
// million-node graph needs no text of the whole file and no copy of its
// edges. Fixed edges go to a FIXED_EDGES_SECTION the reader takes back. A
// directed graph is written as TYPE: DHCP with its arcs, and reads back as
// the same directed graph.
#pragma once

#include <iosfwd>
#include <string>

#include "core/graph.h"
#include "export.h"
#include "io/hcpwriter.h"

namespace hcp {

// Writes g to os (TYPE: DHCP when g is directed, whatever info.directed
// says); false when the stream failed.
TOURKERN_API bool WriteHcp(std::ostream& os, const Graph& g, const HcpWriteInfo& info);

// Writes g to path through the engine's atomic save (a temporary beside the
// target, then a rename; only a regular file is replaced). Throws FileError
// ("cannot write PATH: reason") when it cannot; the old file at path is
// then untouched.
TOURKERN_API void SaveHcp(const std::string& path, const Graph& g, const HcpWriteInfo& info);

}  // namespace hcp
