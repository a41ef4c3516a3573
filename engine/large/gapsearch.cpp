#include "large/gapsearch.h"

#include <algorithm>
#include <cassert>

namespace hcp {

GapSearch::GapSearch(const Graph& g, std::span<const NodeId> order, Random64& rng)
    : m_graph(g), m_list(order), m_rng(rng)
{
    const std::size_t n = order.size();
    for (std::size_t i = 0; i < n; ++i) {
        const NodeId u = order[i], v = order[(i + 1) % n];
        if (IsGap(u, v)) {
            ++m_gaps;
            m_queue.emplace_back(u, v);
        }
    }
}

// Finds where the paths strictly between tail t and head h (t ~ h) can go
// once t and h are joined: next to a neighbour p of one of their two ends,
// outside them. Keeps the move in 'best' when it beats it.
void GapSearch::BestJoin(NodeId t, NodeId h, Move& best)
{
    const NodeId s1 = m_list.Next(t), s2 = m_list.Prev(h);
    auto consider = [&](NodeId end, NodeId other, bool flip) {
        for (NodeId p : m_graph.Neighbors(end)) {
            if (p == t || m_list.Between(s1, p, s2)) continue;
            const NodeId q = m_list.Next(p);
            const int delta = -2 - int(IsGap(p, q)) + int(IsGap(other, q));
            if (delta < best.delta) {
                best.kind = Move::Join;
                best.delta = delta;
                best.t = t;
                best.h = h;
                best.p = p;
                best.flip = flip;
            }
        }
    };
    consider(s2, s1, true);
    consider(s1, s2, false);
}

GapSearch::Move GapSearch::Choose(NodeId a, NodeId b)
{
    Move best;
    m_neutral.clear();
    const NodeId pa = m_list.Prev(a), nb = m_list.Next(b);
    for (NodeId c : m_graph.Neighbors(a)) {
        if (c == pa) continue;
        const NodeId d = m_list.Next(c);
        const int delta = -1 - int(IsGap(c, d)) + int(IsGap(b, d));
        Move m;
        m.kind = Move::FromTail;
        m.delta = delta;
        m.c = c;
        if (delta < best.delta) best = m;
        if (delta == 0) m_neutral.push_back(m);
    }
    for (NodeId c : m_graph.Neighbors(b)) {
        if (c == nb) continue;
        const NodeId e = m_list.Prev(c);
        const int delta = -1 - int(IsGap(e, c)) + int(IsGap(a, e));
        Move m;
        m.kind = Move::FromHead;
        m.delta = delta;
        m.c = c;
        if (delta < best.delta) best = m;
        if (delta == 0) m_neutral.push_back(m);
    }
    if (best.delta < -1) return best;
    // Joins of a tail to a head lower the count by one or two.
    for (NodeId y : m_graph.Neighbors(a)) {
        const NodeId x = m_list.Prev(y);
        if (x != a && IsGap(x, y)) BestJoin(a, y, best);
    }
    for (NodeId x : m_graph.Neighbors(b)) {
        const NodeId y = m_list.Next(x);
        if (y != b && IsGap(x, y)) BestJoin(x, b, best);
    }
    if (best.delta < 0 || m_neutral.empty()) return best;
    return m_neutral[m_rng.Below(static_cast<std::uint32_t>(m_neutral.size()))];
}

std::pair<NodeId, NodeId> GapSearch::Apply(NodeId a, NodeId b, const Move& m)
{
    // Reverses the path u..v whose outside neighbour at u is 'outside',
    // whichever way the list reads it now.
    auto reversePath = [&](NodeId u, NodeId v, NodeId outside) {
        if (m_list.Prev(u) == outside)
            m_list.Reverse(u, v);
        else
            m_list.Reverse(v, u);
    };
    auto leftover = [&](NodeId u, NodeId v) {
        return IsGap(u, v) ? std::make_pair(u, v) : std::make_pair(u, u);
    };
    switch (m.kind) {
    case Move::FromTail: {
        // a b ... c d  ->  a c ... b d
        const NodeId d = m_list.Next(m.c);
        m_list.Reverse(b, m.c);
        return leftover(b, d);
    }
    case Move::FromHead: {
        // a b ... e c  ->  a e ... b c
        const NodeId e = m_list.Prev(m.c);
        m_list.Reverse(b, e);
        return leftover(a, e);
    }
    case Move::Join: {
        // t s1..s2 h ... p q  ->  t h ... p s2..s1 q  (flip)
        //                    or  t h ... p s1..s2 q
        const NodeId s1 = m_list.Next(m.t), s2 = m_list.Prev(m.h), q = m_list.Next(m.p);
        m_list.Reverse(s1, m.p);
        reversePath(m.p, m.h, m.t);
        if (m.flip) return leftover(s1, q);
        reversePath(s2, s1, m.p);
        return leftover(s2, q);
    }
    case Move::None:
        break;
    }
    return {a, b};
}

std::pair<NodeId, NodeId> GapSearch::Walk(NodeId x, NodeId y, std::uint64_t limit, StopWatch& stop,
                                          const std::function<void(int)>& tick)
{
    NodeId a = x, b = y;
    std::uint64_t since = 0;
    while (!stop.Stopped()) {
        if (m_list.Next(a) != b) std::swap(a, b);
        assert(m_list.Next(a) == b);
        if (++m_tickCount % 256 == 0 && tick) tick(m_gaps);
        const Move m = Choose(a, b);
        ++m_stats.steps;
        if (m.kind == Move::None) break;
        const auto [u, v] = Apply(a, b, m);
        m_gaps += m.delta;
        if (m.delta < 0) {
            ++m_stats.improvements;
            since = 0;
            if (u == v) return {u, u};
        } else if (++since >= limit) {
            return {u, v};
        }
        a = u;
        b = v;
    }
    return {a, b};
}

bool GapSearch::Run(StopWatch& stop, const std::function<void(int)>& tick)
{
    std::uint64_t limit = 64;
    std::uint64_t idleWalks = 0;
    while (m_gaps > 0 && !stop.Stopped()) {
        if (m_queue.empty()) {
            // Every gap should be queued; rescan rather than trust that.
            const std::vector<NodeId> order = m_list.Order(0);
            for (std::size_t i = 0; i < order.size(); ++i) {
                const NodeId u = order[i], v = order[(i + 1) % order.size()];
                if (IsGap(u, v)) m_queue.emplace_back(u, v);
            }
        }
        const auto [x, y] = m_queue.front();
        m_queue.pop_front();
        if (!Consecutive(x, y) || Edge(x, y)) continue;
        ++m_stats.walks;
        const int before = m_gaps;
        const auto [u, v] = Walk(x, y, limit, stop, tick);
        if (u != v) m_queue.emplace_back(u, v);
        if (m_gaps < before) {
            idleWalks = 0;
        } else if (++idleWalks > static_cast<std::uint64_t>(m_gaps)) {
            // A whole round without progress: walk further next time.
            idleWalks = 0;
            limit = std::min<std::uint64_t>(limit * 2, std::uint64_t(1) << 40);
        }
    }
    return m_gaps == 0;
}

}  // namespace hcp
