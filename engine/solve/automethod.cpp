#include "solve/automethod.h"

#include <atomic>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "core/cyclecheck.h"
#include "exact/reduction.h"
#include "solve/solver.h"

namespace hcp {

namespace {

// The legacy engine holds graphs up to this size; above it the local search
// is the large-graph method.
constexpr NodeId kLegacyLimit = 32767;

bool Definite(const SolveResult& r) { return r.verdict != Verdict::Unknown; }

// Keeps the better of two orders: the one with fewer gaps.
void KeepBest(SolveResult& best, const SolveResult& r)
{
    if (!r.order.empty() && (best.order.empty() || r.gaps < best.gaps)) {
        best.order = r.order;
        best.gaps = r.gaps;
    }
}

class AutoMethod final : public Method {
public:
    AutoMethod(std::string name, std::string complete, NodeId tiny)
        : m_name(std::move(name)), m_complete(std::move(complete)), m_tiny(tiny) {}
    std::string_view Name() const override { return m_name; }
    std::string_view Summary() const override
    {
        return "the default: cheap proofs, a local search for a fixed amount of work, "
               "then the complete method (side by side with two or more threads)";
    }
    // Complete as soon as the engine holds a complete method to end with.
    bool Complete() const override { return Complete(FindMethod(m_complete)); }

    SolveResult Run(const Graph& g, const SolveOptions& options) const override
    {
        const Method* exact = FindMethod(m_complete);
        const Method* local = LocalSearch(g);
        if (exact != nullptr && Complete(exact) && (local == nullptr || g.NodeCount() <= m_tiny))
            return Named(exact->Run(g, options), *exact);
        // The cheap proofs cost about one pass over the edges; a graph they
        // settle never spends the local search's budget.
        if (SolveResult proved; CheapProofs(g, proved)) return proved;
        if (local == nullptr) {
            SolveResult r;
            r.method = m_name;
            r.reason = "no method here takes a graph of " + std::to_string(g.NodeCount()) + " nodes";
            return r;
        }
        // Beyond the legacy engine's size the local search is the large-graph
        // method, which decides such graphs in seconds where the complete
        // method would spend gigabytes building its model beside it: there
        // the complete method only follows, as on one thread.
        if (exact != nullptr && options.threads >= 2 && g.NodeCount() <= kLegacyLimit)
            return Race(g, *local, *exact, options);
        SolveResult r = Budgeted(g, *local, options);
        if (Definite(r) || exact == nullptr || options.stop.stop_requested()) return r;
        SolveOptions seeded = options;
        if (!r.order.empty()) seeded.startOrder = r.order;
        SolveResult e = Named(exact->Run(g, seeded), *exact);
        e.stats += r.stats;
        if (!Definite(e)) KeepBest(e, r);
        return e;
    }

private:
    std::string m_name;
    std::string m_complete;
    NodeId m_tiny;

    // The result names the part that decided.
    static SolveResult Named(SolveResult r, const Method& part)
    {
        if (r.method.empty()) r.method = std::string(part.Name());
        return r;
    }

    static bool Complete(const Method* m) { return m != nullptr && m->Complete(); }

    static bool CheapProofs(const Graph& g, SolveResult& r)
    {
        Reduction proofs;
        switch (proofs.Run(g)) {
        case ProofOutcome::NoCycle:
            r.verdict = Verdict::NoCycle;
            r.reason = proofs.Reason();
            break;
        case ProofOutcome::Cycle:
            r.verdict = Verdict::Hamiltonian;
            r.order = proofs.ForcedCycle();
            break;
        case ProofOutcome::Open:
            return false;
        }
        r.method = "exact";   // the proofs are the first stage of the complete method
        return true;
    }

    static const Method* LocalSearch(const Graph& g)
    {
        if (g.NodeCount() <= kLegacyLimit) return FindMethod("exist");
        return FindMethod("large");
    }

