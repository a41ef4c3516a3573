// Circle layouts of a graph's nodes in the unit square (y grows downwards):
// the initial layout in node-number order and the layout in cycle order.
// Positions are indexed by node number - 1.
#pragma once

#include <span>
#include <vector>

#include "core/graph.h"

namespace app {

// Node i+1 at angle pi + 2 pi i / n: node 1 at the middle of the left edge,
// the numbers running clockwise on screen. Resizes both vectors to n.
void InitialCircleLayout(int n, std::vector<float>& x, std::vector<float>& y);

// The k-th node of the order (k = 1, 2, ...; 0-based node numbers) at angle
// 2 pi k / n - pi/2, so the last node sits at the top centre and the first
// one step clockwise from it. Nodes outside 0..x.size()-1 are skipped; an
// empty order moves nothing.
void CycleCircleLayout(std::span<const hcp::NodeId> order, int n,
                       std::vector<float>& x, std::vector<float>& y);

}  // namespace app
