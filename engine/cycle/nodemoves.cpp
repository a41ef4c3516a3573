// Node moves of the search: relocating one node, moving a node into the
// current gap, and the reversal that joins an end of the gap to a link
// further on. Zero-gain moves are remembered in the move sets so that each
// is taken at most once between two improvements.
#include "cycle/cycle.h"
#include "cycle/searchimpl.h"

// Takes the node at x out and puts it into the first link, scanning forward
// from Next(x), where that lowers H (or, with allowZeroGain, leaves H equal
// and is a move not taken before). One pass over the order.
bool CCycle::RelocateNode(Position& x, bool allowZeroGain) {
    const Position xn = Next(x);
    const Position xp = Prev(x);
    if (xn == xp) return false;
    const short vx = *x, vp = *xp, vn = *xn;
    const int rem = Gap(vp, vn) - Gap(vp, vx) - Gap(vx, vn);
    for (Position q = xn; q != xp; q = Next(q)) {
        const Position qn = Next(q);
        const short vq = *q, vqn = *qn;
        const int delta = rem + Gap(vx, vq) + Gap(vx, vqn) - Gap(vq, vqn);
        bool take = delta < 0;
        if (!take && allowZeroGain && delta == 0)
            take = m_usedMoves.insert(GMove(vp, vx, vn, vq, vqn)).second;
        if (take) {
            m_path.erase(x);
            x = m_path.insert(qn, vx);
            return true;
        }
    }
    return false;
}

// Relocates a, else b; the new current link is the one that closed where
// the moved end stood.
bool CCycle::RelocateEnd(Position& a, Position& b, bool allowZeroGain) {
    if (RelocateNode(a, allowZeroGain)) {
        a = Prev(b);
        return true;
    }
    if (RelocateNode(b, allowZeroGain)) {
        b = Next(a);
        return true;
    }
    return false;
}

// Moves the first suitable node q (scanning from b1 to a1) between a and b.
// A zero-gain insertion must not create a link that is a marked gap.
bool CCycle::InsertNode(Position& a, Position& b, bool allowZeroGain) {
    const short va = *a, vb = *b;
    for (Position q = Next(b); q != a; q = Next(q)) {
        const Position qp = Prev(q);
        const Position qn = Next(q);
        const short vq = *q, vqp = *qp, vqn = *qn;
        const int gClosed = Gap(vqp, vqn);
        const int gAq = Gap(va, vq);
        const int gQb = Gap(vq, vb);
        const int delta = gClosed - Gap(vqp, vq) - Gap(vq, vqn) + gAq + gQb - 1;
        bool take = delta < 0;
        if (!take && allowZeroGain && delta == 0) {
            const bool createsMarkedGap = (gClosed && hcp::IsMarked(*this, vqp, vqn))
                || (gAq && hcp::IsMarked(*this, va, vq))
                || (gQb && hcp::IsMarked(*this, vq, vb));
            take = !createsMarkedGap && m_usedMoves.insert(GMove(vqp, vq, vqn, va, vb)).second;
        }
        if (take) {
            m_path.erase(q);
            const Position moved = m_path.insert(b, vq);
            if (gQb) {
                a = moved;
            } else if (gAq) {
                b = moved;
            } else {
                a = qp;
                b = qn;
            }
            return true;
        }
    }
    return false;
}

// Reverses b..w (when wn-b is an edge) or wn..a (when w-a is), for the
// first pair (w, wn) between b1 and a1 whose nodes both have degree 2 or
// more. Improving when (w, wn) is a gap; otherwise a zero-gain (or better)
// move taken only once.
bool CCycle::ReverseToLink(Position& a, Position& b, bool allowZeroGain) {
    const short va = *a, vb = *b;
    const Position a1 = Prev(a);
    for (Position w = Next(b); w != a1; w = Next(w)) {
        const Position wn = Next(w);
        const short vw = *w, vwn = *wn;
        if (!hcp::HasDegreeTwo(*this, vw) || !hcp::HasDegreeTwo(*this, vwn)) continue;
        const int ga = Gap(vw, va);
        const int gb = Gap(vwn, vb);
        if (ga && gb) continue;
        bool take = Gap(vw, vwn) == 1;
        if (!take && allowZeroGain)
            take = m_usedMoves2.insert(GMove2(va, vb, vw, vwn)).second;
        if (take) {
            if (gb == 0) {
                Position last = w;
                Swap(b, last);
                b = Next(a);
            } else {
                Position from = wn;
                Swap(from, a);
                a = Prev(b);
            }
            return true;
        }
    }
    return false;
}
