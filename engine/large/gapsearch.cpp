#include "large/gapsearch.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace hcp {

namespace {

std::vector<NodeId> Identity(NodeId n)
{
    std::vector<NodeId> v(n);
    for (NodeId k = 0; k < n; ++k) v[k] = k;
    return v;
}

// The segment length of the two-level list. Splitting a segment rewrites
// up to half of it, node records scattered in memory, while flipping whole
// segments walks a small array; well below sqrt(N) balances the two.
std::uint32_t DefaultGroup(NodeId n)
{
    return std::max<std::uint32_t>(8, static_cast<std::uint32_t>(0.3 * std::sqrt(double(n))));
}

}  // namespace

GapSearch::GapSearch(const Graph& g, std::span<const NodeId> order, Random64& rng, std::uint32_t groupSize)
    : m_graph(g, order),
      m_list(Identity(g.NodeCount()), groupSize != 0 ? groupSize : DefaultGroup(g.NodeCount())),
      m_rng(rng)
{
    const NodeId n = g.NodeCount();
    m_seen.assign(n, 0);
    for (NodeId k = 0; k < n; ++k) {
        const NodeId next = k + 1 == n ? 0 : k + 1;
        if (IsGap(k, next)) {
            ++m_gaps;
            m_queue.emplace_back(k, next);
        }
    }
}

std::vector<NodeId> GapSearch::Order() const
{
    std::vector<NodeId> out = m_list.Order(0);
    for (NodeId& v : out) v = m_graph.Original(v);
    return out;
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

GapSearch::Move GapSearch::Choose(NodeId a, NodeId b, NodeId mover)
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
    // Ends this walk has had already lead back to where it has been (the
    // undo of the last move is always among the candidates): drop them
    // while others are left.
    std::size_t fresh = 0;
    if (mover != kNoNode) {
        // A guided walk moves one end only.
        const Move::Kind kind = mover == a ? Move::FromTail : Move::FromHead;
        for (const Move& m : m_neutral)
            if (m.kind == kind) m_neutral[fresh++] = m;
        m_neutral.resize(fresh);
        if (fresh == 0) return best;
        fresh = 0;
    }
    for (const Move& m : m_neutral) {
        const NodeId end = m.kind == Move::FromTail ? m_list.Next(m.c) : m_list.Prev(m.c);
        if (m_seen[end] != m_walkId) m_neutral[fresh++] = m;
    }
    if (fresh > 0) m_neutral.resize(fresh);
    // Look one move further: a neutral move after which the gap it leaves
    // can be removed is worth more than a random one. This multiplies the
    // ends examined per reversal, the costly part of a step.
    const auto count = static_cast<std::uint32_t>(m_neutral.size());
    const std::uint32_t first = m_rng.Below(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        const Move& m = m_neutral[(first + k) % count];
        if (m.kind == Move::FromTail) {
            const NodeId d = m_list.Next(m.c);
            if (CanImprove(Preview{b, m.c, a, d}, b, d)) return m;
        } else {
            const NodeId e = m_list.Prev(m.c);
            if (CanImprove(Preview{b, e, a, m.c}, a, e)) return m;
        }
    }
    // Guided: the new end nearest a target, ties at random.
    if (mover != kNoNode) {
        std::uint32_t bestDist = ~0u, pick = first, ties = 0;
        for (std::uint32_t k = 0; k < count; ++k) {
            const Move& m = m_neutral[k];
            const std::uint32_t dist = m_dist[m.kind == Move::FromTail ? m_list.Next(m.c) : m_list.Prev(m.c)];
            if (dist < bestDist) {
                bestDist = dist;
                pick = k;
                ties = 1;
            } else if (dist == bestDist && m_rng.Below(++ties) == 0) {
                pick = k;
            }
        }
        return m_neutral[pick];
    }
    // Otherwise, half the time, the cheapest reversal (one across the whole
    // order costs sqrt(N) segments); the other half a random move, so the
    // walk keeps spreading.
    if (m_rng.Below(2) == 0) {
        std::uint32_t bestCost = ~0u, pick = first;
        for (std::uint32_t k = 0; k < count; ++k) {
            const Move& m = m_neutral[k];
            const std::uint32_t cost = m_list.SegmentDistance(b, m.kind == Move::FromTail ? m.c : m_list.Prev(m.c));
            if (cost < bestCost) {
                bestCost = cost;
                pick = k;
            }
        }
        return m_neutral[pick];
    }
    return m_neutral[first];
}

