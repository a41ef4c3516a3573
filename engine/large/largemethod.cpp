#include "large/largemethod.h"

#include <chrono>
#include <ostream>
#include <string>

#include "large/gapsearch.h"
#include "large/greedystart.h"

namespace hcp {

namespace {

class LargeMethod final : public Method {
public:
    std::string_view Name() const override { return "large"; }
    std::string_view Summary() const override
    {
        return "local search for large sparse graphs (millions of nodes), not complete";
    }
    bool Complete() const override { return false; }
    bool Restartable() const override { return true; }
    SolveResult Run(const Graph& g, const SolveOptions& options) const override;
};

SolveResult LargeMethod::Run(const Graph& g, const SolveOptions& options) const
{
    SolveResult r;
    r.method = "large";
    const NodeId n = g.NodeCount();
    if (n < 3) {
        r.verdict = Verdict::NoCycle;
        r.reason = "a cycle needs at least 3 nodes, the graph has " + std::to_string(n);
        return r;
    }
    for (NodeId v = 0; v < n; ++v)
        if (g.Degree(v) < 2) {
            r.verdict = Verdict::NoCycle;
            r.reason = "node " + std::to_string(v + 1) + " has degree " + std::to_string(g.Degree(v));
            return r;
        }

    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    StopWatch stop(options.stop, 256);
    Random64 rng(options.seed);
    double lastReport = -1.0;
    auto report = [&](int gaps, const char* phase, std::uint64_t work) {
        if (!options.progress) return;
        const double t = elapsed();
        if (t - lastReport < 0.25 && gaps != 0) return;
        lastReport = t;
        Progress p;
        p.gaps = gaps;
        p.seconds = t;
        p.work = work;
        p.phase = phase;
        options.progress(p);
    };

    GreedyStart greedy = MakeGreedyStart(g, rng);
    if (options.log != nullptr)
        *options.log << "large: " << greedy.paths << " greedy walks in " << elapsed() << " s\n";
    if (stop.StoppedNow()) {
        r.order = std::move(greedy.order);
        r.stopped = true;
        return r;
    }
    GapSearch search(g, greedy.order, rng);
    greedy.order = {};
    report(search.Gaps(), "local search", 0);
    const bool found = search.Run(stop, [&](int gaps) { report(gaps, "local search", search.Stats().steps); });
    report(search.Gaps(), "local search", search.Stats().steps);
    if (options.log != nullptr)
        *options.log << "large: " << search.Gaps() << " gaps after " << search.Stats().steps << " steps, "
                     << search.Stats().improvements << " improvements, " << search.List().Rebuilds()
                     << " rebuilds, " << search.Stats().guidedWalks << " guided walks, " << elapsed() << " s\n";
    r.order = search.Order();
    r.gaps = search.Gaps();
    r.verdict = found ? Verdict::Hamiltonian : Verdict::Unknown;
    r.stopped = !found && stop.StoppedNow();
    if (!found && search.GaveUp())
        r.reason = "the local search gave up with " + std::to_string(search.Gaps()) + " gaps left";
    r.stats.loopSteps = search.Stats().steps;
    r.stats.restarts = 1;
    return r;
}

}  // namespace

std::shared_ptr<const Method> MakeLargeMethod()
{
    return std::make_shared<LargeMethod>();
}

}  // namespace hcp
