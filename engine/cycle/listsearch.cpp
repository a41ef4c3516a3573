// The list-based search engine: the main loop over the current link, trying
// the nine move applications in their fixed order directly on m_path. It is
// the reference that any faster engine must match order for order.
#include <ostream>

#include "cycle/cycle.h"
#include "cycle/report.h"
#include "cycle/searchimpl.h"

namespace hcp {

namespace {

// The nine move applications on the current link, in the order they are
// tried; true when one of them changed the order.
bool TryMoves(CCycle& c, CCycle::Position& a, CCycle::Position& b) {
    return c.CloseGapForward(a, b, true)
        || c.CloseGapBackward(a, b, true)
        || c.ShiftGap(a, b, true)
        || c.InsertNode(a, b, false)
        || c.ReverseToLink(a, b, false)
        || c.RelocateEnd(a, b, false)
        || c.InsertNode(a, b, true)
        || c.ReverseToLink(a, b, true)
        || c.RelocateEnd(a, b, true);
}

}  // namespace

// Works gap by gap until H reaches the gap bound or every gap is marked.
// Each step recounts H in full, O(N); each move costs up to O(N^2) gap
// tests. A graph of fewer than two nodes has no link to test, so it gets
// its answer (0 or 1 gaps) without any search.
int OptimizeListBased(CCycle& c, int level, std::ostream& os, const SearchControl& ctl) {
    if (ctl.stats) ++ctl.stats->optimizeCalls;
    if (c.m_nDim < 2) {
        if (level != 0) WriteStartLine(os);
        ResetSearchMemory(c);
        return c.m_nDim < 1 ? 0 : 1;
    }

    c.CalcDeg();
    const int bound = GapBound(c);
    if (level != 0) WriteStartLine(os);
    ResetSearchMemory(c);

    std::uint64_t steps = 0;
    CCycle::Position a = FirstUnmarkedGap(c);
    if (a != c.m_path.end()) {
        CCycle::Position b = c.Next(a);
        Mark(c, *a, *b);
        for (;;) {
            if (ctl.Stopped(steps)) break;
            ++steps;
            const int h = c.CalcPathLen();
            if (h <= bound) break;
            if (!TryMoves(c, a, b)) {
                a = FirstUnmarkedGap(c);
                if (a == c.m_path.end()) break;
                b = c.Next(a);
            }
            const int hNew = c.CalcPathLen();
            if (hNew < h) {
                c.PrintReport(level, ReportStream());
                ResetSearchMemory(c);
            }
            if (hNew <= bound) break;
            if (!c.Gap(*a, *b)) {
                a = FirstUnmarkedGap(c);
                if (a == c.m_path.end()) break;
                b = c.Next(a);
            }
            Mark(c, *a, *b);
        }
    }
    if (ctl.stats) ctl.stats->loopSteps += steps;

    c.PrintReport(level, ReportStream());
    ResetSearchMemory(c);
    return c.CalcPathLen();
}

}  // namespace hcp
