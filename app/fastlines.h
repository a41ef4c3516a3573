// One-pixel opaque lines written straight into an RGB32 image. A dense
// graph has hundreds of thousands of edges; drawn faded, non-antialiased
// and one pixel wide they look the same as through the painter, at a
// fraction of its per-pixel cost.
#pragma once

#include <utility>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QRect>

namespace app {

// Draws the segment from a to b (pixel coordinates, rounded to the nearest
// pixel) in colour, clipped to clip and to the image. image must be RGB32
// or ARGB32 (premultiplied or not) with a device pixel ratio of 1.
void DrawLineFast(QImage& image, QPoint a, QPoint b, QRgb colour, const QRect& clip);

// Whether DrawLineFast can draw into image.
bool CanDrawFast(const QImage& image);

}  // namespace app
