// The moves of an (a, b)-leaper on an m x n board: square (r, c) is node
// (r-1)*n + c, and two squares are joined when one move of a squares along
// one axis and b along the other leads from one to the other.
#pragma once

#include <cstdint>
#include <vector>

#include "leaperargs.h"

namespace leaper {

// The squares joined to node that come before it in row-major order,
// largest first: the order in which HCP files list the edges of a node.
// At most four. node is 1..m*n.
void EarlierNeighbours(const LeaperArgs& args, std::uint64_t node, std::vector<std::uint64_t>& out);

}  // namespace leaper
