#include "findcycle.h"

#include <chrono>
#include <cstdio>
#include <sstream>

#include "cycle/cycle.h"
#include "cycle/searchcontrol.h"

namespace app {

FindCycleResult FindCycle(CCycle& cycle, std::stop_token stop)
{
    FindCycleResult r;
    const auto start = std::chrono::steady_clock::now();

    cycle.Init(false);
    cycle.CalcDeg(cycle.m_pDeg, cycle.m_nMinDeg, cycle.m_nMaxDeg);
    if (cycle.m_nMinDeg == 2) {
        const unsigned before = cycle.GetEdgeCount();
        while (cycle.AnalyzeDegree() > 0) {
        }
        r.edgesCut = before - cycle.GetEdgeCount();
    }

    std::ostringstream report;
    hcp::SearchStats stats;
    hcp::SearchControl ctl;
    ctl.stop = stop;
    ctl.stats = &stats;
    do {
        r.h = cycle.Optimize(0, report, ctl);
        ++r.optimizeCalls;
    } while (r.h != 0 && r.optimizeCalls < kMaxOptimizeCalls && !stop.stop_requested());
    r.cancelled = r.h != 0 && stop.stop_requested();
    r.report = report.str();
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
}

std::string FindCycleLogLine(const FindCycleResult& r)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "Find cycle: H=%d after %d Optimize call%s, %.2f s", r.h,
                  r.optimizeCalls, r.optimizeCalls == 1 ? "" : "s", r.seconds);
    std::string line = buf;
    if (r.cancelled)
        line += ", cancelled";
    if (r.edgesCut > 0) {
        std::snprintf(buf, sizeof buf,
                      "; the degree-2 reduction cut %u edge%s that no Hamiltonian cycle can use"
                      " (drawn dashed; the graph itself is unchanged)",
                      r.edgesCut, r.edgesCut == 1 ? "" : "s");
        line += buf;
    }
    return line;
}

}  // namespace app
