#include "viewport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace app {

void Viewport::Reset()
{
    m_zoom = 1.0;
    m_panX = 0.0;
    m_panY = 0.0;
}

PointF Viewport::ToScreen(float ux, float uy) const
{
    // The zoom-1 position is computed in single precision as NodePoint does,
    // so an unzoomed picture lands on the same pixels.
    const float bx = static_cast<float>(m_rect.right - m_rect.left) * ux + static_cast<float>(m_rect.left);
    const float by = static_cast<float>(m_rect.bottom - m_rect.top) * uy + static_cast<float>(m_rect.top);
    if (IsIdentity())
        return PointF{bx, by};
    const double cx = (m_rect.left + m_rect.right) / 2.0;
    const double cy = (m_rect.top + m_rect.bottom) / 2.0;
    return PointF{cx + (bx - cx) * m_zoom + m_panX, cy + (by - cy) * m_zoom + m_panY};
}

PointF Viewport::ToUnit(double px, double py) const
{
    const double cx = (m_rect.left + m_rect.right) / 2.0;
    const double cy = (m_rect.top + m_rect.bottom) / 2.0;
    const double bx = cx + (px - m_panX - cx) / m_zoom;
    const double by = cy + (py - m_panY - cy) / m_zoom;
    const double w = m_rect.right - m_rect.left;
    const double h = m_rect.bottom - m_rect.top;
    return PointF{w != 0 ? (bx - m_rect.left) / w : 0.0, h != 0 ? (by - m_rect.top) / h : 0.0};
}

void Viewport::ZoomAt(double factor, double px, double py)
{
    if (!(factor > 0))
        return;
    const double zoom = std::clamp(m_zoom * factor, kMinZoom, kMaxZoom);
    const double applied = zoom / m_zoom;
    // The point under (px, py) stays there: solve the pan for it.
    const double cx = (m_rect.left + m_rect.right) / 2.0;
    const double cy = (m_rect.top + m_rect.bottom) / 2.0;
    m_panX = (px - cx) - (px - cx - m_panX) * applied;
    m_panY = (py - cy) - (py - cy - m_panY) * applied;
    m_zoom = zoom;
    if (std::abs(m_zoom - 1.0) < 1e-9 && std::abs(m_panX) < 1e-6 && std::abs(m_panY) < 1e-6)
        Reset();
}

void Viewport::ZoomCentre(double factor)
{
    ZoomAt(factor, (m_rect.left + m_rect.right) / 2.0, (m_rect.top + m_rect.bottom) / 2.0);
}

void Viewport::Pan(double dx, double dy)
{
    m_panX += dx;
    m_panY += dy;
}

void Viewport::FitUnitBox(double x0, double y0, double x1, double y1)
{
    Reset();
    const double bw = std::max(x1 - x0, 0.0);
    const double bh = std::max(y1 - y0, 0.0);
    double zoom = 1.0;
    if (bw > 1e-9 || bh > 1e-9) {
        const double zx = bw > 1e-9 ? 1.0 / bw : std::numeric_limits<double>::infinity();
        const double zy = bh > 1e-9 ? 1.0 / bh : std::numeric_limits<double>::infinity();
        zoom = std::clamp(std::min(zx, zy), kMinZoom, kMaxZoom);
    }
    m_zoom = zoom;
    CentreOn(static_cast<float>((x0 + x1) / 2), static_cast<float>((y0 + y1) / 2));
    if (std::abs(m_zoom - 1.0) < 1e-9 && std::abs(m_panX) < 1e-6 && std::abs(m_panY) < 1e-6)
        Reset();
}

void Viewport::CentreOn(float ux, float uy)
{
    const double w = m_rect.right - m_rect.left;
    const double h = m_rect.bottom - m_rect.top;
    // Zoom-1 offset of the point from the centre, scaled; the pan cancels it.
    m_panX = -(w * ux - w / 2.0) * m_zoom;
    m_panY = -(h * uy - h / 2.0) * m_zoom;
}

