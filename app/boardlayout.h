// The board picture of a leaper graph: every node on its square of the
// m x n board (square (r, c) is node (r-1)*n + c, as the leaper generator
// numbers them), so a cycle reads as the piece's path, and which board a
// graph is, as the engine recognises it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/graph.h"

namespace app {

struct BoardShape {
    int a = 0;      // the leap: a squares along one axis, b along the other
    int b = 0;      // (0, 0) when unknown, for a plain grid
    int rows = 0;   // m
    int cols = 0;   // n
    bool operator==(const BoardShape&) const = default;
};

// The generator's own file name for a shape: "leaper_a_b_m_n.hcp".
std::string LeaperFileName(const BoardShape& s);

// A near-square grid for n nodes when the graph is no known board.
BoardShape GridShape(int n);

// The board g is the leaper graph of, when it is one (the engine's
// recognition: the graph decides, nameHint or the graph's NAME only picks
// among equal boards).
std::optional<BoardShape> RecogniseBoard(const hcp::Graph& g, const std::string& nameHint = {});

// Node k (0-based) at the centre of square (k / cols, k % cols); the board
// is centred in the unit square with square cells. Resizes x and y to n;
// nodes beyond the board (a grid too small) go below it.
void BoardLayout(const BoardShape& s, int n, std::vector<float>& x, std::vector<float>& y);

}  // namespace app
