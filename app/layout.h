// Circle layouts of a graph's nodes in the unit square (y grows downwards):
// the initial layout in node-number order and the layout in cycle order.
// Positions are indexed by node number - 1.
#pragma once

#include <list>
#include <vector>

namespace app {

// Node i+1 at angle pi + 2 pi i / n: node 1 at the middle of the left edge,
// the numbers running clockwise on screen. Resizes both vectors to n.
void InitialCircleLayout(int n, std::vector<float>& x, std::vector<float>& y);

// The k-th node of path (k = 1, 2, ...) at angle 2 pi k / n - pi/2, so the
// last node sits at the top centre and the first one step clockwise from it.
// Nodes outside 1..x.size() are skipped; an empty path moves nothing.
void CycleCircleLayout(const std::list<short>& path, int n,
                       std::vector<float>& x, std::vector<float>& y);

}  // namespace app