void Viewport::VisibleUnitBox(int width, int height, double margin, double& x0, double& y0, double& x1,
                              double& y1) const
{
    const PointF a = ToUnit(-margin, -margin);
    const PointF b = ToUnit(width + margin, height + margin);
    x0 = std::min(a.x, b.x);
    x1 = std::max(a.x, b.x);
    y0 = std::min(a.y, b.y);
    y1 = std::max(a.y, b.y);
}

double MedianNearestSpacing(const std::vector<float>& x, const std::vector<float>& y, double w, double h)
{
    std::size_t n = std::min(x.size(), y.size());
    if (n < 2)
        return 0.0;
    // Buckets of about one node each over the nodes' bounding box.
    float minX = x[0], maxX = x[0], minY = y[0], maxY = y[0];
    for (std::size_t i = 1; i < n; ++i) {
        minX = std::min(minX, x[i]);
        maxX = std::max(maxX, x[i]);
        minY = std::min(minY, y[i]);
        maxY = std::max(maxY, y[i]);
    }
    const double spanX = std::max((maxX - minX) * w, 1e-9);
    const double spanY = std::max((maxY - minY) * h, 1e-9);
    const int side = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(n))));
    const double cell = std::max(spanX, spanY) / side;
    const int gx = std::max(1, static_cast<int>(spanX / cell) + 1);
    const int gy = std::max(1, static_cast<int>(spanY / cell) + 1);
    auto px = [&](std::size_t i) { return (x[i] - minX) * w; };
    auto py = [&](std::size_t i) { return (y[i] - minY) * h; };
    auto cellOf = [&](double v, int g) { return std::clamp(static_cast<int>(v / cell), 0, g - 1); };
    auto cellIndex = [&](std::size_t i) {
        return static_cast<std::size_t>(cellOf(py(i), gy)) * gx + cellOf(px(i), gx);
    };
    // The nodes of each bucket side by side (a counting sort), not a
    // vector per bucket: a million nodes would mean a million allocations.
    std::vector<std::size_t> start(static_cast<std::size_t>(gx) * gy + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        ++start[cellIndex(i) + 1];
    for (std::size_t c = 1; c < start.size(); ++c)
        start[c] += start[c - 1];
    std::vector<std::uint32_t> members(n);
    {
        std::vector<std::size_t> fill(start.begin(), start.end() - 1);
        for (std::size_t i = 0; i < n; ++i)
            members[fill[cellIndex(i)]++] = static_cast<std::uint32_t>(i);
    }

    // Up to kSample nodes, spread evenly over the numbers, are asked for
    // their nearest neighbour: the median of so many is as good a figure
    // for readability as the median of all, and a layout that crowds the
    // nodes into few buckets (a circle of a million) stays cheap.
    constexpr std::size_t kSample = 4096;
    const std::size_t asked = std::min(n, kSample);
    std::vector<double> nearest(asked, std::numeric_limits<double>::infinity());
    for (std::size_t k = 0; k < asked; ++k) {
        const std::size_t i = asked == n ? k : k * n / asked;
        const int cx = cellOf(px(i), gx);
        const int cy = cellOf(py(i), gy);
        // Widen the ring until a neighbour is found and the ring is beyond it.
        for (int ring = 1; ring <= std::max(gx, gy); ++ring) {
            for (int yy = std::max(0, cy - ring); yy <= std::min(gy - 1, cy + ring); ++yy)
                for (int xx = std::max(0, cx - ring); xx <= std::min(gx - 1, cx + ring); ++xx) {
                    const std::size_t c = static_cast<std::size_t>(yy) * gx + xx;
                    for (std::size_t m = start[c]; m < start[c + 1]; ++m) {
                        const std::size_t j = members[m];
                        if (j == i)
                            continue;
                        const double dx = px(i) - px(j);
                        const double dy = py(i) - py(j);
                        nearest[k] = std::min(nearest[k], std::sqrt(dx * dx + dy * dy));
                    }
                }
            if (nearest[k] <= ring * cell)
                break;
        }
    }
    n = asked;
    std::nth_element(nearest.begin(), nearest.begin() + static_cast<std::ptrdiff_t>(n / 2), nearest.end());
    return nearest[n / 2];
}

}  // namespace app
