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
// A gap no move removes is walked: a move that keeps the count carries it
// elsewhere, where another gap or a closing edge may lie. The walk prefers
// a move after which an improving move exists (one move of look-ahead on a
// preview of the order), avoids ends it has had already, and otherwise
// takes the cheapest reversal or a random move. Gaps wait in a queue; one
// walked too long without success goes to its back, and the allowed walk
// doubles after a whole round without progress. The graph is renumbered
// along the starting order, which keeps the list's segments compact in
// memory.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "large/localgraph.h"
#include "large/random64.h"
#include "large/twolevellist.h"

namespace hcp {

struct GapSearchStats {
    std::uint64_t steps = 0;          // moves tried from a gap
    std::uint64_t improvements = 0;   // moves that lowered the gap count
    std::uint64_t walks = 0;          // gaps taken from the queue
    std::uint64_t guidedWalks = 0;    // walks steered by graph distance
};

class GapSearch {
public:
    // order: a permutation of the graph's nodes (N >= 3). groupSize: the
    // two-level list's segment length, 0 for the default.
    GapSearch(const Graph& g, std::span<const NodeId> order, Random64& rng, std::uint32_t groupSize = 0);

    // Works until no gap is left, 'stop' says so or it gives up; 'tick' is called every
    // few hundred steps with the gap count. True when the order is a cycle.
    bool Run(StopWatch& stop, const std::function<void(int)>& tick);

    // Ends Run, as giving up does, once this many steps are taken in all
    // (0: no limit). A caller with a share of work to spend sets it.
    void SetStepLimit(std::uint64_t steps) { m_stepLimit = steps; }

    int Gaps() const { return m_gaps; }
    // True when Run ended because walks grew too long without success.
    bool GaveUp() const { return m_gaveUp; }
    // The current order in the graph's own node numbers.
    std::vector<NodeId> Order() const;
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

    // The order as it would read after reversing the forward path s..t,
    // whose outside neighbours are p = Prev(s) and q = Next(t): a move
    // looked at before it is made.
    struct Preview {
        NodeId s, t, p, q;
    };
    NodeId PreviewNext(const Preview& v, NodeId x) const
    {
        if (x == v.p) return v.t;
        if (x == v.s) return v.q;
        return m_list.Between(v.s, x, v.t) ? m_list.Prev(x) : m_list.Next(x);
    }
    NodeId PreviewPrev(const Preview& v, NodeId x) const
    {
        if (x == v.q) return v.s;
        if (x == v.t) return v.p;
        return m_list.Between(v.s, x, v.t) ? m_list.Next(x) : m_list.Prev(x);
    }
    // True when, in the previewed order, the gap (a, b) with b after a has
    // a move that lowers the gap count.
    bool CanImprove(const Preview& v, NodeId a, NodeId b) const;

    bool Edge(NodeId u, NodeId v) const { return m_graph.HasEdge(u, v); }
    bool IsGap(NodeId u, NodeId v) const { return !m_graph.HasEdge(u, v); }
    // Returns the best improving move, else a neutral one: one after which
    // an improving move exists, else the cheapest or a random one.
    // mover: the end a guided walk moves (the other is kept), or kNoNode.
    Move Choose(NodeId a, NodeId b, NodeId mover);
    std::uint32_t GuideTowardsEnds(NodeId mover, NodeId partner);
    void Distances(std::span<const NodeId> sources);
    static constexpr NodeId kNoNode = ~NodeId(0);
    static constexpr int kGuidedGaps = 8;
    static constexpr std::uint64_t kGuidedAfter = 4096;
    void BestJoin(NodeId t, NodeId h, Move& best);
    // Applies m; returns the new gap it leaves (u == v when none).
    std::pair<NodeId, NodeId> Apply(NodeId a, NodeId b, const Move& m);
    // Walks the gap {x, y} for at most 'limit' steps without improvement.
    // Returns the gap it ends at (x == y when it closed everything it met).
    std::pair<NodeId, NodeId> Walk(NodeId x, NodeId y, std::uint64_t limit, StopWatch& stop,
                                   const std::function<void(int)>& tick);
    bool Consecutive(NodeId x, NodeId y) const { return m_list.Next(x) == y || m_list.Prev(x) == y; }

    LocalGraph m_graph;   // renumbered so the starting order is 0, 1, 2, ...
    TwoLevelList m_list;
    Random64& m_rng;
    int m_gaps = 0;
    std::deque<std::pair<NodeId, NodeId>> m_queue;   // gaps to work on, some stale
    std::vector<Move> m_neutral;                     // candidates of one step
    GapSearchStats m_stats;
    std::uint64_t m_tickCount = 0;
    bool m_gaveUp = false;
    std::uint64_t m_stepLimit = 0;
    bool OutOfSteps() const { return m_stepLimit != 0 && m_stats.steps >= m_stepLimit; }
    std::vector<std::uint32_t> m_dist;   // graph distance to a guided walk's targets
    std::vector<NodeId> m_bfs;
    std::vector<std::uint32_t> m_seen;   // walk that last had the node as an end
    std::uint32_t m_walkId = 0;
};

}  // namespace hcp
