#include "restart.h"

#include <exception>

#include "solve/solver.h"

namespace hcpsolve {

RestartOutcome RunRestart(const hcp::Graph& graph, const RestartSettings& settings,
                          std::stop_token stop)
{
    RestartOutcome out;
    hcp::SolveOptions options;
    options.seed = settings.seed;
    options.stop = stop;
    options.restarts = 1;
    options.optimizeCalls = settings.calls;
    options.threads = settings.threads;
    options.log = nullptr;
    try {
        out.result = hcp::Solve(graph, settings.method, options);
    } catch (const std::exception& e) {
        // Solve refuses an order that is no permutation or a false verdict;
        // the restart then counts as one that found nothing.
        out.problem = e.what();
        out.result = hcp::SolveResult{};
    }
    return out;
}

}  // namespace hcpsolve
