#include "restart.h"

#include <ostream>

#include "cycle/cycle.h"
#include "cycle/report.h"
#include "graph/seedclock.h"
#include "ordercheck.h"

namespace hcpsolve {

namespace {

// Fixes the calling thread's seed clock for the lifetime of the object and
// silences the search's progress reports on this thread.
class SeedScope {
public:
    explicit SeedScope(std::uint32_t seed) : m_silent(nullptr)
    {
        hcp::SetFixedSeedClock(seed);
        hcp::SetThreadReportStream(&m_silent);
    }
    ~SeedScope()
    {
        hcp::SetThreadReportStream(nullptr);
        hcp::ClearFixedSeedClock();
    }
    SeedScope(const SeedScope&) = delete;
    SeedScope& operator=(const SeedScope&) = delete;
    std::ostream& Silent() { return m_silent; }

private:
    std::ostream m_silent;   // no buffer: every write is dropped
};

// The desktop program's preparation before a plain Optimize: remove the
// edges no Hamiltonian cycle can use, while that finds any.
void ReduceDegreeTwo(CCycle& cycle)
{
    cycle.CalcDeg();
    if (cycle.GetMinDeg() == 2) {
        while (cycle.AnalyzeDegree() > 0) {
        }
    }
    cycle.CalcDeg();
}

}  // namespace

RestartOutcome RunRestart(const CBitGraph& graph, const RestartSettings& settings,
                          std::stop_token stop)
{
    RestartOutcome out;
    hcp::SearchStats stats;
    hcp::SearchControl ctl;
    ctl.stop = stop;
    ctl.stats = &stats;

    SeedScope scope(settings.seed);
    CCycle cycle(graph);
    if (graph.GetDim() >= 2) {
        switch (settings.method) {
        case Method::Exist:
            cycle.IsCycleExist(scope.Silent(), ctl);
            break;
        case Method::Min:
            cycle.FindMinCycle(ctl);
            break;
        case Method::Optimize:
            ReduceDegreeTwo(cycle);
            cycle.Init(true);
            for (int k = 0; k < settings.calls && !stop.stop_requested(); ++k) {
                if (cycle.Optimize(0, scope.Silent(), ctl) == 0) break;
            }
            break;
        }
    } else {
        cycle.Init(false);
    }
    out.calls = stats.optimizeCalls;
    out.stopped = stop.stop_requested();
    out.order.assign(cycle.m_path.begin(), cycle.m_path.end());

    // Judge the order on the graph as read, not on the searcher's copy,
    // which the degree reductions may have changed.
    const OrderCheck check = CheckOrder(graph, out.order);
    out.valid = check.permutation;
    out.gaps = check.gaps;
    out.hamiltonian = check.hamiltonian;
    if (!check.permutation) out.problem = "the search left an order that is no permutation: "
                                          + check.problem;
    return out;
}

}  // namespace hcpsolve
