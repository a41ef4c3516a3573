// The fast search driver: the main loop of Optimize over a FastSearch, step
// for step the loop of OptimizeListBased. m_path is read on entry and
// written back before every report that reads it and at the end.
#include "cycle/fastsearch.h"

#include <ostream>

#include "cycle/report.h"
#include "cycle/searchimpl.h"

namespace hcp {

int OptimizeFast(CCycle& c, int level, std::ostream& os, const SearchControl& ctl)
{
    return OptimizeFast(c, level, os, ctl, FastSearch::Mode::Auto);
}

// H is kept from each move's change instead of being recounted, and the
// tried-gap marks live in a set of their own (m_triedGaps only once that
// set grows large); m_triedGaps is reset on entry and on exit as the
// list-based loop leaves it, all bits set.
// Orders the fast state cannot hold (tiny graphs, an order that is not a
// permutation) go to the list-based loop.
int OptimizeFast(CCycle& c, int level, std::ostream& os, const SearchControl& ctl,
                 FastSearch::Mode mode)
{
    if (c.m_nDim < 4 || !c.IsPermutation(c.m_path)) return OptimizeListBased(c, level, os, ctl);
    if (ctl.stats) ++ctl.stats->optimizeCalls;

    c.CalcDeg();
    const int bound = GapBound(c);
    if (level != 0) WriteStartLine(os);
    ResetSearchMemory(c);

    FastSearch fs;
    fs.Load(c, mode);
    // m_triedGaps stays all set during the search; it takes the marks over
    // if their set would grow to a quarter of the pair store.
    if (c.m_triedGaps.m_nDim == c.m_nDim) fs.SetMarkStore(&c.m_triedGaps, c.m_Bits.Bytes() / 4);
    // Progress reports count the gaps of m_path, so it must be current
    // when one is written.
    auto report = [&] {
        if (level == 1) fs.Path().StoreInto(c.m_path);
        c.PrintReport(level, ReportStream());
    };

    std::uint64_t steps = 0;
    short a = fs.FirstUnmarkedGap();
    if (a != 0) {
        short b = fs.Path().Next(a);
        fs.Mark(a, b);
        for (;;) {
            if (ctl.Stopped(steps)) break;
            ++steps;
            const int h = fs.Gaps();
            if (h <= bound) break;
            if (!fs.TryMoves(a, b)) {
                a = fs.FirstUnmarkedGap();
                if (a == 0) break;
                b = fs.Path().Next(a);
            }
            const int hNew = fs.Gaps();
            if (hNew < h) {
                report();
                fs.ResetMemory();
            }
            if (hNew <= bound) break;
            if (!fs.Gap(a, b)) {
                a = fs.FirstUnmarkedGap();
                if (a == 0) break;
                b = fs.Path().Next(a);
            }
            fs.Mark(a, b);
        }
    }
    if (ctl.stats) ctl.stats->loopSteps += steps;

    fs.Path().StoreInto(c.m_path);
    c.PrintReport(level, ReportStream());
    ResetSearchMemory(c);
    return c.CalcPathLen();
}

}  // namespace hcp
