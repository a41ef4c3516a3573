#include "scenegeometry.h"

#include <algorithm>
#include <cmath>

namespace app {

bool MayShow(const QRectF& r, const QPointF& a, const QPointF& b)
{
    if (r.isEmpty())
        return true;
    return std::max(a.x(), b.x()) >= r.left() && std::min(a.x(), b.x()) <= r.right()
        && std::max(a.y(), b.y()) >= r.top() && std::min(a.y(), b.y()) <= r.bottom();
}

bool ShowArrows(const GraphScene& s, double spacing)
{
    return s.directed && (s.edges.size() <= kArrowEdges || spacing >= kArrowSpacing);
}

bool AppendArrowHead(const QPointF& a, const QPointF& b, const ArrowSize& size, std::vector<QLineF>& out)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    // The head and its nodes need room: otherwise it would sit on the tail
    // node or hide the line it is to point along.
    if (len < 2 * size.inset + 1.5 * size.length)
        return false;
    const double ux = dx / len, uy = dy / len;
    const QPointF tip(b.x() - ux * size.inset, b.y() - uy * size.inset);
    // 25 degrees either side of the line, pointing back along it.
    constexpr double kCos = 0.906307787, kSin = 0.422618262;
    const double bx = -ux * size.length, by = -uy * size.length;
    out.emplace_back(tip, QPointF(tip.x() + bx * kCos - by * kSin, tip.y() + bx * kSin + by * kCos));
    out.emplace_back(tip, QPointF(tip.x() + bx * kCos + by * kSin, tip.y() - bx * kSin + by * kCos));
    return true;
}

std::vector<QLineF> EdgeArrowHeads(const GraphScene& s, const std::vector<QPointF>& at, const ArrowSize& size,
                                   const QRectF& visible)
{
    std::vector<QLineF> out;
    if (!s.directed || at.size() < static_cast<std::size_t>(s.nodes) + 1 || s.heads.size() != s.edges.size())
        return out;
    for (std::size_t k = 0; k < s.edges.size(); ++k) {
        const QPointF& a = at[s.edges[k].first];
        const QPointF& b = at[s.edges[k].second];
        if (!MayShow(visible, a, b))
            continue;
        if (s.heads[k] & kHeadAtSecond)
            AppendArrowHead(a, b, size, out);
        if (s.heads[k] & kHeadAtFirst)
            AppendArrowHead(b, a, size, out);
    }
    return out;
}

LinkLines OrderLinkLines(const GraphScene& s, const std::vector<QPointF>& at, const QRectF& visible)
{
    LinkLines links;
    const std::size_t k = s.order.size();
    if (k < 2 || at.size() < static_cast<std::size_t>(s.nodes) + 1)
        return links;
    links.joined.reserve(s.LinkCount());
    for (std::size_t i = 0; i < s.LinkCount(); ++i) {
        const QPointF& a = at[s.order[i]];
        const QPointF& b = at[s.order[(i + 1) % k]];
        if (MayShow(visible, a, b))
            (s.gap[i] ? links.gaps : links.joined).emplace_back(a, b);
    }
    return links;
}

std::vector<QLineF> LinkArrowHeads(const LinkLines& links, const ArrowSize& size)
{
    std::vector<QLineF> out;
    for (const auto* lines : {&links.joined, &links.gaps})
        for (const QLineF& l : *lines)
            AppendArrowHead(l.p1(), l.p2(), size, out);
    return out;
}

std::vector<QLineF> ReverseArcHeads(const GraphScene& s, const std::vector<QPointF>& at, const ArrowSize& size,
                                    const QRectF& visible)
{
    std::vector<QLineF> out;
    const std::size_t k = s.order.size();
    if (!s.directed || k < 2 || at.size() < static_cast<std::size_t>(s.nodes) + 1 || s.heads.size() != s.edges.size())
        return out;
    for (std::size_t i = 0; i < s.LinkCount(); ++i) {
        const int u = s.order[i], v = s.order[(i + 1) % k];
        if (s.gap[i] || !MayShow(visible, at[u], at[v]))
            continue;
        const NodePair p(std::min(u, v), std::max(u, v));
        const auto it = std::lower_bound(s.edges.begin(), s.edges.end(), p);
        if (it == s.edges.end() || *it != p)
            continue;
        // The link is the arc u -> v; the arc back enters u.
        const std::uint8_t back = u < v ? kHeadAtFirst : kHeadAtSecond;
        if (s.heads[static_cast<std::size_t>(it - s.edges.begin())] & back)
            AppendArrowHead(at[v], at[u], size, out);
    }
    return out;
}

}  // namespace app
