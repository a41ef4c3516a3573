#include "large/twolevellist.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace hcp {

namespace {
// Sequence numbers drift by one per node moved into a segment; well before
// they could leave the range Key packs, the segment is renumbered.
constexpr std::int32_t kSeqLimit = 1 << 29;
}  // namespace

TwoLevelList::TwoLevelList(std::span<const NodeId> order, std::uint32_t groupSize)
{
    const auto n = static_cast<std::uint32_t>(order.size());
    assert(n >= 3);
    m_group = groupSize != 0 ? groupSize
                             : std::max<std::uint32_t>(8, static_cast<std::uint32_t>(std::sqrt(double(n))));
    // At least three segments, so the shorter side of a reversal never
    // reaches round to the segment it starts in.
    if (n / m_group < 3) m_group = std::max<std::uint32_t>(1, n / 3);
    m_nodes.resize(n);
    Build(order);
}

// Cuts the order into segments of m_group nodes (the last takes the rest),
// all unreversed.
void TwoLevelList::Build(std::span<const NodeId> order)
{
    const auto n = static_cast<std::uint32_t>(order.size());
    const std::uint32_t count = n / m_group;
    m_segs.assign(count, Segment{});
    for (std::uint32_t s = 0; s < count; ++s) {
        const std::uint32_t begin = s * m_group;
        const std::uint32_t end = s + 1 == count ? n : begin + m_group;
        Segment& seg = m_segs[s];
        seg.first = order[begin];
        seg.last = order[end - 1];
        seg.next = (s + 1) % count;
        seg.prev = (s + count - 1) % count;
        seg.rank = s;
        seg.size = end - begin;
        for (std::uint32_t i = begin; i < end; ++i) {
            NodeRec& r = m_nodes[order[i]];
            r.seg = s;
            r.seq = static_cast<std::int32_t>(i - begin);
            r.link[0] = order[(i + n - 1) % n];
            r.link[1] = order[(i + 1) % n];
        }
    }
    m_lopsided = false;
}

void TwoLevelList::Reverse(NodeId a, NodeId b)
{
    if (a == b) return;
    const NodeId pa = Prev(a), nb = Next(b);
    if (pa == b) return;   // the whole cycle: the same cycle read backwards
    const auto segCount = static_cast<std::uint32_t>(m_segs.size());
    std::uint32_t sa = m_nodes[a].seg, sb = m_nodes[b].seg;
    if (sa == sb) {
        // Either the path or its complement lies inside this one segment.
        if (Offset(a) <= Offset(b))
            ReverseInSegment(a, b);
        else
            ReverseInSegment(nb, pa);
        return;
    }
    // Rewrite the side that touches fewer segments.
    auto span = [&](NodeId x, NodeId y) {
        const std::uint32_t sx = m_nodes[x].seg, sy = m_nodes[y].seg;
        if (sx == sy) return Offset(x) <= Offset(y) ? 1u : segCount + 1;
        return (m_segs[sy].rank + segCount - m_segs[sx].rank) % segCount + 1;
    };
    if (span(nb, pa) < span(a, b)) {
        // The complement runs forward from Next(b) to Prev(a).
        a = nb;
        b = pa;
        sa = m_nodes[a].seg;
        sb = m_nodes[b].seg;
        if (sa == sb) {
            ReverseInSegment(a, b);
            return;
        }
    }
    SplitBefore(a);
    if (m_nodes[a].seg == m_nodes[b].seg) {
        ReverseInSegment(a, b);
    } else {
        const NodeId after = Next(b);
        if (m_nodes[after].seg == m_nodes[b].seg) SplitBefore(after);
        if (m_nodes[a].seg == m_nodes[b].seg && TourFirst(m_nodes[a].seg) != a)
            ReverseInSegment(a, b);
        else
            ReverseSegments(m_nodes[a].seg, m_nodes[b].seg);
    }
    if (m_lopsided) {
        const std::vector<NodeId> order = Order(0);
        Build(order);
        ++m_rebuilds;
    }
}

