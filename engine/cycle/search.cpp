// The search drivers: Optimize on the current order, and the two outer
// drivers IsCycleExist and FindMinCycle that prepare orders and call it
// repeatedly; with the pieces every search engine shares (gap bound, start
// line, search memory, choice of the next gap).
#include <cstdio>
#include <ctime>
#include <list>
#include <ostream>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/fastsearch.h"
#include "cycle/report.h"
#include "cycle/searchimpl.h"

namespace hcp {

int GapBound(const CBitGraph& g) {
    if (g.m_nDim <= 0) return 0;
    std::vector<short> deg(static_cast<std::size_t>(g.m_nDim));
    short minDeg = 0, maxDeg = 0;
    g.CalcDeg(deg.data(), minDeg, maxDeg);
    if (minDeg >= 2) return 0;
    int zero = 0, one = 0;
    for (short d : deg) {
        if (d == 0) ++zero;
        else if (d == 1) ++one;
    }
    // Each isolated node needs two gaps around it and each degree-1 node one;
    // a gap serves two node ends.
    if (zero > 0) return one <= 2 ? zero + 1 : zero + (one + 1) / 2;
    return (one + 1) / 2;
}

void WriteStartLine(std::ostream& os) {
    // English names, whatever the locale, so that logs read the same
    // everywhere.
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d",
                  kDays[local.tm_wday % 7], kMonths[local.tm_mon % 12], local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
    os << "Start time: " << "\t\t" << text << '\n';
}

void ResetSearchMemory(CCycle& c) {
    c.m_triedGaps = true;
    c.m_usedMoves.clear();
    c.m_usedMoves2.clear();
}

CCycle::Position FirstUnmarkedGap(CCycle& c) {
    for (auto p = c.m_path.begin(); p != c.m_path.end(); ++p) {
        const short u = *p;
        const short v = *c.Next(p);
        if (c.Gap(u, v) && !IsMarked(c, u, v)) return p;
    }
    return c.m_path.end();
}

}  // namespace hcp

int CCycle::Optimize(int level, std::ostream& os) {
    return Optimize(level, os, hcp::SearchControl{});
}

int CCycle::Optimize(int level, std::ostream& os, const hcp::SearchControl& ctl) {
    if (ctl.listBased) return hcp::OptimizeListBased(*this, level, os, ctl);
    return hcp::OptimizeFast(*this, level, os, ctl);
}

bool CCycle::IsCycleExist(std::ostream& os) {
    return IsCycleExist(os, hcp::SearchControl{});
}

// Two attempts of up to eight Optimize calls: a random order first, then,
// if that ended one gap short, the order 1..N. Any call that ends with more
// than two gaps means giving up. A stop request ends the attempts with
// false unless the call just made found a cycle.
bool CCycle::IsCycleExist(std::ostream& os, const hcp::SearchControl& ctl) {
    if (m_nDim < 2) return false;
    CalcDeg();
    if (m_nMinDeg < 2) return false;
    if (m_nMinDeg == 2) {
        while (!ctl.stop.stop_requested() && AnalyzeDegree() > 0) {
        }
        CalcDeg();
        if (m_nMinDeg < 2) return false;
    }
    int last = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (ctl.Stopped()) return false;
        Init(attempt == 0);
        for (int call = 0; call < 8; ++call) {
            if (ctl.Stopped()) return false;
            last = Optimize(0, os, ctl);
            if (last == 0) return true;
            if (last > 2) return false;
        }
        if (last != 1) return false;
    }
    return false;
}

int CCycle::FindMinCycle() {
    return FindMinCycle(hcp::SearchControl{});
}

// Six passes from different starting orders; the first order with the
// fewest gaps is kept. The degree reductions may add edges (MakeCanonical),
// so the graph of the entry is put back before returning and the result is
// the gap count of the kept order in that graph: never a cycle the caller's
// graph does not have.
//
// A graph of fewer than three nodes has no Hamiltonian cycle: none of 0 or 1
// node, and two nodes would need two different edges between them. Such a
// graph reports at least one gap, so that 0 always means a cycle.
int CCycle::FindMinCycle(const hcp::SearchControl& ctl) {
    const int n = m_nDim;
    if (n < 2) return 1;
    CalcDeg();
    CBitGraph entryGraph(*this);
    std::list<short> saved(static_cast<std::size_t>(n), 0);
    if (m_nMinDeg == 2) {
        while (!ctl.stop.stop_requested() && AnalyzeDegree() > 0) {
        }
        MakeCanonical();
    }

    int best = n;
    bool stopped = false;
    for (int pass = 0; pass < 6 && !stopped; ++pass) {
        if (ctl.Stopped()) break;
        if (pass == 0) Init(true);
        else if (pass == 1) Init(false);
        else if (pass <= 3) PathInit(true, ctl);
        int result = n;
        for (int call = 0; call < 8 && result > 0; ++call) {
            if (ctl.Stopped()) {
                stopped = true;
                break;
            }
            const int h = Optimize(0, hcp::ReportStream(), ctl);
            if (h < result) result = h;
        }
        if (pass == 0 && result > 1) Restore(&entryGraph);
        if (result < best) {
            Store(&saved);
            best = result;
        }
    }

    // Only an order the passes produced is installed: with no pass below N
    // the saved list still holds its placeholder zeros.
    if (best < n && IsPermutation(saved)) Restore(&saved);
    Restore(&entryGraph);
    CalcDeg();
    const int h = CalcPathLen();
    return n < 3 && h == 0 ? 1 : h;
}
