#include "solve/automethod.h"

#include <atomic>
#include <string>

#include "core/race.h"
#include "exact/reduction.h"
#include "solve/questionforms.h"
#include "solve/restarts.h"
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
    // Digraphs when the complete method reads arcs.
    bool Directed() const override
    {
        const Method* exact = FindMethod(m_complete);
        return exact != nullptr && exact->Directed();
    }

    SolveResult Run(const Graph& g, const SolveOptions& options) const override
    {
        const Method* exact = FindMethod(m_complete);
        if (g.Directed() && exact != nullptr) return RunDirected(g, *exact, options);
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

    // A digraph: the complete method on its arcs. Its SAT search decides
    // the FHCP-style digraphs in milliseconds where the local search on
    // their undirected form (three nodes for each) took seconds or more;
    // that search runs only when the complete method could not build its
    // model, and the complete method starts from no order.
    SolveResult RunDirected(const Graph& g, const Method& exact, const SolveOptions& options) const
    {
        SolveResult e = Named(exact.Run(g, options), exact);
        if (Definite(e) || options.stop.stop_requested() || !Complete(&exact)) return e;
        const SplitForm form(g);
        SolveResult r = Budgeted(form.Undirected(), *LocalSearch(form.Undirected()), options);
        r.order = form.ToCycle(r.order);
        if (r.verdict == Verdict::NoCycle) r.reason = form.Reason(r.reason);
        r.stats += e.stats;
        if (!Definite(r) && r.order.empty()) return e;
        return r;
    }

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
        r.stage = "proofs";
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
    // work rather than seconds makes the outcome the same on a busy machine
    // as on an idle one. While `partner` is set and true, the budget does
    // not end the search: a complete method is still working beside it.
    static SolveResult Budgeted(const Graph& g, const Method& local, const SolveOptions& options,
                                const std::atomic<bool>* partner = nullptr)
    {
        const std::uint64_t budget = options.workBudget > 0 ? options.workBudget : kAutoDefaultWork;
        RestartPlan plan;
        plan.restarts = 0;
        plan.threads = 1;
        plan.enough = [&](const SolveStats& spent) {
            // A method that did no countable work would never reach the
            // budget: one run of it is the whole budget.
            const bool spentAll = spent.optimizeCalls == 0 || spent.optimizeCalls >= budget
                               || (options.workBudget == 0 && spent.loopSteps >= kAutoDefaultSteps);
            return spentAll && (partner == nullptr || !partner->load());
        };
        // One restart of the legacy search on a dense graph of thousands of
        // nodes can take minutes: each restart ends at the step budget too,
        // so the complete method gets its turn.
        SolveOptions bounded = options;
        if (options.workBudget == 0 && bounded.stepLimit == 0) bounded.stepLimit = kAutoDefaultSteps;
        // The local searches know nothing of fixed edges: the restarts'
        // check turns a cycle of theirs that skips one into no answer.
        return RunRestarts(g, local, bounded, plan);
    }

    // Two threads. The calling thread runs what one thread would: the
    // local search for its budget, then the complete method with its SAT
    // models as one thread runs them. So every graph one thread decides, two
    // decide too, in about the same time or less (the SAT search is chaotic
    // enough that a model alone, as the calling thread once ran, missed
    // graphs the pair in turns decided). The second thread runs the
    // complete method stating covers by edges only, the model that most
    // often decides the large sparse graphs alone. The first definite
    // answer stops the rest; the complete method's answer is preferred.
    // All parts are sound, so which one wins changes at most which cycle
    // is reported, never the verdict.
    static SolveResult Race(const Graph& g, const Method& local, const Method& exact,
                            const SolveOptions& options)
    {
        // A caller that chose one model gets it on both threads: the calling
        // thread then only runs the local search.
        const bool split = options.coverModel == CoverModel::Both;
        std::atomic<bool> exactRunning{true};
        RaceSide search;
        search.run = [&](const SolveOptions& shared) {
            // Without a second model to run, the local search keeps
            // restarting while the complete method works.
            SolveResult found = Budgeted(g, local, shared, split ? nullptr : &exactRunning);
            if (Definite(found) || !split || shared.stop.stop_requested()) return found;
            SolveOptions alone = shared;
            alone.threads = 1;
            if (!found.order.empty()) alone.startOrder = found.order;
            SolveResult second = Named(exact.Run(g, alone), exact);
            CheckResult(g, second);
            second.stats += found.stats;
            if (!Definite(second)) KeepBest(second, found);
            return second;
        };
        RaceSide complete;
        complete.complete = true;
        complete.run = [&](const SolveOptions& shared) {
            SolveOptions edges = shared;
            if (split) edges.coverModel = CoverModel::Edges;
            // Each thread runs one model: the complete method must not split
            // again.
            edges.threads = 1;
            SolveResult r = Named(exact.Run(g, edges), exact);
            exactRunning = false;
            CheckResult(g, r);
            return r;
        };
        return hcp::Race(search, complete, options).Take();
    }
};

}  // namespace

std::shared_ptr<const Method> MakeAutoMethod(std::string name, std::string complete, NodeId tiny)
{
    return std::make_shared<AutoMethod>(std::move(name), std::move(complete), tiny);
}

}  // namespace hcp
