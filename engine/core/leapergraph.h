// The graph of an (a, b)-leaper on an m x n board, built directly as a solver
// graph, so boards of any size that fits in memory can be made without the
// legacy bit graph. Square (r, c), counted from 0, is node r*n + c: the same
// numbering, shifted to 0-based, as the leaper tool's files.
#pragma once

#include "core/graph.h"
#include "export.h"

namespace hcp {

// Joins two squares when one move of a squares along one axis and b along
// the other leads from one to the other. Throws std::invalid_argument for a
// negative step, a side below 1, or more squares than node numbers hold.
TOURKERN_API Graph LeaperGraph(int a, int b, int m, int n);

}  // namespace hcp
