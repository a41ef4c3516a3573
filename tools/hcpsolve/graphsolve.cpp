#include "graphsolve.h"

#include <algorithm>
#include <exception>
#include <new>

#include "core/question.h"
#include "io/messagetext.h"
#include "solve/solver.h"

namespace hcpsolve {

FileResult SolveGraph(const Options& opts, const std::string& name, const hcp::Graph& g, int threads,
                      double seconds, std::stop_token stop, std::atomic<int>* gaps)
{
    FileResult r;
    r.file = name;
    r.method = opts.method;
    r.n = static_cast<int>(g.NodeCount());
    r.edges = static_cast<unsigned>(g.EdgeCount());
    r.directed = g.Directed();
    r.question = opts.question;
    // Ends beyond this graph's nodes spoil this graph only.
    const std::string problem = hcp::QuestionProblem(g, opts.question);
    if (!problem.empty()) {
        r.verdict = Verdict::Error;
        r.error = hcp::EscapeControls(name) + ": " + opts.questionOption + " does not fit the graph: " + problem;
        return r;
    }
    hcp::SolveOptions o;
    o.question = opts.question;
    o.seed = opts.seed;
    o.stop = std::move(stop);
    o.timeLimit = seconds;
    o.restarts = opts.restarts;
    o.optimizeCalls = opts.calls;
    o.threads = threads;
    // The graphs solved side by side share the complete method's memory.
    o.memoryShares = std::max(1, opts.jobs / std::max(1, threads));
    if (gaps != nullptr)
        o.progress = [gaps](const hcp::Progress& p) {
            const int best = gaps->load();
            if (p.gaps >= 0 && (best < 0 || p.gaps < best)) gaps->store(p.gaps);
        };
    try {
        hcp::SolveResult s = hcp::Solve(g, opts.method, o);
        r.verdict = s.verdict == hcp::Verdict::Hamiltonian ? Verdict::Hamiltonian
                  : s.verdict == hcp::Verdict::NoCycle     ? Verdict::NoCycle
                                                           : Verdict::NotFound;
        r.gaps = s.gaps;
        r.calls = s.stats.optimizeCalls;
        r.seconds = s.seconds;
        r.restart = s.restart;
        r.seed = static_cast<std::uint32_t>(s.seed);
        r.method = s.method;
        r.reason = s.reason;
        r.order = std::move(s.order);
    } catch (const std::bad_alloc&) {
        r.verdict = Verdict::Error;
        r.error = hcp::EscapeControls(name) + ": not enough memory to solve the graph";
    } catch (const std::exception& e) {
        r.verdict = Verdict::Error;
        r.error = hcp::EscapeControls(name) + ": " + e.what();
    }
    return r;
}

}  // namespace hcpsolve
