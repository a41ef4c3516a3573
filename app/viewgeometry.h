// The graph view's geometry as plain integer and float arithmetic: the graph
// rectangle, node positions in pixels, the hit test, the drop point in unit
// coordinates, label radii and the printed page's rectangles. Rectangles
// have exclusive right and bottom edges.
#pragma once

#include <cstddef>

namespace app {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Left and top edges inclusive, right and bottom exclusive.
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Box&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The client area of width w and height h inset by margin on every side,
// then its top moved down by another margin (the title strip).
Box GraphRect(int w, int h, int margin);

// The pixel position of unit coordinates (ux, uy) in r, truncated toward zero.
Point NodePoint(const Box& r, float ux, float uy);

// The node (1..n) whose circle of the given radius around its position in r
// holds (qx, qy); the highest number wins where circles overlap. -1 when
// none does or n <= 0. x and y hold at least n entries.
int HitTest(const Box& r, int radius, int n, const float* x, const float* y, int qx, int qy);

// Where a node dropped at (px, py) lies in unit coordinates of r.
void DropToUnit(const Box& r, int px, int py, float& ux, float& uy);

// Whether a drop at (px, py) moves the node: inside the client area of width
// w and height h below the title strip of height margin.
bool DropAccepted(int w, int h, int margin, int px, int py);

// The radius of a circle that encloses a w x h label box, plus extra:
// extra + sqrt(w^2 + h^2) / 2, truncated toward zero.
int LabelRadius(int w, int h, int extra);

// The printed page: the drawing rectangle with its left and top edges moved
// 100 units in, and the graph rectangle inside it.
struct PrintLayout {
    Box draw;   // title box; the rule line runs at graph.top - 100
    Box graph;
};
PrintLayout PrintRects(const Box& pageArea);

}  // namespace app
