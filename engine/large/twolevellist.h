// TwoLevelList: a cyclic order of nodes 0..N-1 for local search on large
// graphs. Nodes sit in about sqrt(N) segments, each with a reversal bit, so
// Next, Prev and Between cost O(1) and reversing any path costs O(sqrt N):
// the path is split at segment borders, whole segments are flipped by their
// bit and short pieces are rewritten node by node. The layout follows the
// two-level doubly-linked list of Fredman, Johnson, McGeoch and Ostheimer
// (J. Algorithms 18, 1995). Reversal gives the same cyclic order up to
// orientation whichever side is rewritten, so callers re-read Next/Prev
// after each reversal instead of assuming a direction.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/graph.h"

namespace hcp {

class TwoLevelList {
public:
    // The order given (a permutation of 0..N-1, N >= 3), cut into segments
    // of groupSize nodes (0: about sqrt(N)).
    explicit TwoLevelList(std::span<const NodeId> order, std::uint32_t groupSize = 0);

    NodeId Size() const { return static_cast<NodeId>(m_nodes.size()); }
    NodeId Next(NodeId v) const
    {
        const NodeRec& n = m_nodes[v];
        return n.link[1 ^ m_segs[n.seg].rev];
    }
    NodeId Prev(NodeId v) const
    {
        const NodeRec& n = m_nodes[v];
        return n.link[m_segs[n.seg].rev];
    }
    // True when b lies on the forward path from a to c, ends included.
    bool Between(NodeId a, NodeId b, NodeId c) const
    {
        const std::uint64_t ka = Key(a), kb = Key(b), kc = Key(c);
        return ka <= kc ? (ka <= kb && kb <= kc) : (kb >= ka || kb <= kc);
    }
    // Reverses the forward path from a to b: Prev(a) ... a ... b Next(b)
    // becomes Prev(a) b ... a Next(b), or the complement is reversed, which
    // is the same cycle read the other way round.
    void Reverse(NodeId a, NodeId b);

    // Segments between a and b the short way round: what a reversal with
    // these ends costs, roughly.
    std::uint32_t SegmentDistance(NodeId a, NodeId b) const
    {
        const auto count = static_cast<std::uint32_t>(m_segs.size());
        const std::uint32_t d = (m_segs[m_nodes[b].seg].rank + count - m_segs[m_nodes[a].seg].rank) % count;
        return d < count - d ? d : count - d;
    }

    // The order read forward from 'from'.
    std::vector<NodeId> Order(NodeId from = 0) const;
    // Whole-structure rebuilds after segments grew lopsided.
    std::uint64_t Rebuilds() const { return m_rebuilds; }
    // Checks every link, rank and sequence number; false on the first fault
    // (for tests).
    bool Consistent() const;

private:
    struct NodeRec {
        NodeId link[2];       // neighbours in the segment's own direction: [0] before, [1] after
        std::uint32_t seg;
        std::int32_t seq;     // ascending from first to last in the segment's own direction
    };
    struct Segment {
        NodeId first = 0, last = 0;     // ends in the segment's own direction
        std::uint32_t next = 0, prev = 0;  // neighbouring segments in tour order
        std::uint32_t rank = 0;         // tour position of the segment, with one wrap
        std::uint32_t size = 0;
        std::uint8_t rev = 0;
    };

    std::int32_t Offset(NodeId v) const
    {
        const NodeRec& n = m_nodes[v];
        return m_segs[n.seg].rev ? -n.seq : n.seq;
    }
    std::uint64_t Key(NodeId v) const
    {
        const NodeRec& n = m_nodes[v];
        const Segment& s = m_segs[n.seg];
        const std::int32_t o = s.rev ? -n.seq : n.seq;
        return (static_cast<std::uint64_t>(s.rank) << 32)
               | static_cast<std::uint32_t>(o + static_cast<std::int32_t>(0x40000000));
    }
    NodeId TourFirst(std::uint32_t s) const { return m_segs[s].rev ? m_segs[s].last : m_segs[s].first; }
    NodeId TourLast(std::uint32_t s) const { return m_segs[s].rev ? m_segs[s].first : m_segs[s].last; }
    void SetNext(NodeId v, NodeId w) { m_nodes[v].link[1 ^ m_segs[m_nodes[v].seg].rev] = w; }
    void SetPrev(NodeId v, NodeId w) { m_nodes[v].link[m_segs[m_nodes[v].seg].rev] = w; }
    void SetTourFirst(std::uint32_t s, NodeId v) { (m_segs[s].rev ? m_segs[s].last : m_segs[s].first) = v; }
    void SetTourLast(std::uint32_t s, NodeId v) { (m_segs[s].rev ? m_segs[s].first : m_segs[s].last) = v; }

    void Build(std::span<const NodeId> order);
    void ReverseInSegment(NodeId a, NodeId b);
    void SplitBefore(NodeId v);
    void MoveToTail(NodeId from, NodeId to, std::uint32_t target, std::uint32_t count);
    void MoveToHead(NodeId from, NodeId to, std::uint32_t target, std::uint32_t count);
    void ReverseSegments(std::uint32_t first, std::uint32_t last);
    void Renumber(std::uint32_t s);

    std::vector<NodeRec> m_nodes;
    std::vector<Segment> m_segs;
    std::uint32_t m_group = 1;
    std::vector<NodeId> m_buffer;   // nodes of a path being rewritten
    bool m_lopsided = false;
    std::uint64_t m_rebuilds = 0;
};

}  // namespace hcp
