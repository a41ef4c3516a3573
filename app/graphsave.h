// Save of a document's graph as a TSPLIB HCP file, in the layout the legacy
// Store writes (edge lines in descending order of the larger node, six
// columns each), followed by the file's fixed edges, written whole or not
// at all.
#pragma once

#include <string>

#include "core/graph.h"

namespace app {

// Writes g to path with "NAME: name" first. False with a one-line reason
// naming path in *error.
bool SaveGraphFile(const std::string& path, const hcp::Graph& g, const std::string& name, std::string* error);

// The file's text, as SaveGraphFile writes it.
std::string GraphFileText(const hcp::Graph& g, const std::string& name);

}  // namespace app
