// GapSearch: closes the gaps of a cyclic order on a large sparse graph.
// A gap is a pair of neighbours in the order that is not an edge; each one
// splits the order into paths, and every move here keeps the gap count or
// lowers it:
//   - 2-opt from either end of a gap: the end takes a neighbour as its new
//     neighbour in the order (a Posa rotation when both lie on one path);
//     it removes the gap, or two when the link it breaks was a gap too, and
//     may leave one new gap at the far side;
//   - a join of the tail of one path to the head of another, moving the
//     paths between them to a neighbour of one of their ends (3-opt).
// A gap no move removes is walked: a random move that keeps the count
// carries it elsewhere, where another gap or a closing edge may lie.
// Gaps wait in a queue; one walked too long without success goes to its
// back and the allowed walk grows for the next round.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "large/random64.h"
#include "large/twolevellist.h"

namespace hcp {

struct GapSearchStats {
    std::uint64_t steps = 0;          // moves tried from a gap
    std::uint64_t improvements = 0;   // moves that lowered the gap count
    std::uint64_t walks = 0;          // gaps taken from the queue
};

class GapSearch {
public:
    // order: a permutation of the graph's nodes (N >= 8).
    GapSearch(const Graph& g, std::span<const NodeId> order, Random64& rng);

    // Works until no gap is left or 'stop' says so; 'tick' is called every
    // few hundred steps with the gap count. True when the order is a cycle.
    bool Run(StopWatch& stop, const std::function<void(int)>& tick);

    int Gaps() const { return m_gaps; }
    std::vector<NodeId> Order() const { return m_list.Order(0); }
    const GapSearchStats& Stats() const { return m_stats; }
    const TwoLevelList& List() const { return m_list; }

private:
    // A move from the current gap (a, b), b = Next(a).
    struct Move {
        enum Kind : std::uint8_t { None, FromTail, FromHead, Join } kind = None;
        int delta = 1;
        NodeId c = 0;          // FromTail/FromHead: the neighbour taken
        NodeId t = 0, h = 0;   // Join: tail and head joined
        NodeId p = 0;          // Join: where the paths between go
        bool flip = false;     // Join: they go in reversed
    };

    bool Edge(NodeId u, NodeId v) const { return m_graph.HasEdge(u, v); }
    bool IsGap(NodeId u, NodeId v) const { return !m_graph.HasEdge(u, v); }
    // Returns the best improving move, else a random neutral one.
    Move Choose(NodeId a, NodeId b);
    void BestJoin(NodeId t, NodeId h, Move& best);
    // Applies m; returns the new gap it leaves (u == v when none).
    std::pair<NodeId, NodeId> Apply(NodeId a, NodeId b, const Move& m);
    // Walks the gap {x, y} for at most 'limit' steps without improvement.
    // Returns the gap it ends at (x == y when it closed everything it met).
    std::pair<NodeId, NodeId> Walk(NodeId x, NodeId y, std::uint64_t limit, StopWatch& stop,
                                   const std::function<void(int)>& tick);
    bool Consecutive(NodeId x, NodeId y) const { return m_list.Next(x) == y || m_list.Prev(x) == y; }

    const Graph& m_graph;
    TwoLevelList m_list;
    Random64& m_rng;
    int m_gaps = 0;
    std::deque<std::pair<NodeId, NodeId>> m_queue;   // gaps to work on, some stale
    std::vector<Move> m_neutral;                     // candidates of one step
    GapSearchStats m_stats;
    std::uint64_t m_tickCount = 0;
};

}  // namespace hcp
