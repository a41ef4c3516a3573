// Node moves of the fast search. Each takes the first qualifying candidate
// of its list-based twin's scan; candidates are listed from the few places
// where one can qualify and compared by their offset from the scan start.
// Offsets below are counted from b (from Next(x) in RelocateNode), so that
// a1 is at N - 2 and a at N - 1.
#include "cycle/fastsearch.h"

namespace hcp {

// q runs over offsets 0 .. N-3 from xn, with qn the node after q, and
// Δ = rem + gap(x, q) + gap(x, qn) - gap(q, qn). With q and qn both apart
// from x the last three terms add up to 2 - gap(q, qn), so such a q
// qualifies only when rem = -2, or rem = -1 with zero gain allowed and
// (q, qn) a gap: only then are the gap links candidates. With rem = -2 and
// zero gain allowed every q qualifies, and the scan is walked in full (it
// ends at the first record not yet taken).
bool FastSearch::RelocateNode(short& x, bool allowZeroGain)
{
    const short xn = m_path.Next(x);
    const short xp = m_path.Prev(x);
    if (xn == xp) return false;
    const short vx = x;
    const int rem = Gap(xp, xn) - Gap(xp, vx) - Gap(vx, xn);
    const int hi = m_n - 3;
    auto test = [&](int k) {
        const short q = m_path.AtOffset(xn, k);
        const short qn = m_path.AtOffset(xn, k + 1);
        const int base = rem + GapTo(vx, 1, q) + GapTo(vx, 1, qn);
        if (base > 1) return false;  // Δ = base - gap(q, qn) > 0
        const int delta = base - GapToNext(q);
        bool take = delta < 0;
        if (!take && allowZeroGain && delta == 0)
            take = m_moves.Insert(RecordKey(xp, vx, xn, q, qn));
        if (!take) return false;
        MoveSegment(vx, vx, qn, false);
        return true;
    };
    FlagNeighbours(vx, 1);
    bool done;
    const bool needGapLinks = rem == -2 || (allowZeroGain && rem == -1);
    if (!m_useNeighbours || (allowZeroGain && rem == -2) || (needGapLinks && !GapNodesAreSparse())) {
        done = ScanRange(0, hi, true, test);
    } else {
        m_cand.clear();
        AddNeighbours(m_cand, vx, xn, 0, 0, hi);
        AddNeighbours(m_cand, vx, xn, -1, 0, hi);
        if (needGapLinks) AddGapNodes(m_cand, xn, 0, 0, hi, true);
        done = FirstOf(m_cand, true, test);
    }
    ClearFlags(vx, 1);
    return done;
}

bool FastSearch::RelocateEnd(short& a, short& b, bool allowZeroGain)
{
    short x = a;
    if (RelocateNode(x, allowZeroGain)) {
        a = m_path.Prev(b);
        return true;
    }
    x = b;
    if (RelocateNode(x, allowZeroGain)) {
        b = m_path.Next(a);
        return true;
    }
    return false;
}

// q runs over offsets 1 .. N-2. With q joined to neither a nor b the move
// adds two gaps at the gap it fills, so it can only qualify when q has a
// gap on one of its own links: the candidates are the neighbours of a and
// b and the gap nodes.
bool FastSearch::InsertNode(short& a, short& b, bool allowZeroGain)
{
    const short va = a, vb = b;
    const int hi = m_n - 2;
    auto test = [&](int k) {
        const short q = m_path.AtOffset(vb, k);
        const short qp = m_path.AtOffset(vb, k - 1);
        const short qn = m_path.AtOffset(vb, k + 1);
        const int gAq = GapTo(va, 1, q);
        const int gQb = GapTo(vb, 2, q);
        // The links (qp, q) and (q, qn) hold q's gap degree.
        const int base = gAq + gQb - 1 - m_gapDegree[q];
        if (base > 0) return false;  // Δ = base + gap(qp, qn) > 0
        const int gClosed = Gap(qp, qn);
        const int delta = base + gClosed;
        bool take = delta < 0;
        if (!take && allowZeroGain && delta == 0) {
            const bool createsMarkedGap = (gClosed && IsMarked(qp, qn))
                || (gAq && IsMarked(va, q)) || (gQb && IsMarked(q, vb));
            take = !createsMarkedGap && m_moves.Insert(RecordKey(qp, q, qn, va, vb));
        }
        if (!take) return false;
        MoveSegment(q, q, vb, false);
        if (gQb) {
            a = q;
        } else if (gAq) {
            b = q;
        } else {
            a = qp;
            b = qn;
        }
        return true;
    };
    FlagNeighbours(va, 1);
    FlagNeighbours(vb, 2);
    bool done;
    if (!m_useNeighbours || !GapNodesAreSparse()) {
        done = ScanRange(1, hi, true, test);
    } else {
        m_cand.clear();
        AddNeighbours(m_cand, va, vb, 0, 1, hi);
        AddNeighbours(m_cand, vb, vb, 0, 1, hi);
        AddGapNodes(m_cand, vb, 0, 1, hi, false);
        done = FirstOf(m_cand, true, test);
    }
    ClearFlags(va, 1);
    ClearFlags(vb, 2);
    return done;
}

// w runs over offsets 1 .. N-3 and needs w joined to a or wn to b.
bool FastSearch::ReverseToLink(short& a, short& b, bool allowZeroGain)
{
    const short va = a, vb = b;
    const int hi = m_n - 3;
    auto test = [&](int k) {
        const short w = m_path.AtOffset(vb, k);
        const short wn = m_path.AtOffset(vb, k + 1);
        if (m_degree[w] < 2 || m_degree[wn] < 2) return false;
        const int ga = Gap(w, va);
        const int gb = Gap(wn, vb);
        if (ga && gb) return false;
        bool take = GapToNext(w) == 1;
        if (!take && allowZeroGain) take = m_moves2.Insert(RecordKey(va, vb, w, wn));
        if (!take) return false;
        if (gb == 0) {
            Reverse(vb, w);
            b = m_path.Next(va);
        } else {
            Reverse(wn, va);
            a = m_path.Prev(vb);
        }
        return true;
    };
    if (!m_useNeighbours) return ScanRange(1, hi, true, test);
    m_cand.clear();
    AddNeighbours(m_cand, va, vb, 0, 1, hi);
    AddNeighbours(m_cand, vb, vb, -1, 1, hi);
    return FirstOf(m_cand, true, test);
}

bool FastSearch::TryMoves(short& a, short& b)
{
    return CloseGapForward(a, b, true)
        || CloseGapBackward(a, b, true)
        || ShiftGap(a, b, true)
        || InsertNode(a, b, false)
        || ReverseToLink(a, b, false)
        || RelocateEnd(a, b, false)
        || InsertNode(a, b, true)
        || ReverseToLink(a, b, true)
        || RelocateEnd(a, b, true);
}

}  // namespace hcp
