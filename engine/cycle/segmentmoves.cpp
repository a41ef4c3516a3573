// Segment moves of the search: close the current gap (a, b) by a 2-opt
// reversal or by splicing a segment into it (3-opt), from b's side, from
// a's side, or so that the gap moves to one new link inside the order. A
// zero-gain segment move needs its new gap unmarked in m_triedGaps.
#include <list>

#include "cycle/cycle.h"
#include "cycle/searchimpl.h"

// Moves the cyclic segment x..y to just before b, reversed on request. The
// list elements are relinked rather than copied, so no node is allocated;
// the order read from the front is the same as with copying. The segment
// must contain neither a nor b.
void CCycle::MoveSegment(Position x, Position y, Position /*a*/, Position b, bool reversed) {
    std::list<short> segment;
    const Position afterY = std::next(y);
    // The segment either runs forward inside the list or wraps past its end.
    bool wraps = false;
    for (Position p = x; p != afterY; ++p) {
        if (p == m_path.end()) {
            wraps = true;
            break;
        }
    }
    if (!wraps) {
        segment.splice(segment.end(), m_path, x, afterY);
    } else {
        segment.splice(segment.end(), m_path, x, m_path.end());
        segment.splice(segment.end(), m_path, m_path.begin(), afterY);
    }
    if (reversed) segment.reverse();
    m_path.splice(b, segment);
}

namespace {

// The two passes of the gap-closing moves over the same candidates: the
// strict pass takes only moves that remove two gaps (and alone tries the
// 2-opt step); the relaxed pass drops that condition.
enum class Phase { Strict, Relaxed };

}  // namespace

bool CCycle::CloseGapForward(Position& a, Position& b, bool allowZeroGain) {
    const short va = *a, vb = *b;
    const Position a1 = Prev(a);
    const Position b1 = Next(b);
    const Position b2 = Next(b1);
    for (const Phase phase : {Phase::Strict, Phase::Relaxed}) {
        const bool strict = phase == Phase::Strict;
        for (Position w = b2; w != a1; w = Next(w)) {
            const short vw = *w;
            if (Gap(vb, vw)) continue;
            Position d = Prev(w);
            const short vd = *d;
            // 2-opt: reverse b..d, giving (a, d) and (b, w).
            if (strict && !Gap(va, vd)) {
                Swap(b, d);
                b = Next(a);
                return true;
            }
            // Reversed splice of w..sp into the gap: (a, sp), (w, b), (d, s).
            if (!strict || Gap(vd, vw)) {
                for (Position s = a1; s != w; s = Prev(s)) {
                    const Position sp = Prev(s);
                    const short vsp = *sp;
                    if (Gap(vd, *s) || hcp::IsMarked(*this, va, vsp)) continue;
                    if (!strict && !allowZeroGain && Gap(va, vsp)) continue;
                    MoveSegment(w, sp, a, b, true);
                    b = Next(a);
                    return true;
                }
            }
            // Forward splice of tn..w into the gap: (a, tn), (w, b), (t, wn).
            const Position wn = Next(w);
            const short vwn = *wn;
            if (!strict || Gap(vw, vwn)) {
                for (Position t = b1; t != w; t = Next(t)) {
                    const Position tn = Next(t);
                    const short vtn = *tn;
                    if (Gap(vwn, *t) || hcp::IsMarked(*this, va, vtn)) continue;
                    if (!strict && !allowZeroGain && Gap(va, vtn)) continue;
                    MoveSegment(tn, w, a, b, false);
                    b = Next(a);
                    return true;
                }
            }
        }
    }
    return false;
}

// The mirror image of CloseGapForward: a and b, Next and Prev change roles.
// The new current link is the one that ends at b.
bool CCycle::CloseGapBackward(Position& a, Position& b, bool allowZeroGain) {
    const short va = *a, vb = *b;
    const Position b1 = Next(b);
    const Position a1 = Prev(a);
    const Position a2 = Prev(a1);
    for (const Phase phase : {Phase::Strict, Phase::Relaxed}) {
        const bool strict = phase == Phase::Strict;
        for (Position w = a2; w != b1; w = Prev(w)) {
            const short vw = *w;
            if (Gap(va, vw)) continue;
            Position d = Next(w);
            const short vd = *d;
            // 2-opt: reverse d..a, giving (w, a) and (d, b).
            if (strict && !Gap(vb, vd)) {
                Position last = a;
                Swap(d, last);
                a = Prev(b);
                return true;
            }
            // Reversed splice of sn..w into the gap: (a, w), (sn, b), (s, d).
            if (!strict || Gap(vw, vd)) {
                for (Position s = b1; s != w; s = Next(s)) {
                    const Position sn = Next(s);
                    const short vsn = *sn;
                    if (Gap(vd, *s) || hcp::IsMarked(*this, vb, vsn)) continue;
                    if (!strict && !allowZeroGain && Gap(vb, vsn)) continue;
                    MoveSegment(sn, w, a, b, true);
                    a = Prev(b);
                    return true;
                }
            }
            // Forward splice of w..tp into the gap: (a, w), (tp, b), (wp, t).
            const Position wp = Prev(w);
            const short vwp = *wp;
            if (!strict || Gap(vwp, vw)) {
                for (Position t = a1; t != w; t = Prev(t)) {
                    const Position tp = Prev(t);
                    const short vtp = *tp;
                    if (Gap(vwp, *t) || hcp::IsMarked(*this, vb, vtp)) continue;
                    if (!strict && !allowZeroGain && Gap(vb, vtp)) continue;
                    MoveSegment(w, tp, a, b, false);
                    a = Prev(b);
                    return true;
                }
            }
        }
    }
    return false;
}

// Closes both ends of the gap with edges and leaves one new link inside the
// order, which becomes the current link. Without allowZeroGain that link
// must be an edge; either way it must be unmarked.
bool CCycle::ShiftGap(Position& a, Position& b, bool allowZeroGain) {
    const short va = *a, vb = *b;
    const Position a1 = Prev(a);
    const Position b1 = Next(b);
    const Position b2 = Next(b1);
    for (Position w = b2; w != a1; w = Next(w)) {
        const short vw = *w;
        if (Gap(vb, vw)) continue;
        const Position d = Prev(w);
        const short vd = *d;
        // Reversed splice of w..sp into the gap, leaving (d, s) behind.
        for (Position s = a1; s != w; s = Prev(s)) {
            const Position sp = Prev(s);
            const short vs = *s;
            if (Gap(va, *sp) || hcp::IsMarked(*this, vd, vs)) continue;
            if (!allowZeroGain && Gap(vd, vs)) continue;
            MoveSegment(w, sp, a, b, true);
            a = d;
            b = s;
            hcp::Mark(*this, vd, vs);
            return true;
        }
        // Forward splice of tn..w into the gap, leaving (t, wn) behind.
        const Position wn = Next(w);
        const short vwn = *wn;
        for (Position t = d; t != b1; t = Prev(t)) {
            const Position tn = Next(t);
            const short vt = *t;
            if (Gap(va, *tn) || hcp::IsMarked(*this, vt, vwn)) continue;
            if (!allowZeroGain && Gap(vt, vwn)) continue;
            MoveSegment(tn, w, a, b, false);
            a = t;
            b = wn;
            return true;
        }
    }
    return false;
}