// Rewrites the path a..b (inside one segment, a not after b) node by node:
// the path's sequence slots are handed out again in reverse.
void TwoLevelList::ReverseInSegment(NodeId a, NodeId b)
{
    const std::uint32_t s = m_nodes[a].seg;
    const NodeId pa = Prev(a), nb = Next(b);
    m_buffer.clear();
    for (NodeId v = a;; v = Next(v)) {
        m_buffer.push_back(v);
        if (v == b) break;
    }
    const std::int32_t firstSeq = m_nodes[m_segs[s].first].seq;
    const std::int32_t lastSeq = m_nodes[m_segs[s].last].seq;
    const bool rev = m_segs[s].rev != 0;
    const std::int32_t o0 = Offset(a);
    const std::size_t k = m_buffer.size();
    for (std::size_t i = 0; i < k; ++i) {
        const NodeId w = m_buffer[k - 1 - i];
        const std::int32_t o = o0 + static_cast<std::int32_t>(i);
        NodeRec& r = m_nodes[w];
        r.seq = rev ? -o : o;
        const NodeId before = i == 0 ? pa : m_buffer[k - i];
        const NodeId after = i + 1 == k ? nb : m_buffer[k - 2 - i];
        r.link[rev ? 1 : 0] = before;
        r.link[rev ? 0 : 1] = after;
        if (r.seq == firstSeq) m_segs[s].first = w;
        if (r.seq == lastSeq) m_segs[s].last = w;
    }
    SetNext(pa, m_buffer[k - 1]);
    SetPrev(nb, m_buffer[0]);
}

// Makes v the first node of its segment in tour order by handing the
// smaller part of the segment to the neighbouring segment on that side.
void TwoLevelList::SplitBefore(NodeId v)
{
    const std::uint32_t s = m_nodes[v].seg;
    const NodeId first = TourFirst(s);
    if (first == v) return;
    const auto before = static_cast<std::uint32_t>(Offset(v) - Offset(first));
    const std::uint32_t rest = m_segs[s].size - before;
    if (before <= rest)
        MoveToTail(first, Prev(v), m_segs[s].prev, before);
    else
        MoveToHead(v, TourLast(s), m_segs[s].next, rest);
}

// Moves the tour-order run from..to, the head of its segment, onto the
// tail of segment 'target' (its tour predecessor).
void TwoLevelList::MoveToTail(NodeId from, NodeId to, std::uint32_t target, std::uint32_t count)
{
    const std::uint32_t s = m_nodes[from].seg;
    const NodeId newFirst = Next(to);
    const std::uint8_t trev = m_segs[target].rev;
    std::int32_t o = Offset(TourLast(target));
    for (NodeId v = from;;) {
        const NodeId nv = Next(v);
        NodeRec& r = m_nodes[v];
        if (m_segs[r.seg].rev != trev) std::swap(r.link[0], r.link[1]);
        r.seg = target;
        ++o;
        r.seq = trev ? -o : o;
        if (v == to) break;
        v = nv;
    }
    SetTourLast(target, to);
    SetTourFirst(s, newFirst);
    m_segs[target].size += count;
    m_segs[s].size -= count;
    if (o > kSeqLimit || o < -kSeqLimit) Renumber(target);
    if (m_segs[target].size > 8 * m_group) m_lopsided = true;
}

