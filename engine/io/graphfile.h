// Reading a graph file into the solver graph type. Every front end reads
// graphs through here, so one reader decides what a file means.
#pragma once

#include <stdexcept>
#include <string>

#include "core/graph.h"
#include "export.h"

namespace hcp {

// A file that could not be opened or read (the system's reason).
class TOURKERN_API FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file whose contents are not a valid graph: "file:line: problem".
class TOURKERN_API FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a TSPLIB HCP file. Throws FileError or FormatError with a one-line
// message that names the file; never returns a partial graph.
TOURKERN_API Graph ReadGraph(const std::string& path);

}  // namespace hcp
