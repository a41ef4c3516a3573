// Zoom and pan of the graph picture as plain arithmetic. Positions live in
// the unit square; at zoom 1 with no pan the unit square fills the graph
// rectangle exactly as the unzoomed picture always drew it, so the picture,
// the hit test and a drop agree with earlier versions until the user zooms.
#pragma once

#include <vector>

#include "viewgeometry.h"

namespace app {

struct PointF {
    double x = 0.0;
    double y = 0.0;
};

class Viewport {
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 512.0;

    // The rectangle the unit square fills at zoom 1.
    void SetRect(const Box& r) { m_rect = r; }
    const Box& Rect() const { return m_rect; }

    double Zoom() const { return m_zoom; }
    double PanX() const { return m_panX; }
    double PanY() const { return m_panY; }
    // Zoom 1 and no pan.
    bool IsIdentity() const { return m_zoom == 1.0 && m_panX == 0.0 && m_panY == 0.0; }
    void Reset();

    // Screen position of unit coordinates, and back.
    PointF ToScreen(float ux, float uy) const;
    PointF ToUnit(double px, double py) const;

    // Multiplies the zoom by factor (clamped to the limits) keeping the
    // screen point (px, py) over the same unit point, as a wheel zoom does.
    void ZoomAt(double factor, double px, double py);
    // The same about the centre of the rectangle (the + and - keys).
    void ZoomCentre(double factor);
    void Pan(double dx, double dy);
    // Shows the box [x0, x1] x [y0, y1] of unit coordinates as large as the
    // rectangle allows, centred; a degenerate box is treated as a point.
    void FitUnitBox(double x0, double y0, double x1, double y1);
    // Centres the screen on unit point (ux, uy) without changing the zoom.
    void CentreOn(float ux, float uy);

    // Which box of unit coordinates the screen rectangle shows (with margin
    // pixels on every side): what a paint must draw.
    void VisibleUnitBox(int width, int height, double margin, double& x0, double& y0, double& x1,
                        double& y1) const;

private:
    Box m_rect;
    double m_zoom = 1.0;
    double m_panX = 0.0;  // screen pixels
    double m_panY = 0.0;
};

// The median distance from a node to its nearest neighbour, in unit
// coordinates scaled to a w x h rectangle (so the figure is in pixels at zoom
// 1). Labels are readable when this distance times the zoom exceeds the
// label's size. Uses a bucket grid; beyond 4096 nodes the median is taken
// over 4096 of them spread evenly over the node numbers, so a million-node
// layout costs O(n) to bucket and little more. 0 for fewer than two nodes.
double MedianNearestSpacing(const std::vector<float>& x, const std::vector<float>& y, double w, double h);

}  // namespace app
