// FastSearch: the state of one fast search over a CCycle and its nine move
// applications. It holds the order as a FastPath, the gap count H kept from
// each move's change, the nodes that touch a gap, the graph's neighbour
// arrays and the tried-gap marks and move records in sets sized by the work
// done. Each move takes the same decision as its CCycle twin on the node
// list: it finds the first qualifying candidate of the twin's scan by
// looking only at candidates that can qualify (neighbours of a fixed node,
// nodes at a gap) and comparing their cyclic offsets. Internal to the
// engine; the tests drive the moves one by one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iosfwd>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/fastkeyset.h"
#include "cycle/fastpath.h"
#include "cycle/searchcontrol.h"

namespace hcp {

class FastSearch {
public:
    // How candidates are found. Scan walks every position in scan order,
    // as the list-based moves do, on the array; Neighbours draws them from
    // the neighbour arrays and the gap nodes. Auto uses the neighbour
    // arrays for sparse graphs and whenever they take no more room than
    // the graph's pair store, and lists the gap nodes only while they are
    // few (with many gaps a scan soon meets a candidate).
    enum class Mode { Auto, Scan, Neighbours };

    // Takes the graph, its degree table (as last computed) and m_path of c.
    // False, and nothing usable, unless m_path holds each node 1..N once
    // and N is at least 4 (on fewer nodes the list scans wrap onto the
    // current link itself, which only the list-based moves reproduce).
    bool Load(const CCycle& c, Mode mode = Mode::Auto);

    // Order and gaps (faststate.cpp).
    const FastPath& Path() const { return m_path; }
    int Gaps() const { return m_h; }
    bool UsesNeighbours() const { return m_useNeighbours; }
    // 1 when (u, v) is not an edge: the pair bit, found through a table of
    // row starts instead of the index formula.
    int Gap(short u, short v) const {
        if (u > v) std::swap(u, v);
        if (u == v) return 1;
        const std::uint32_t p = m_rowBase[u] + static_cast<std::uint32_t>(v);
        return (m_bits[p >> 3] >> (p & 7)) & 1;
    }
    // The node p nearest the front whose link (p, Next(p)) is an unmarked
    // gap; 0 when there is none.
    short FirstUnmarkedGap() const;

    // Search memory: tried-gap marks and the two move record sets.
    bool IsMarked(short u, short v) const {
        if (u == v) return true;
        return m_marksSpilled ? m_markStore->GetEdge(u, v) : m_marks.Contains(PairKey(u, v));
    }
    void Mark(short u, short v);
    void ResetMemory();
    // A bit matrix of the graph's shape, all bits set (nothing marked),
    // that takes the tried-gap marks over once their set would hold more
    // than `spillBytes`; ResetMemory sets it back to all bits set. Without
    // one the set grows as needed.
    void SetMarkStore(CBitGraph* store, std::size_t spillBytes);
    bool MarksSpilled() const { return m_marksSpilled; }
    std::size_t UsedMoveCount() const { return m_moves.Size(); }
    std::size_t UsedMove2Count() const { return m_moves2.Size(); }

    // Node moves (fastnodemoves.cpp). Same contracts as the CCycle twins,
    // with node numbers in place of positions.
    bool RelocateNode(short& x, bool allowZeroGain);
    bool RelocateEnd(short& a, short& b, bool allowZeroGain);
    bool InsertNode(short& a, short& b, bool allowZeroGain);
    bool ReverseToLink(short& a, short& b, bool allowZeroGain);

    // Segment moves (fastsegmentmoves.cpp).
    bool CloseGapForward(short& a, short& b, bool allowZeroGain);
    bool CloseGapBackward(short& a, short& b, bool allowZeroGain);
    bool ShiftGap(short& a, short& b, bool allowZeroGain);

    // The nine move applications in the driver's order.
    bool TryMoves(short& a, short& b);

private:
    // Order changes that keep H and the gap nodes current (faststate.cpp).
    void Reverse(short from, short to);
    void MoveSegment(short x, short y, short before, bool reversed);
    void BeginChange(const short* nodes, int count);
    void EndChange();
    void SetGapDegree(short v, int d);

    // Neighbour flags of the nodes a move keeps fixed, so that its edge
    // tests against them read one byte instead of the pair store
    // (faststate.cpp). GapTo falls back to the pair store without
    // neighbour arrays.
    void FlagNeighbours(short v, std::uint8_t bit);
    void ClearFlags(short v, std::uint8_t bit);
    int GapTo(short fixed, std::uint8_t bit, short v) const {
        return m_useNeighbours ? !(m_adjFlag[v] & bit) : Gap(fixed, v);
    }
    // gap(v, Next(v)) from v's gap degree where that decides it.
    int GapToNext(short v) const {
        const int d = m_gapDegree[v];
        return d == 1 ? Gap(v, m_path.Next(v)) : d >> 1;
    }

