#include "solve/legacymethods.h"

#include <optional>
#include <ostream>
#include <string>

#include "core/cyclecheck.h"
#include "cycle/cycle.h"
#include "cycle/report.h"
#include "graph/seedclock.h"

namespace hcp {

namespace {

enum class Driver { Exist, Min, Optimize };

// Fixes the calling thread's seed clock and report stream for one restart.
class LegacyScope {
public:
    LegacyScope(std::uint32_t seed, std::ostream* log) : m_silent(nullptr)
    {
        SetFixedSeedClock(seed);
        SetThreadReportStream(log != nullptr ? log : &m_silent);
    }
    ~LegacyScope()
    {
        SetThreadReportStream(nullptr);
        ClearFixedSeedClock();
    }
    LegacyScope(const LegacyScope&) = delete;
    LegacyScope& operator=(const LegacyScope&) = delete;
    std::ostream& Stream() { return ThreadStream(); }

private:
    std::ostream& ThreadStream() { return ReportStream(); }
    std::ostream m_silent;   // no buffer: every write is dropped
};

// Removes the edges no Hamiltonian cycle can use while that finds any, as
// the drivers do; returns the first node left with degree below 2, or 0.
short ReduceAndFindLowDegree(CBitGraph& g)
{
    g.CalcDeg();
    if (g.GetMinDeg() == 2) {
        while (g.AnalyzeDegree() > 0) {
        }
        g.CalcDeg();
    }
    if (g.GetMinDeg() >= 2) return 0;
    for (short k = 1; k <= g.GetDim(); ++k)
        if (g.GetDeg(k) < 2) return k;
    return 0;
}

// The cheap proof all three drivers share: too few nodes, or a node whose
// degree is below 2 as given or once forced edges have been followed. The
// reduction only runs from minimum degree 2, so above that the graph is
// not copied at all; when it runs, its result is left in reduced for a
// driver that would reduce the same way (optimize), so the work is not
// done twice.
bool DegreeProof(const Graph& g, const CBitGraph& legacy, SolveResult& r,
                 std::optional<CBitGraph>& reduced)
{
    if (g.NodeCount() < 3) {
        r.verdict = Verdict::NoCycle;
        r.reason = "a cycle needs at least 3 nodes, the graph has " + std::to_string(g.NodeCount());
        return true;
    }
    for (NodeId v = 0; v < g.NodeCount(); ++v)
        if (g.Degree(v) < 2) {
            r.verdict = Verdict::NoCycle;
            r.reason = "node " + std::to_string(v + 1) + " has degree " + std::to_string(g.Degree(v));
            return true;
        }
    if (g.MinDegree() > 2) return false;
    reduced.emplace(legacy);
    if (const short k = ReduceAndFindLowDegree(*reduced)) {
        r.verdict = Verdict::NoCycle;
        r.reason = "node " + std::to_string(k) + " has degree " + std::to_string(reduced->GetDeg(k))
                   + " once the edges no cycle can use are removed";
        return true;
    }
    return false;
}

class LegacyMethod final : public Method {
public:
    LegacyMethod(Driver d, std::string_view name, std::string_view summary)
        : m_driver(d), m_name(name), m_summary(summary) {}
    std::string_view Name() const override { return m_name; }
    std::string_view Summary() const override { return m_summary; }
    bool Complete() const override { return false; }

    bool Restartable() const override { return true; }
    bool KeepsBestOrder() const override { return m_driver == Driver::Min; }

    // One restart with options.seed; Solve runs the restarts.
    SolveResult Run(const Graph& g, const SolveOptions& options) const override
    {
        SolveResult r;
        r.method = m_name;
        const CBitGraph legacy = g.ToBitGraph();
        // A proof ends exist and optimize at once; min still looks for the
        // order with the fewest gaps, which is what a caller of min wants
        // even from a graph without a cycle.
        std::optional<CBitGraph> reduced;
        const bool proved = DegreeProof(g, legacy, r, reduced);
        if (proved && (m_driver != Driver::Min || g.NodeCount() < 3)) return r;
        if (options.stop.stop_requested()) return r;
        RunRestart(legacy, reduced ? &*reduced : nullptr, options,
                   static_cast<std::uint32_t>(options.seed), r.order, r.stats);
        r.stats.restarts = 1;
        const CycleCheck c = CheckCycle(g, r.order);
        if (!c.permutation) {
            r.order.clear();
            return r;
        }
        r.gaps = c.gaps;
        if (options.progress) {
            Progress p;
            p.gaps = r.gaps;
            p.work = r.stats.optimizeCalls;
            p.phase = "local search";
            options.progress(p);
        }
        if (c.hamiltonian) r.verdict = Verdict::Hamiltonian;
        return r;
    }

private:
    // One restart: a fresh copy of the graph, the driver, the order it left.
    // reduced, when the proof made it, is the graph after the degree-2
    // reduction, which optimize starts from instead of reducing again.
    void RunRestart(const CBitGraph& legacy, const CBitGraph* reduced, const SolveOptions& options,
                    std::uint32_t seed, std::vector<NodeId>& order, SolveStats& stats) const
    {
        SearchStats counters;
        SearchControl ctl;
        ctl.stop = options.stop;
        ctl.stats = &counters;
        ctl.stepLimit = options.stepLimit;
        LegacyScope scope(seed, options.log);
        const bool startReduced = m_driver == Driver::Optimize && options.reduceGraph && reduced;
        CCycle cycle(startReduced ? *reduced : legacy);
        switch (m_driver) {
        case Driver::Exist:
            cycle.IsCycleExist(scope.Stream(), ctl);
            break;
        case Driver::Min:
            cycle.FindMinCycle(ctl);
            break;
        case Driver::Optimize:
            if (startReduced)
                cycle.CalcDeg();   // the copy starts without its degree cache
            else if (options.reduceGraph)
                ReduceAndFindLowDegree(cycle);
            cycle.Init(options.shuffleStart);
            for (int k = 0; k < options.optimizeCalls && !options.stop.stop_requested(); ++k)
                if (cycle.Optimize(0, scope.Stream(), ctl) == 0) break;
            break;
        }
        stats.optimizeCalls += counters.optimizeCalls;
        stats.loopSteps += counters.loopSteps;
        order.clear();
        order.reserve(cycle.m_path.size());
        for (short v : cycle.m_path) order.push_back(static_cast<NodeId>(v - 1));
    }

    Driver m_driver;
    std::string m_name;
    std::string m_summary;
};

}  // namespace

std::shared_ptr<const Method> MakeExistMethod()
{
    return std::make_shared<LegacyMethod>(Driver::Exist, "exist",
                                          "IsCycleExist: two attempts of up to eight Optimize calls");
}

std::shared_ptr<const Method> MakeMinMethod()
{
    return std::make_shared<LegacyMethod>(Driver::Min, "min",
                                          "FindMinCycle: six passes, keeps the order with the fewest gaps");
}

std::shared_ptr<const Method> MakeOptimizeMethod()
{
    return std::make_shared<LegacyMethod>(Driver::Optimize, "optimize",
                                          "repeated Optimize calls from one start order");
}

}  // namespace hcp
