#include "graphpainter.h"

#include "fastlines.h"
#include "scenegeometry.h"

#include <algorithm>

#include <QFontMetrics>
#include <QImage>
#include <QLineF>
#include <QPainter>

namespace app {
namespace {

bool Shows(const QRectF& r, const QPointF& a, double margin)
{
    return r.isEmpty() || r.adjusted(-margin, -margin, margin, margin).contains(a);
}

void DrawBatched(QPainter* p, const std::vector<NodePair>& pairs, const std::vector<QPointF>& at,
                 const QRectF& visible)
{
    std::vector<QLineF> lines;
    lines.reserve(std::min<std::size_t>(pairs.size(), 8192));
    for (const auto& [u, v] : pairs) {
        if (!MayShow(visible, at[u], at[v]))
            continue;
        lines.emplace_back(at[u], at[v]);
        if (lines.size() >= 8192) {
            p->drawLines(lines.data(), static_cast<int>(lines.size()));
            lines.clear();
        }
    }
    if (!lines.empty())
        p->drawLines(lines.data(), static_cast<int>(lines.size()));
}

void DrawLines(QPainter* p, const std::vector<QLineF>& lines)
{
    if (!lines.empty())
        p->drawLines(lines.data(), static_cast<int>(lines.size()));
}

// How large an arrowhead is drawn: outside the node's circle or dot.
ArrowSize ArrowSizeFor(const PaintStyle& st, double length)
{
    const bool labels = st.showLabels && st.labelsReadable;
    return ArrowSize{length * st.lineScale, (labels ? st.radius + 2 * st.lineScale : 4 * st.lineScale)};
}

}  // namespace

double CycleLineWidth(int n)
{
    return n <= 2000 ? 3.0 : 2.0;
}

void PaintEdgeLayer(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st)
{
    if (!st.showEdges || at.size() < static_cast<std::size_t>(s.nodes) + 1)
        return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    QImage* image = p->device() && p->device()->devType() == QInternal::Image ? static_cast<QImage*>(p->device())
                                                                               : nullptr;
    const bool direct = image && CanDrawFast(*image) && p->transform().isIdentity();
    const QRect clip = !image ? QRect() : p->hasClipping() ? p->clipBoundingRect().toAlignedRect() : image->rect();
    auto draw = [&](const std::vector<NodePair>& pairs, const QColor& colour, Qt::PenStyle style) {
        if (pairs.size() >= kFadeEdges && direct) {
            // Many edges on an image: straight into its pixels (dashes
            // would not show in such a mass anyway).
            const QRgb rgb = colour.rgb();
            for (const auto& [u, v] : pairs)
                if (MayShow(st.visible, at[u], at[v]))
                    DrawLineFast(*image, at[u].toPoint(), at[v].toPoint(), rgb, clip);
            return;
        }
        p->setPen(QPen(colour, 0, style));
        DrawBatched(p, pairs, at, st.visible);
    };
    // Ruled-out edges first and lightest: they are what no cycle can use.
    if (!s.ruledOut.empty())
        draw(s.ruledOut, kRuledOutColour, Qt::DashLine);
    draw(s.edges, s.edges.size() >= kFadeEdges ? kFadedEdgeColour : kEdgeColour, Qt::SolidLine);
    if (st.arrows && s.directed) {
        p->setPen(QPen(kArrowColour, 0));
        DrawLines(p, EdgeArrowHeads(s, at, ArrowSizeFor(st, 8), st.visible));
    }
    p->restore();
}

void PaintCycle(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st)
{
    if (s.LinkCount() == 0 || at.size() < static_cast<std::size_t>(s.nodes) + 1)
        return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    const double width = CycleLineWidth(s.nodes) * st.lineScale;
    QPen blue(kCycleColour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p->setPen(blue);
    const LinkLines links = OrderLinkLines(s, at, st.visible);
    DrawLines(p, links.joined);
    const std::vector<QLineF>& gaps = links.gaps;
    // In a directed graph the order runs along the arcs: its arrowheads
    // show which way.
    if (st.arrows && s.directed) {
        p->setPen(QPen(kCycleColour, std::max(1.0, width - 1), Qt::SolidLine, Qt::RoundCap));
        DrawLines(p, LinkArrowHeads(links, ArrowSizeFor(st, 9 + CycleLineWidth(s.nodes))));
        // An arc back along a link would hide under the line: its head goes on top.
        p->setPen(QPen(kArrowColour, 1.5 * st.lineScale));
        DrawLines(p, ReverseArcHeads(s, at, ArrowSizeFor(st, 8), st.visible));
    }
    // A path's two ends are ringed, so that it reads as a path and not as
    // a cycle with a gap.
    if (!s.closed && s.order.size() >= 2) {
        const bool labels = st.showLabels && st.labelsReadable;
        const double ring = labels ? st.radius + 3 * st.lineScale : 5 * st.lineScale;
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(kCycleColour, 2 * st.lineScale));
        for (int end : {s.order.front(), s.order.back()})
            if (MayShow(st.visible, at[end], at[end]))
                p->drawEllipse(at[end], ring, ring);
    }
    // Gaps go on top, wider, with a red ring at each end: a gap between
    // neighbouring nodes of a dense picture is shorter than its line width.
    // Beyond kRingedGaps the red lines are plenty, and a million rings
    // would cost seconds.
    if (!gaps.empty()) {
        QPen red(kGapColour, width + 1 * st.lineScale, Qt::SolidLine, Qt::RoundCap);
        p->setPen(red);
        p->drawLines(gaps.data(), static_cast<int>(gaps.size()));
        if (gaps.size() > kRingedGaps) {
            p->restore();
            return;
        }
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(kGapColour, 2 * st.lineScale));
        // Outside a numbered circle, which would hide it.
        const bool labels = st.showLabels && st.labelsReadable;
        const double ring = labels ? st.radius + 3 * st.lineScale : 6 * st.lineScale;
        for (const QLineF& g : gaps) {
            p->drawEllipse(g.p1(), ring, ring);
            p->drawEllipse(g.p2(), ring, ring);
        }
    }
    p->restore();
}

