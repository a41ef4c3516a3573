#include "findcycle.h"

#include <cstdio>
#include <exception>

#include "solve/solver.h"

namespace app {

FindCycleResult FindCycle(const hcp::Graph& graph, std::stop_token stop, std::uint64_t seed,
                          std::ostream* log)
{
    FindCycleResult r;
    hcp::SolveOptions options;
    options.seed = seed;
    options.stop = stop;
    options.restarts = 1;
    options.shuffleStart = false;
    options.optimizeCalls = kMaxOptimizeCalls;
    options.reduceGraph = true;
    options.log = log;
    try {
        hcp::SolveResult s = hcp::Solve(graph, "optimize", options);
        r.verdict = s.verdict;
        r.h = s.gaps;
        r.optimizeCalls = static_cast<int>(s.stats.optimizeCalls);
        r.seconds = s.seconds;
        r.cancelled = s.stopped;
        if (s.verdict == hcp::Verdict::NoCycle) r.reason = s.reason;
        r.order = std::move(s.order);
    } catch (const std::exception& e) {
        // A method that breaks its contract (an order that is no permutation)
        // leaves the document as it was; the log says why.
        r.reason = e.what();
    }
    return r;
}

std::string FindCycleLogLine(const FindCycleResult& r)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, ", %.2f s", r.seconds);
    if (r.verdict == hcp::Verdict::NoCycle)
        return "Find cycle: no Hamiltonian cycle (" + r.reason + ")" + buf;
    if (r.h < 0 && !r.reason.empty())
        return "Find cycle: failed (" + r.reason + ")";
    char head[96];
    std::snprintf(head, sizeof head, "Find cycle: H=%d after %d Optimize call%s", r.h, r.optimizeCalls,
                  r.optimizeCalls == 1 ? "" : "s");
    std::string line = std::string(head) + buf;
    if (r.cancelled)
        line += ", cancelled";
    if (r.edgesCut > 0)
        line += "; the degree-2 reduction cut " + std::to_string(r.edgesCut) + (r.edgesCut == 1 ? " edge" : " edges")
              + " that no Hamiltonian cycle can use (drawn dashed; the graph itself is unchanged)";
    return line;
}

}  // namespace app
