// The lines a picture of a scene is made of, as data: the order's links
// split into edges and gaps, and the arrowheads that show which way a
// directed graph's arcs (and a cycle or path along them) run. The painter
// strokes these; tests read them without pixels.
#pragma once

#include <vector>

#include <QLineF>
#include <QPointF>
#include <QRectF>

#include "graphscene.h"

namespace app {

// A directed picture shows arrowheads up to this many edges; beyond it
// only when zoomed in so far that neighbouring nodes are kArrowSpacing
// device pixels apart, so that a large picture stays quick to paint and
// is not buried under arrowheads.
constexpr std::size_t kArrowEdges = 20000;
constexpr double kArrowSpacing = 24.0;
bool ShowArrows(const GraphScene& s, double spacing);

// The size of an arrowhead: the length of its two strokes, and how far its
// tip stays from the head node's centre (outside the node's circle).
struct ArrowSize {
    double length = 8.0;
    double inset = 4.0;
};

// Appends the two strokes of an arrowhead on a -> b with its tip at
// distance inset before b. Nothing (false) when the segment is too short
// to show one beside its nodes.
bool AppendArrowHead(const QPointF& a, const QPointF& b, const ArrowSize& size, std::vector<QLineF>& out);

// The arrowheads of a directed scene's edges whose segment may show in
// visible (empty: everywhere): two strokes per arc, so an edge with arcs
// both ways gets one at each end. at[v] is node v's position (index 0
// unused). Nothing for an undirected scene.
std::vector<QLineF> EdgeArrowHeads(const GraphScene& s, const std::vector<QPointF>& at, const ArrowSize& size,
                                   const QRectF& visible);

// The order's links that may show in visible: the ones that are edges
// (arcs) and the gaps, in order. A path has no link from its last node
// back to its first.
struct LinkLines {
    std::vector<QLineF> joined;
    std::vector<QLineF> gaps;
};
LinkLines OrderLinkLines(const GraphScene& s, const std::vector<QPointF>& at, const QRectF& visible);

// Arrowheads along the order's links (each from a node to the next), for a
// cycle or path in a directed graph.
std::vector<QLineF> LinkArrowHeads(const LinkLines& links, const ArrowSize& size);

// The arrowheads of the arcs that run against the order's links where
// the order's thick line covers their edge (u -> v a link, v -> u an arc
// too), so that on the cycle or path both directions of a pair show.
std::vector<QLineF> ReverseArcHeads(const GraphScene& s, const std::vector<QPointF>& at, const ArrowSize& size,
                                    const QRectF& visible);

// Whether the segment a-b may cross r: its bounding box meets r (an empty
// r shows everything).
bool MayShow(const QRectF& r, const QPointF& a, const QPointF& b);

}  // namespace app