bool GapSearch::CanImprove(const Preview& v, NodeId a, NodeId b) const
{
    const NodeId pa = PreviewPrev(v, a), nb = PreviewNext(v, b);
    for (NodeId c : m_graph.Neighbors(a)) {
        if (c == pa) continue;
        const NodeId d = PreviewNext(v, c);
        if (IsGap(c, d) || !IsGap(b, d)) return true;
        // c heads another gap: a join of tail a to it.
        const NodeId x = PreviewPrev(v, c);
        if (x != a && IsGap(x, c)) return true;
    }
    for (NodeId c : m_graph.Neighbors(b)) {
        if (c == nb) continue;
        const NodeId e = PreviewPrev(v, c);
        if (IsGap(e, c) || !IsGap(a, e)) return true;
        const NodeId y = PreviewNext(v, c);
        if (y != b && IsGap(c, y)) return true;
    }
    return false;
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
    ++m_walkId;
    m_seen[a] = m_seen[b] = m_walkId;
    // The last few gaps on a graph like a board lie far apart, and random
    // walks take long to meet; once they have failed for a while, one end
    // walks down the graph distance to the nearest end it can meet.
    NodeId mover = kNoNode;
    if (m_gaps <= kGuidedGaps && limit >= kGuidedAfter && m_walkId % 2 == 0) {
        mover = m_rng.Below(2) == 0 ? a : b;
        const std::uint32_t dist = GuideTowardsEnds(mover, mover == a ? b : a);
        if (dist == ~0u) {
            mover = kNoNode;
        } else {
            limit = 4 * std::uint64_t(dist) + 256;
            ++m_stats.guidedWalks;
        }
    }
    while (!stop.Stopped()) {
        if (m_list.Next(a) != b) std::swap(a, b);
        assert(m_list.Next(a) == b);
        if (++m_tickCount % 256 == 0 && tick) tick(m_gaps);
        if (OutOfSteps()) break;
        const Move m = Choose(a, b, mover);
        ++m_stats.steps;
        if (m.kind == Move::None) break;
        const auto [u, v] = Apply(a, b, m);
        m_gaps += m.delta;
        if (m.delta < 0) {
            ++m_stats.improvements;
            since = 0;
            if (u == v || mover != kNoNode) return {u, v};
        } else if (++since >= limit) {
            return {u, v};
        }
        // The moved end is the one that is new.
        if (mover != kNoNode) mover = (u == a || u == b) ? v : u;
        a = u;
        b = v;
        m_seen[a] = m_seen[b] = m_walkId;
    }
    return {a, b};
}

// Fills m_dist with graph distances to the ends of the other gaps, and to
// 'partner' (the mover's own other end) when it is the only gap. On a
// bipartite graph an end can only meet ends at odd distance from it, so
// ends at even distance are left out while others exist. Returns the
// mover's distance, ~0u when no target is left.
std::uint32_t GapSearch::GuideTowardsEnds(NodeId mover, NodeId partner)
{
    std::vector<NodeId> ends;
    for (const auto& [x, y] : m_queue)
        if (Consecutive(x, y) && IsGap(x, y) && x != mover && y != mover) {
            ends.push_back(x);
            ends.push_back(y);
        }
    if (ends.empty()) ends.push_back(partner);
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    Distances(std::span<const NodeId>(&mover, 1));
    std::vector<NodeId> odd;
    for (NodeId e : ends)
        if (m_dist[e] != ~0u && m_dist[e] % 2 == 1) odd.push_back(e);
    Distances(odd.empty() ? ends : odd);
    return m_dist[mover];
}

void GapSearch::Distances(std::span<const NodeId> sources)
{
    const NodeId n = m_graph.NodeCount();
    m_dist.assign(n, ~0u);
    m_bfs.resize(n);
    std::size_t head = 0, tail = 0;
    for (NodeId s : sources) {
        m_dist[s] = 0;
        m_bfs[tail++] = s;
    }
    while (head < tail) {
        const NodeId v = m_bfs[head++];
        const std::uint32_t dv = m_dist[v] + 1;
        for (NodeId w : m_graph.Neighbors(v))
            if (m_dist[w] == ~0u) {
                m_dist[w] = dv;
                m_bfs[tail++] = w;
            }
    }
}

bool GapSearch::Run(StopWatch& stop, const std::function<void(int)>& tick)
{
    std::uint64_t limit = 64;
    std::uint64_t idleWalks = 0;
    // After this many steps without a gap closed, on top of the walks
    // needed to reach the longest allowed, the graph most likely has no
    // cycle, and the search says so by ending rather than walking on for
    // ever.
    const std::uint64_t giveUp = std::max<std::uint64_t>(std::uint64_t(1) << 18, 64 * std::uint64_t(m_graph.NodeCount()));
    std::uint64_t stepsAtLastGain = 0;
    while (m_gaps > 0 && !stop.Stopped()) {
        if (OutOfSteps()) {
            m_gaveUp = true;
            break;
        }
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
            stepsAtLastGain = m_stats.steps;
        } else if (m_stats.steps - stepsAtLastGain > giveUp) {
            m_gaveUp = true;
            break;
        } else if (++idleWalks > static_cast<std::uint64_t>(m_gaps)) {
            // A whole round without progress: walk further next time.
            idleWalks = 0;
            limit = std::min<std::uint64_t>(limit * 2, giveUp);
        }
    }
    return m_gaps == 0;
}

}  // namespace hcp
