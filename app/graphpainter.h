// Paints a graph scene at given screen positions: the other edges (faded or
// hidden; a directed graph's with arrowheads where they point), the edges a
// search ruled out (dashed, lightest), the cycle or path above them in
// thick blue with its gaps in red and marked so that even a short gap shows
// at every size, and the nodes (numbered circles where labels are readable,
// dots elsewhere). The view, the printout, picture export and the scripted
// export all paint through here.
#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>

#include "graphscene.h"

class QPainter;

namespace app {

struct PaintStyle {
    bool showEdges = true;
    bool showLabels = true;       // numbered circles where readable
    bool labelsReadable = true;   // the layout leaves room for the numbers
    QFont labelFont;
    int radius = 4;               // circle of a numbered node
    double lineScale = 1.0;       // line widths are multiplied by this (paper)
    // Typical distance between neighbouring nodes in device pixels; < 0
    // when unknown. Nodes closer than kNodeMassSpacing are not drawn: they
    // would merge into one black mass that hides the cycle.
    double spacing = -1.0;
    QRectF visible;               // what the device shows; empty: everything
    // A directed graph's arcs and its cycle or path carry arrowheads (the
    // caller decides, see ShowArrows: they cost time on large pictures).
    bool arrows = false;
};

// The colours of the picture.
inline const QColor kEdgeColour(0xC0, 0xC0, 0xC0);
inline const QColor kFadedEdgeColour(0xE0, 0xE0, 0xE0);
inline const QColor kRuledOutColour(0xEC, 0xEC, 0xEC);
inline const QColor kCycleColour(0x00, 0x00, 0xFF);
inline const QColor kGapColour(0xFF, 0x00, 0x00);
inline const QColor kArrowColour(0x70, 0x70, 0x70);

// From this many edges on the other edges are drawn faded, so that the
// cycle stands out of the mass.
constexpr std::size_t kFadeEdges = 4000;
constexpr double kNodeMassSpacing = 3.0;
// Up to this many gaps each gets a ring at both ends.
constexpr std::size_t kRingedGaps = 2000;

// at[v] is node v's position (index 0 unused).
void PaintEdgeLayer(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st);
void PaintCycle(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st);
void PaintNodes(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st);
// All three in order.
void PaintScene(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st);

// The width of the cycle's line for a graph of n nodes, before lineScale.
double CycleLineWidth(int n);

}  // namespace app
