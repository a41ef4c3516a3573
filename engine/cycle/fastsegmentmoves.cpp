// Segment moves of the fast search. Every candidate of these moves needs an
// edge to a fixed node (w to b or a, s to d, t to wn or wp, sp or tn to a),
// so each scan walks that node's neighbours in scan order instead of the
// order. Offsets are counted from b: b1 is at 1, a1 at N - 2, a at N - 1.
#include "cycle/fastsearch.h"

namespace hcp {

// For each w (offsets 2 .. N-3, joined to b), with d = Prev(w): the 2-opt
// step (strict pass only), then the reversed splice over s = a1 back to
// Next(w) (s joined to d), then the forward splice over t = b1 up to
// Prev(w) (t joined to wn). The strict pass takes splices only where they
// remove a second gap.
bool FastSearch::CloseGapForward(short& a, short& b, bool allowZeroGain)
{
    const short va = a, vb = b;
    const int hi = m_n - 3;
    bool strict = true;
    auto perW = [&](int k) {
        const short w = m_path.AtOffset(vb, k);
        if (Gap(vb, w)) return false;
        const short d = m_path.AtOffset(vb, k - 1);
        if (strict && !Gap(va, d)) {
            Reverse(vb, d);
            b = m_path.Next(va);
            return true;
        }
        if (!strict || Gap(d, w)) {
            auto perS = [&](int ks) {
                const short s = m_path.AtOffset(vb, ks);
                const short sp = m_path.AtOffset(vb, ks - 1);
                if (Gap(d, s) || IsMarked(va, sp)) return false;
                if (!strict && !allowZeroGain && Gap(va, sp)) return false;
                MoveSegment(w, sp, vb, true);
                b = m_path.Next(va);
                return true;
            };
            if (FirstNeighbour(m_inner, d, vb, 0, k + 1, m_n - 2, false, perS)) return true;
        }
        const short wn = m_path.AtOffset(vb, k + 1);
        if (!strict || Gap(w, wn)) {
            auto perT = [&](int kt) {
                const short t = m_path.AtOffset(vb, kt);
                const short tn = m_path.AtOffset(vb, kt + 1);
                if (Gap(wn, t) || IsMarked(va, tn)) return false;
                if (!strict && !allowZeroGain && Gap(va, tn)) return false;
                MoveSegment(tn, w, vb, false);
                b = m_path.Next(va);
                return true;
            };
            if (FirstNeighbour(m_inner, wn, vb, 0, 1, k - 1, true, perT)) return true;
        }
        return false;
    };
    if (!m_useNeighbours) {
        if (ScanRange(2, hi, true, perW)) return true;
        strict = false;
        return ScanRange(2, hi, true, perW);
    }
    // The candidates w stay the same for both passes: nothing changes
    // until a move is made.
    m_cand.clear();
    AddNeighbours(m_cand, vb, vb, 0, 2, hi);
    if (FirstOf(m_cand, true, perW)) return true;
    strict = false;
    return FirstOf(m_cand, true, perW);
}

// The mirror image: w runs from a2 back to b2 (offsets N-3 .. 2, joined to
// a), d = Next(w); the reversed splice scans s = b1 up to Prev(w) (s joined
// to d), the forward splice t = a1 back to Next(w) (t joined to wp).
bool FastSearch::CloseGapBackward(short& a, short& b, bool allowZeroGain)
{
    const short va = a, vb = b;
    const int hi = m_n - 3;
    bool strict = true;
    auto perW = [&](int k) {
        const short w = m_path.AtOffset(vb, k);
        if (Gap(va, w)) return false;
        const short d = m_path.AtOffset(vb, k + 1);
        if (strict && !Gap(vb, d)) {
            Reverse(d, va);
            a = m_path.Prev(vb);
            return true;
        }
        if (!strict || Gap(w, d)) {
            auto perS = [&](int ks) {
                const short s = m_path.AtOffset(vb, ks);
                const short sn = m_path.AtOffset(vb, ks + 1);
                if (Gap(d, s) || IsMarked(vb, sn)) return false;
                if (!strict && !allowZeroGain && Gap(vb, sn)) return false;
                MoveSegment(sn, w, vb, true);
                a = m_path.Prev(vb);
                return true;
            };
            if (FirstNeighbour(m_inner, d, vb, 0, 1, k - 1, true, perS)) return true;
        }
        const short wp = m_path.AtOffset(vb, k - 1);
        if (!strict || Gap(wp, w)) {
            auto perT = [&](int kt) {
                const short t = m_path.AtOffset(vb, kt);
                const short tp = m_path.AtOffset(vb, kt - 1);
                if (Gap(wp, t) || IsMarked(vb, tp)) return false;
                if (!strict && !allowZeroGain && Gap(vb, tp)) return false;
                MoveSegment(w, tp, vb, false);
                a = m_path.Prev(vb);
                return true;
            };
            if (FirstNeighbour(m_inner, wp, vb, 0, k + 1, m_n - 2, false, perT)) return true;
        }
        return false;
    };
    if (!m_useNeighbours) {
        if (ScanRange(2, hi, false, perW)) return true;
        strict = false;
        return ScanRange(2, hi, false, perW);
    }
    m_cand.clear();
    AddNeighbours(m_cand, va, vb, 0, 2, hi);
    if (FirstOf(m_cand, false, perW)) return true;
    strict = false;
    return FirstOf(m_cand, false, perW);
}

// For each w (offsets 2 .. N-3, joined to b), d = Prev(w): the reversed
// splice over s = a1 back to Next(w) with sp joined to a, else the forward
// splice over t = d back to b2 with tn joined to a. The link left behind,
// (d, s) or (t, wn), must be unmarked, and an edge unless zero gain is
// allowed.
bool FastSearch::ShiftGap(short& a, short& b, bool allowZeroGain)
{
    const short va = a, vb = b;
    const int hi = m_n - 3;
    auto perW = [&](int k) {
        const short w = m_path.AtOffset(vb, k);
        if (Gap(vb, w)) return false;
        const short d = m_path.AtOffset(vb, k - 1);
        // s at offset ks, sp at ks - 1 is the neighbour of a.
        auto perS = [&](int ks) {
            const short s = m_path.AtOffset(vb, ks);
            const short sp = m_path.AtOffset(vb, ks - 1);
            if (Gap(va, sp) || IsMarked(d, s)) return false;
            if (!allowZeroGain && Gap(d, s)) return false;
            MoveSegment(w, sp, vb, true);
            a = d;
            b = s;
            Mark(d, s);
            return true;
        };
        if (FirstNeighbour(m_inner, va, vb, 1, k + 1, m_n - 2, false, perS)) return true;
        const short wn = m_path.AtOffset(vb, k + 1);
        // t at offset kt, tn at kt + 1 is the neighbour of a.
        auto perT = [&](int kt) {
            const short t = m_path.AtOffset(vb, kt);
            const short tn = m_path.AtOffset(vb, kt + 1);
            if (Gap(va, tn) || IsMarked(t, wn)) return false;
            if (!allowZeroGain && Gap(t, wn)) return false;
            MoveSegment(tn, w, vb, false);
            a = t;
            b = wn;
            return true;
        };
        return FirstNeighbour(m_inner, va, vb, -1, 2, k - 1, false, perT);
    };
    if (!m_useNeighbours) return ScanRange(2, hi, true, perW);
    m_cand.clear();
    AddNeighbours(m_cand, vb, vb, 0, 2, hi);
    return FirstOf(m_cand, true, perW);
}

}  // namespace hcp
