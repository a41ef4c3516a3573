#include "fastlines.h"

#include <cstdlib>

namespace app {
namespace {

// Cohen-Sutherland outcodes against r (inclusive edges).
int Outcode(long x, long y, const QRect& r)
{
    int code = 0;
    if (x < r.left())
        code |= 1;
    else if (x > r.right())
        code |= 2;
    if (y < r.top())
        code |= 4;
    else if (y > r.bottom())
        code |= 8;
    return code;
}

// Clips a-b to r; false when nothing of it is inside. Works in doubles so
// the clipped ends lie on the original line.
bool Clip(double& x0, double& y0, double& x1, double& y1, const QRect& r)
{
    int c0 = Outcode(std::lround(x0), std::lround(y0), r);
    int c1 = Outcode(std::lround(x1), std::lround(y1), r);
    for (int guard = 0; guard < 8; ++guard) {
        if (!(c0 | c1))
            return true;
        if (c0 & c1)
            return false;
        const int out = c0 ? c0 : c1;
        double x = 0, y = 0;
        if (out & 8) {
            x = x0 + (x1 - x0) * (r.bottom() - y0) / (y1 - y0);
            y = r.bottom();
        } else if (out & 4) {
            x = x0 + (x1 - x0) * (r.top() - y0) / (y1 - y0);
            y = r.top();
        } else if (out & 2) {
            y = y0 + (y1 - y0) * (r.right() - x0) / (x1 - x0);
            x = r.right();
        } else {
            y = y0 + (y1 - y0) * (r.left() - x0) / (x1 - x0);
            x = r.left();
        }
        if (out == c0) {
            x0 = x;
            y0 = y;
            c0 = Outcode(std::lround(x0), std::lround(y0), r);
        } else {
            x1 = x;
            y1 = y;
            c1 = Outcode(std::lround(x1), std::lround(y1), r);
        }
    }
    return false;
}

}  // namespace

bool CanDrawFast(const QImage& image)
{
    const QImage::Format f = image.format();
    return !image.isNull() && image.devicePixelRatio() == 1.0
        && (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied);
}

void DrawLineFast(QImage& image, QPoint a, QPoint b, QRgb colour, const QRect& clip)
{
    const QRect r = clip.intersected(image.rect());
    if (r.isEmpty())
        return;
    double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    if (!Clip(x0, y0, x1, y1, r))
        return;
    int px = static_cast<int>(std::lround(x0)), py = static_cast<int>(std::lround(y0));
    const int qx = static_cast<int>(std::lround(x1)), qy = static_cast<int>(std::lround(y1));
    // Bresenham; every pixel it visits lies inside r.
    const int dx = std::abs(qx - px), sx = px < qx ? 1 : -1;
    const int dy = -std::abs(qy - py), sy = py < qy ? 1 : -1;
    int err = dx + dy;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (;;) {
        if (r.contains(px, py))
            reinterpret_cast<QRgb*>(bits + py * stride)[px] = colour;
        if (px == qx && py == qy)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
}

}  // namespace app
