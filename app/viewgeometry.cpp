#include "viewgeometry.h"

#include <cmath>

namespace app {

Box GraphRect(int w, int h, int margin)
{
    return Box{margin, 2 * margin, w - margin, h - margin};
}

Point NodePoint(const Box& r, float ux, float uy)
{
    // Single-precision arithmetic, as the stored coordinates are floats.
    return Point{static_cast<int>(static_cast<float>(r.right - r.left) * ux + static_cast<float>(r.left)),
                 static_cast<int>(static_cast<float>(r.bottom - r.top) * uy + static_cast<float>(r.top))};
}

int HitTest(const Box& r, int radius, int n, const float* x, const float* y, int qx, int qy)
{
    if (n <= 0)
        return -1;
    for (int v = n; v >= 1; --v) {
        const int dx = static_cast<int>(static_cast<float>(r.right - r.left) * x[v - 1]
                                        + static_cast<float>(r.left) - static_cast<float>(qx));
        const int dy = static_cast<int>(static_cast<float>(r.bottom - r.top) * y[v - 1]
                                        + static_cast<float>(r.top) - static_cast<float>(qy));
        if (std::abs(dx) > radius || std::abs(dy) > radius)
            continue;
        if (dx * dx + dy * dy <= radius * radius)
            return v;
    }
    return -1;
}

void DropToUnit(const Box& r, int px, int py, float& ux, float& uy)
{
    // A degenerate rectangle (a window smaller than its margins) keeps the
    // division defined; the node then lands on the rectangle's edge.
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    ux = w != 0 ? static_cast<float>(px - r.left) / static_cast<float>(w) : 0.0f;
    uy = h != 0 ? static_cast<float>(py - r.top) / static_cast<float>(h) : 0.0f;
}

bool DropAccepted(int w, int h, int margin, int px, int py)
{
    return Box{0, margin, w, h}.Contains(px, py);
}

int LabelRadius(int w, int h, int extra)
{
    return extra + static_cast<int>(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h) / 2);
}

PrintLayout PrintRects(const Box& pageArea)
{
    PrintLayout p;
    p.draw = pageArea;
    p.draw.left += 100;
    p.draw.top += 100;
    p.graph = Box{p.draw.left + 100, p.draw.top + 200, p.draw.right - 100, p.draw.bottom - 100};
    return p;
}

}  // namespace app
