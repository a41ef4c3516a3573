// CHcpView's painting: the screen picture through a cached edge layer, and
// the printed page.
#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>

#include <QFontMetrics>
#include <QPainter>

#include "framework/waitcursor.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "scenegeometry.h"

namespace {

// Combines v into h; every input bit reaches every output bit (the
// splitmix64 finaliser), so keys that differ in one field differ.
std::uint64_t Mix(std::uint64_t h, std::uint64_t v)
{
    std::uint64_t z = h + 0x9E3779B97F4A7C15ull + v * 0xD6E8FEB86659FD93ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Bits(double d)
{
    std::uint64_t u;
    static_assert(sizeof u == sizeof d);
    std::memcpy(&u, &d, sizeof u);
    return u;
}

std::uint64_t PositionsHash(const std::vector<float>& x, const std::vector<float>& y)
{
    std::uint64_t h = x.size();
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i)
        h = Mix(h, (static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(x[i])) << 32)
                       | std::bit_cast<std::uint32_t>(y[i]));
    return h;
}

}  // namespace

std::vector<QPointF> CHcpView::ScreenPositions() const
{
    std::vector<QPointF> at(static_cast<std::size_t>(m_nNodes) + 1);
    if (!HasPositions())
        return at;
    const CHcpDoc* doc = GetDocument();
    const bool identity = m_viewport.IsIdentity();
    for (int v = 1; v <= m_nNodes; ++v) {
        if (identity) {
            // The unzoomed picture keeps the whole-pixel positions it always had.
            const app::Point p = app::NodePoint(m_rcGraph, doc->m_pX[v - 1], doc->m_pY[v - 1]);
            at[v] = QPointF(p.x, p.y);
        } else {
            const app::PointF p = m_viewport.ToScreen(doc->m_pX[v - 1], doc->m_pY[v - 1]);
            at[v] = QPointF(p.x, p.y);
        }
    }
    return at;
}

bool CHcpView::LabelsReadable()
{
    CHcpDoc* doc = GetDocument();
    if (!doc || !HasPositions())
        return true;
    const std::uint64_t key = Mix(PositionsHash(doc->m_pX, doc->m_pY),
                                  Mix(m_rcGraph.Width(), m_rcGraph.Height()));
    if (key != m_spacingKey || m_spacing < 0) {
        m_spacing = app::MedianNearestSpacing(doc->m_pX, doc->m_pY, m_rcGraph.Width(), m_rcGraph.Height());
        m_spacingKey = key;
    }
    // Fewer than two nodes, or labels that fit between neighbours.
    return m_nNodes < 2 || m_spacing * m_viewport.Zoom() >= 2.0 * m_nRadius;
}

app::PaintStyle CHcpView::ScreenStyle()
{
    app::PaintStyle st;
    st.showEdges = m_bShowEdges;
    st.showLabels = m_bShowLabels;
    st.labelsReadable = LabelsReadable();
    st.spacing = m_spacing < 0 ? -1.0 : m_spacing * m_viewport.Zoom();
    st.labelFont = m_labelFont;
    st.radius = m_nRadius;
    st.lineScale = 1.0;
    st.visible = QRectF(0, 0, width(), height());
    return st;
}

std::uint64_t CHcpView::LayerKey(const app::GraphScene& scene) const
{
    const CHcpDoc* doc = GetDocument();
    std::uint64_t h = scene.revision;
    h = Mix(h, PositionsHash(doc->m_pX, doc->m_pY));
    h = Mix(h, (static_cast<std::uint64_t>(width()) << 32) | static_cast<std::uint32_t>(height()));
    h = Mix(h, Bits(devicePixelRatioF()));
    h = Mix(h, Bits(m_viewport.Zoom()));
    h = Mix(h, Bits(m_viewport.PanX()));
    h = Mix(h, Bits(m_viewport.PanY()));
    h = Mix(h, (static_cast<std::uint64_t>(m_rcGraph.left) << 48) ^ (static_cast<std::uint64_t>(m_rcGraph.top) << 32)
                   ^ (static_cast<std::uint64_t>(m_rcGraph.right) << 16) ^ static_cast<std::uint64_t>(m_rcGraph.bottom));
    h = Mix(h, (m_bShowEdges ? 1 : 2) | (m_bShowLabels ? 4 : 8));
    return Mix(h, static_cast<std::uint64_t>(m_nRadius));
}

