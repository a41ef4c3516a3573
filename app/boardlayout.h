// The board picture of a leaper graph: every node on its square of the
// m x n board (square (r, c) is node (r-1)*n + c, as the leaper generator
// numbers them), so a cycle reads as the piece's path. Plain arithmetic.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

struct BoardShape {
    int a = 0;      // the leap: a squares along one axis, b along the other
    int b = 0;      // (0, 0) when unknown, for a plain grid
    int rows = 0;   // m
    int cols = 0;   // n
    bool operator==(const BoardShape&) const = default;
};

// The shape a leaper file name gives ("leaper_1_2_30_30.hcp", in any folder,
// as the generator names its files), when rows * cols == n.
std::optional<BoardShape> BoardShapeFromName(const std::string& name, int n);

// The generator's own file name for a shape: "leaper_a_b_m_n.hcp".
std::string LeaperFileName(const BoardShape& s);

// A near-square grid for n nodes when the graph is no known board.
BoardShape GridShape(int n);

// True when every edge (1-based ends) is one leaper move of s.
bool EdgesAreLeaperMoves(const BoardShape& s, const std::vector<std::pair<int, int>>& edges);

// The edges of the (a, b)-leaper on the board, 1-based, each once.
std::vector<std::pair<int, int>> LeaperEdges(const BoardShape& s);

// Node k (0-based) at the centre of square (k / cols, k % cols); the board
// is centred in the unit square with square cells. Resizes x and y to n;
// nodes beyond the board (a grid too small) go below it.
void BoardLayout(const BoardShape& s, int n, std::vector<float>& x, std::vector<float>& y);

}  // namespace app
