// The DIMACS edge format of the graph-colouring and clique collections:
// "c" comment lines, one problem line "p edge N M" (also "p col N M" and the
// short "p N M" some collections use), then "e U V" lines with 1-based
// nodes. Repeated edges (some files list both directions) are merged.
// A directed graph lists arcs "a U V" (U -> V; a trailing weight, as in
// the shortest-path and flow collections, is ignored) under "p arc N M",
// "p sp N M", "p edge N M" or "p N M"; a file lists edges or arcs, never
// both. Repeated arcs are merged; U -> V and V -> U are two arcs.
// Limits: at most 4,294,967,294 nodes, of which at most 2^20 beyond the two
// ends of every edge listed; lines up to 64 MB.
#pragma once

#include <string>

#include "core/graph.h"
#include "export.h"
#include "io/hcpreader.h"

namespace hcp {

class LineReader;

// Reads one DIMACS graph from the lines left in `lines`. Throws FormatError
// "file:line: problem"; never returns a partial graph.
TOURKERN_API Graph ParseDimacs(LineReader& lines);

// Reads a DIMACS file. Throws FileError or FormatError naming the file;
// options bound the read as for every reader.
TOURKERN_API Graph ReadDimacs(const std::string& path, const ReadOptions& options = {});

}  // namespace hcp
