// A tour file (.tour or .tou, written by this program or another) read
// through the engine's TOUR reader into the cycle text "{ 3 1 2 }" that
// "Rearrange cycle" takes.
#pragma once

#include <span>
#include <string>

#include "core/graph.h"

namespace app {

// "{ 3 1 2 }" for the 0-based order {2, 0, 1}.
std::string CycleTextFromOrder(std::span<const hcp::NodeId> order);

// Reads the file at path. False, with the reader's one-line reason naming
// the file (and the line) in error, when it cannot be read or is no tour;
// text is then unchanged. *isPath tells whether the tour's comment says it
// is a Hamiltonian path (no closing edge), as a path's export writes it.
bool ReadTourFile(const std::string& path, std::string& text, std::string* error = nullptr,
                  bool* isPath = nullptr);

}  // namespace app