void PaintNodes(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st)
{
    if (at.size() < static_cast<std::size_t>(s.nodes) + 1)
        return;
    const bool labels = st.showLabels && st.labelsReadable;
    if (!labels && st.spacing >= 0 && st.spacing < kNodeMassSpacing)
        return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(QPen(Qt::black, 0));
    p->setBrush(QColor(0xFF, 0xFF, 0xFF));
    if (labels) {
        p->setFont(st.labelFont);
        const QFontMetrics fm(st.labelFont, p->device());
        const int h = fm.height();
        for (int v = 1; v <= s.nodes; ++v) {
            if (!Shows(st.visible, at[v], st.radius))
                continue;
            const QPoint c = at[v].toPoint();
            const QString label = QString::number(v);
            const int w = fm.horizontalAdvance(label);
            p->drawEllipse(c, st.radius, st.radius);
            p->drawText(QRect(c.x() - w, c.y() - h / 2 - 1, 2 * w, h), Qt::AlignHCenter | Qt::AlignTop, label);
        }
    } else if (st.showLabels || s.nodes <= 2000) {
        // Small circles, as the picture without labels always had; many
        // nodes too close for their numbers get dots that leave the cycle
        // between them visible.
        const int r = (st.showLabels ? s.nodes <= 500 : s.nodes <= 2000) ? 3 : 1;
        for (int v = 1; v <= s.nodes; ++v)
            if (Shows(st.visible, at[v], r))
                p->drawEllipse(at[v].toPoint(), static_cast<int>(r * st.lineScale), static_cast<int>(r * st.lineScale));
    } else {
        for (int v = 1; v <= s.nodes; ++v)
            if (Shows(st.visible, at[v], 1))
                p->drawPoint(at[v].toPoint());
    }
    p->restore();
}

void PaintScene(QPainter* p, const GraphScene& s, const std::vector<QPointF>& at, const PaintStyle& st)
{
    PaintEdgeLayer(p, s, at, st);
    PaintCycle(p, s, at, st);
    PaintNodes(p, s, at, st);
}

}  // namespace app
