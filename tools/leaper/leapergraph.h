// Fills a graph with the moves of an (a, b)-leaper on an m x n board: square
// (r, c) is node (r-1)*n + c, and two squares are joined when one move of
// a squares along one axis and b along the other leads from one to the other.
#pragma once

#include "leaperargs.h"

class CBitGraph;

namespace leaper {

// Joins every pair of squares one leaper move apart. The graph must already
// have m*n nodes; existing edges are kept.
void AddLeaperMoves(CBitGraph& graph, const LeaperArgs& args);

}  // namespace leaper
