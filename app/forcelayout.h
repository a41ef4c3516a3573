// A force-directed picture for graphs with no geometry of their own, from
// igraph's tested layouts: Fruchterman-Reingold for small and middle-sized
// graphs, DrL for large ones. The same graph always gets the same picture
// (a fixed seed), so a saved session and a scripted export agree.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace app {

// From this many nodes on, DrL (made for very large graphs) replaces
// Fruchterman-Reingold; below it Fruchterman-Reingold with its grid is the
// faster of the two (alb5000: about 1 s against 12 s for DrL).
constexpr int kDrlNodes = 20000;

// Positions for nodes 1..n joined by edges (1-based ends), scaled into the
// unit square with a small border. False with a reason when igraph fails;
// x and y are then untouched.
bool ForceLayout(int n, const std::vector<std::pair<int, int>>& edges, std::vector<float>& x,
                 std::vector<float>& y, std::string* error = nullptr);

// Scales positions so their bounding box fills [border, 1 - border] on both
// axes (a single point or line goes to the middle).
void NormaliseToUnit(std::vector<double>& x, std::vector<double>& y, double border);

}  // namespace app