    // Candidate lists, as offsets from an origin node (faststate.cpp).
    // Each adds to `out` the offsets that fall in [lo, hi] once shifted by
    // `shift`: of v's neighbours, or of the nodes at a gap (only those
    // whose link to Next is a gap, on request).
    void AddNeighbours(std::vector<int>& out, short v, short origin, int shift, int lo, int hi) const;
    void AddGapNodes(std::vector<int>& out, short origin, int shift, int lo, int hi,
                     bool linkStartsOnly) const;
    // Calls test(k) on the offsets of `cand` in scan order (sorted, without
    // repeats) until one answers true.
    template <typename Test>
    static bool FirstOf(std::vector<int>& cand, bool ascending, Test test);
    // Calls test(k) on every offset of [lo, hi] in scan order until one
    // answers true.
    template <typename Test>
    static bool ScanRange(int lo, int hi, bool ascending, Test test);
    // Candidates drawn from v's neighbours (shifted by `shift`) when the
    // neighbour arrays are in use, else every offset of [lo, hi].
    template <typename Test>
    bool FirstNeighbour(std::vector<int>& buf, short v, short origin, int shift, int lo, int hi,
                        bool ascending, Test test) const;
    // True when the gap nodes are few enough to be worth listing.
    bool GapNodesAreSparse() const {
        return m_forceLists || m_gapNodes.size() * 8 < static_cast<std::size_t>(m_n);
    }

    const BYTE* m_bits = nullptr;             // the graph's pair store
    std::vector<std::uint32_t> m_rowBase;     // pair index of (u, v) = m_rowBase[u] + v, u < v
    std::vector<std::uint8_t> m_adjFlag;      // neighbour flags, by node
    int m_n = 0;
    bool m_useNeighbours = false;
    bool m_forceLists = false;                // Mode::Neighbours: never scan
    FastPath m_path;
    std::vector<std::int16_t> m_degree;       // degree table as cached, by node
    std::vector<std::int32_t> m_nbrStart;     // neighbour array bounds, by node
    std::vector<short> m_nbr;                 // neighbours of all nodes
    int m_h = 0;                              // gaps of the order
    std::vector<std::uint8_t> m_gapDegree;    // gaps at each node: 0, 1 or 2
    std::vector<short> m_gapNodes;            // nodes with a gap degree > 0
    std::vector<std::int32_t> m_gapSlot;      // index in m_gapNodes, or -1
    FastKeySet m_marks;                       // tried gaps since the last reset
    CBitGraph* m_markStore = nullptr;         // ... or, past m_spillBytes, here
    std::size_t m_spillBytes = 0;
    bool m_marksSpilled = false;
    FastKeySet m_moves;                       // five-node zero-gain moves taken
    FastKeySet m_moves2;                      // four-node zero-gain moves taken
    std::vector<int> m_cand;                  // candidate offsets of one scan
    std::vector<int> m_inner;                 // ... of a scan inside a scan
    short m_changed[8] = {};                  // nodes whose links a change touches
    int m_changedCount = 0;
    int m_changedGapSum = 0;
};

// Runs the search of CCycle::Optimize on c with FastSearch; the result, the
// final m_path, the reports and the counts are those of OptimizeListBased.
int OptimizeFast(CCycle& c, int level, std::ostream& os, const SearchControl& ctl);
// The same with a chosen candidate mode (for tests).
int OptimizeFast(CCycle& c, int level, std::ostream& os, const SearchControl& ctl,
                 FastSearch::Mode mode);

template <typename Test>
bool FastSearch::FirstOf(std::vector<int>& cand, bool ascending, Test test)
{
    if (ascending) std::sort(cand.begin(), cand.end());
    else std::sort(cand.begin(), cand.end(), [](int x, int y) { return x > y; });
    int last = -2;
    for (int k : cand) {
        if (k == last) continue;
        last = k;
        if (test(k)) return true;
    }
    return false;
}

template <typename Test>
bool FastSearch::ScanRange(int lo, int hi, bool ascending, Test test)
{
    if (ascending) {
        for (int k = lo; k <= hi; ++k)
            if (test(k)) return true;
    } else {
        for (int k = hi; k >= lo; --k)
            if (test(k)) return true;
    }
    return false;
}

template <typename Test>
bool FastSearch::FirstNeighbour(std::vector<int>& buf, short v, short origin, int shift, int lo,
                                int hi, bool ascending, Test test) const
{
    if (!m_useNeighbours) return ScanRange(lo, hi, ascending, test);
    buf.clear();
    AddNeighbours(buf, v, origin, shift, lo, hi);
    return FirstOf(buf, ascending, test);
}

}  // namespace hcp