    // The local search for a fixed amount of work: restart after restart
    // (seed, seed + 1, ...) until a cycle or a proof turns up or the
    // Optimize calls (or, by default, the steps) reach the budget. Counting
    // work rather than seconds
    // makes the outcome the same on a busy machine as on an idle one.
    // While `partner` is set and true, the budget does not end the search:
    // a complete method is still working beside it.
    static SolveResult Budgeted(const Graph& g, const Method& local, const SolveOptions& options,
                                const std::atomic<bool>* partner = nullptr)
    {
        const std::uint64_t budget = options.workBudget > 0 ? options.workBudget : kAutoDefaultWork;
        SolveResult best;
        SolveOptions one = options;
        one.restarts = 1;
        for (std::uint64_t k = 0; !options.stop.stop_requested(); ++k) {
            one.seed = options.seed + k;
            SolveResult r = Named(local.Run(g, one), local);
            // The local searches know nothing of fixed edges: a cycle of theirs
            // that skips one is no answer to the graph as given.
            if (r.verdict == Verdict::Hamiltonian && !CheckCycle(g, r.order).hamiltonian)
                r.verdict = Verdict::Unknown;
            best.method = r.method;
            best.stats += r.stats;
            KeepBest(best, r);
            if (Definite(r)) {
                best.verdict = r.verdict;
                best.reason = r.reason;
                if (!r.order.empty()) best.order = r.order, best.gaps = r.gaps;
                break;
            }
            // A method that did no countable work would never reach the
            // budget: one run of it is the whole budget.
            if (r.stats.optimizeCalls == 0) break;
            const bool spent = best.stats.optimizeCalls >= budget ||
                               (options.workBudget == 0 && best.stats.loopSteps >= kAutoDefaultSteps);
            if (spent && (partner == nullptr || !partner->load())) break;
        }
        return best;
    }

    // Two threads: the complete method on one, stating covers by arcs; on
    // the other the local search for its budget and then the complete
    // method again, stating covers by edges. Each model wins on graphs
    // where the other stalls, so the pair covers more than either. The
    // first definite answer stops the rest. All parts are sound, so which
    // one wins changes at most which cycle is reported, never the verdict.
    static SolveResult Race(const Graph& g, const Method& local, const Method& exact,
                            const SolveOptions& options)
    {
        std::stop_source race;
        std::stop_callback forward(options.stop, [&race] { race.request_stop(); });
        std::mutex progressLock;
        SolveOptions shared = options;
        shared.stop = race.get_token();
        if (options.progress)
            shared.progress = [&](const Progress& p) {
                std::lock_guard<std::mutex> lock(progressLock);
                options.progress(p);
            };
        // A caller that chose one model gets it on both threads: the second
        // thread then only runs the local search.
        const bool split = options.coverModel == CoverModel::Both;
        // Diagnostics of the second thread wait in a buffer, so two threads
        // never write to the caller's stream at once.
        std::ostringstream exactLog;
        SolveOptions exactOptions = shared;
        exactOptions.log = options.log != nullptr ? &exactLog : nullptr;
        if (split) exactOptions.coverModel = CoverModel::Edges;
        // Each thread runs one model: the complete method must not split
        // again.
        exactOptions.threads = 1;

        SolveResult fromSearch, fromExact, fromSecond;
        std::atomic<bool> exactRunning{true};
        std::thread other([&] {
            fromExact = Named(exact.Run(g, exactOptions), exact);
            if (Definite(fromExact)) race.request_stop();
            exactRunning = false;
        });
        // Without a second model to run, the local search keeps restarting
        // while the complete method works.
        fromSearch = Budgeted(g, local, shared, split ? nullptr : &exactRunning);
        if (Definite(fromSearch)) race.request_stop();
        if (split && !race.stop_requested()) {
            SolveOptions second = shared;
            second.coverModel = CoverModel::Arcs;
            second.threads = 1;
            if (!fromSearch.order.empty()) second.startOrder = fromSearch.order;
            fromSecond = Named(exact.Run(g, second), exact);
            if (Definite(fromSecond)) race.request_stop();
        }
        other.join();
        if (options.log != nullptr) *options.log << exactLog.str();

        // A complete method's answer comes first, the first thread's before
        // the second's; the local search's only when neither has one.
        SolveResult* r = &fromSearch;
        if (Definite(fromExact) || !Definite(fromSearch)) r = &fromExact;
        if (!Definite(fromExact) && Definite(fromSecond)) r = &fromSecond;
        for (const SolveResult* part : {&fromSearch, &fromExact, &fromSecond}) {
            if (part == r) continue;
            r->stats += part->stats;
            if (!Definite(*r)) KeepBest(*r, *part);
        }
        return std::move(*r);
    }
};

}  // namespace

std::shared_ptr<const Method> MakeAutoMethod(std::string name, std::string complete, NodeId tiny)
{
    return std::make_shared<AutoMethod>(std::move(name), std::move(complete), tiny);
}

}  // namespace hcp