void CHcpView::OnDraw(QPainter* painter)
{
    const auto start = std::chrono::steady_clock::now();
    DrawScreen(painter);
    m_lastPaintMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void CHcpView::Draw(QPainter* painter, CPrintInfo* info)
{
    if (info)
        DrawPrinted(painter, info);
    else
        DrawScreen(painter);
}

void CHcpView::DrawScreen(QPainter* painter)
{
    CHcpDoc* doc = GetDocument();
    const bool drawGraph = doc && HasPositions();
    const app::GraphScene* scene = drawGraph ? &doc->Scene() : nullptr;
    const qreal ratio = devicePixelRatioF();
    const std::uint64_t key = scene ? LayerKey(*scene) : 1;
    if (key != m_layerKey || m_layer.isNull() || !m_bLayerValid) {
        // The whole picture changes only with the document, the positions,
        // the zoom, the size or what is shown: a repaint in between (an
        // expose, a drag's feedback, a mark) copies it.
        m_layer = QImage(size() * ratio, QImage::Format_RGB32);
        m_layer.setDevicePixelRatio(ratio);
        m_layer.fill(m_whiteBrush.color());
        if (scene) {
            QPainter layer(&m_layer);
            // The picture stays below the title strip when zoomed or panned.
            layer.setClipRect(QRect(0, m_nMargin + 1, width(), height()));
            app::PaintStyle st = ScreenStyle();
            st.arrows = app::ShowArrows(*scene, st.spacing);
            app::PaintScene(&layer, *scene, ScreenPositions(), st);
        }
        m_layerKey = key;
        m_bLayerValid = true;
    }
    painter->save();
    painter->drawImage(QPoint(0, 0), m_layer);
    if (scene && ((m_nMarked >= 1 && m_nMarked <= m_nNodes) || (m_bDragging && m_nSelected >= 1))) {
        painter->save();
        painter->setClipRect(QRect(0, m_nMargin + 1, width(), height()));
        if (m_nMarked >= 1 && m_nMarked <= m_nNodes) {
            const app::PointF p = m_viewport.IsIdentity()
                ? app::PointF{double(app::NodePoint(m_rcGraph, doc->m_pX[m_nMarked - 1], doc->m_pY[m_nMarked - 1]).x),
                              double(app::NodePoint(m_rcGraph, doc->m_pX[m_nMarked - 1], doc->m_pY[m_nMarked - 1]).y)}
                : m_viewport.ToScreen(doc->m_pX[m_nMarked - 1], doc->m_pY[m_nMarked - 1]);
            painter->setPen(QPen(QColor(0xFF, 0x8C, 0x00), 3));
            painter->setBrush(Qt::NoBrush);
            painter->drawEllipse(QPointF(p.x, p.y), m_nRadius + 5, m_nRadius + 5);
        }
        if (m_bDragging && m_nSelected >= 1) {
            // Feedback while a node is dragged: its circle follows the mouse.
            painter->setPen(QPen(Qt::black, 0, Qt::DashLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawEllipse(m_dragPos, m_nRadius, m_nRadius);
        }
        painter->restore();
    }
    painter->setPen(QPen(Qt::black, 0));
    painter->fillRect(QRect(0, 0, width(), m_nMargin), m_whiteBrush);
    painter->drawLine(m_rcGraph.left, m_nMargin, m_rcGraph.right, m_nMargin);
    if (doc)
        DrawTitle(painter, nullptr);
    painter->restore();
}

void CHcpView::DrawPrinted(QPainter* painter, CPrintInfo* info)
{
    CWaitCursor wait;
    painter->save();
    painter->setPen(QPen(Qt::black, 0));
    painter->drawLine(0, m_rcPrint.top - 100, m_rcPrint.right, m_rcPrint.top - 100);
    CHcpDoc* doc = GetDocument();
    if (doc) {
        DrawTitle(painter, info);
        if (HasPositions()) {
            std::vector<QPointF> at(static_cast<std::size_t>(m_nNodes) + 1);
            for (int v = 1; v <= m_nNodes; ++v) {
                const app::Point p = app::NodePoint(m_rcPrint, doc->m_pX[v - 1], doc->m_pY[v - 1]);
                at[v] = QPointF(p.x, p.y);
            }
            app::PaintStyle st;
            st.showEdges = m_bShowEdges;
            st.showLabels = m_bShowLabels;
            // Paper is larger than the window: the labels are readable
            // there when they are at zoom 1 on screen.
            st.labelsReadable = m_nNodes < 2 || m_spacing < 0 || m_spacing >= 2.0 * m_nRadius;
            st.labelFont = m_printFont;
            st.radius = m_nPrintRadius;
            st.lineScale = std::max(1.0, m_rcPrint.Width() / std::max(1.0, double(m_rcGraph.Width())));
            st.arrows = app::ShowArrows(doc->Scene(), m_spacing);
            app::PaintScene(painter, doc->Scene(), at, st);
        }
    }
    painter->restore();
}