// Moves the tour-order run from..to, the tail of its segment, onto the head
// of segment 'target' (its tour successor).
void TwoLevelList::MoveToHead(NodeId from, NodeId to, std::uint32_t target, std::uint32_t count)
{
    const std::uint32_t s = m_nodes[from].seg;
    const NodeId newLast = Prev(from);
    const std::uint8_t trev = m_segs[target].rev;
    std::int32_t o = Offset(TourFirst(target));
    for (NodeId v = to;;) {
        const NodeId pv = Prev(v);
        NodeRec& r = m_nodes[v];
        if (m_segs[r.seg].rev != trev) std::swap(r.link[0], r.link[1]);
        r.seg = target;
        --o;
        r.seq = trev ? -o : o;
        if (v == from) break;
        v = pv;
    }
    SetTourFirst(target, from);
    SetTourLast(s, newLast);
    m_segs[target].size += count;
    m_segs[s].size -= count;
    if (o > kSeqLimit || o < -kSeqLimit) Renumber(target);
    if (m_segs[target].size > 8 * m_group) m_lopsided = true;
}

// Reverses the run of whole segments first..last (tour order): each flips
// its bit and the run's ranks are handed out again in reverse. Links inside
// the run stay right by themselves; only its two outer borders change.
void TwoLevelList::ReverseSegments(std::uint32_t first, std::uint32_t last)
{
    const NodeId a = TourFirst(first), b = TourLast(last);
    const NodeId pa = Prev(a), nb = Next(b);
    const std::uint32_t before = m_segs[first].prev, after = m_segs[last].next;
    // Ranks swap pairwise from both ends inwards; then each segment of the
    // run swaps its two links and flips its bit.
    for (std::uint32_t i = first, j = last; i != j;) {
        std::swap(m_segs[i].rank, m_segs[j].rank);
        i = m_segs[i].next;
        if (i == j) break;
        j = m_segs[j].prev;
    }
    for (std::uint32_t s = first;;) {
        Segment& seg = m_segs[s];
        const std::uint32_t next = seg.next;
        std::swap(seg.next, seg.prev);
        seg.rev ^= 1;
        if (s == last) break;
        s = next;
    }
    m_segs[first].next = after;
    m_segs[last].prev = before;
    m_segs[before].next = last;
    m_segs[after].prev = first;
    SetNext(pa, b);
    SetPrev(b, pa);
    SetNext(a, nb);
    SetPrev(nb, a);
}

void TwoLevelList::Renumber(std::uint32_t s)
{
    const bool rev = m_segs[s].rev != 0;
    std::int32_t o = 0;
    for (NodeId v = TourFirst(s);; v = Next(v), ++o) {
        m_nodes[v].seq = rev ? -o : o;
        if (v == TourLast(s)) break;
    }
}

std::vector<NodeId> TwoLevelList::Order(NodeId from) const
{
    std::vector<NodeId> out;
    out.reserve(m_nodes.size());
    NodeId v = from;
    do {
        out.push_back(v);
        v = Next(v);
    } while (v != from && out.size() <= m_nodes.size());
    return out;
}

bool TwoLevelList::Consistent() const
{
    const auto n = static_cast<std::uint32_t>(m_nodes.size());
    const auto segCount = static_cast<std::uint32_t>(m_segs.size());
    std::uint32_t seen = 0;
    std::uint32_t s = m_nodes[0].seg;
    // Walk the segments from the one holding rank 0.
    for (std::uint32_t k = 0; k < segCount && m_segs[s].rank != 0; ++k) s = m_segs[s].next;
    if (m_segs[s].rank != 0) return false;
    for (std::uint32_t k = 0; k < segCount; ++k, s = m_segs[s].next) {
        const Segment& seg = m_segs[s];
        if (seg.rank != k || m_segs[seg.next].prev != s) return false;
        std::uint32_t count = 0;
        std::int32_t o = 0;
        for (NodeId v = TourFirst(s);; v = Next(v)) {
            if (m_nodes[v].seg != s || Prev(Next(v)) != v) return false;
            if (count > 0 && Offset(v) != o + 1) return false;
            o = Offset(v);
            ++count;
            if (v == TourLast(s)) break;
            if (count > n) return false;
        }
        if (count != seg.size || Next(TourLast(s)) != TourFirst(seg.next)) return false;
        seen += count;
    }
    return seen == n;
}

}  // namespace hcp
