#include "exact/exactsearch.h"

#include <stdexcept>
#include <string>

#include "core/cyclecheck.h"
#include "exact/modelrace.h"
#include "exact/satsearch.h"

namespace hcp {

namespace {

// A cycle leaves here only when it is one on g and uses every fixed edge.
void CheckFound(const Graph& g, const SolveResult& r)
{
    if (!CheckCycle(g, r.order).hamiltonian) throw std::logic_error("exact: the search built an order that is not a cycle of the graph");
}

class ExactMethod final : public Method {
public:
    std::string_view Name() const override { return "exact"; }
    std::string_view Summary() const override
    {
        return "complete: finds a cycle or proves there is none (proofs, then depth-first or SAT search)";
    }
    bool Complete() const override { return true; }
    // With two threads the two SAT models run side by side; graphs the
    // depth-first search takes, and a caller's choice of one model, stay on
    // one thread.
    SolveResult Run(const Graph& g, const SolveOptions& options) const override
    {
        if (options.threads >= 2 && options.coverModel == CoverModel::Both
            && g.NodeCount() > ExactSearch::kDepthFirstLimit) {
            SolveResult r = RaceCoverModels(g, options);
            r.method = "exact";
            r.seed = options.seed;
            return r;
        }
        ExactSearch search;
        return search.Run(g, options);
    }
};

}  // namespace

SolveResult ExactSearch::Run(const Graph& g, const SolveOptions& options, ExactEngine engine)
{
    SolveResult r;
    r.method = "exact";
    r.seed = options.seed;
    switch (m_reduction.Run(g)) {
    case ProofOutcome::NoCycle:
        r.verdict = Verdict::NoCycle;
        r.reason = m_reduction.Reason();
        return r;
    case ProofOutcome::Cycle:
        r.verdict = Verdict::Hamiltonian;
        r.order = m_reduction.ForcedCycle();
        CheckFound(g, r);
        return r;
    case ProofOutcome::Open:
        break;
    }
    const NodeId n = g.NodeCount();
    const bool depthFirst = engine != ExactEngine::Sat && n <= kDepthFirstLimit;
    if (depthFirst) {
        StopWatch stop(options.stop, 256);
        const SmallSearch::Outcome o = m_small.Run(m_reduction, stop);
        r.stats.branches = m_small.Branches();
        if (o == SmallSearch::Outcome::Found) {
            r.verdict = Verdict::Hamiltonian;
            r.order.assign(m_small.Cycle(), m_small.Cycle() + n);
        } else if (o == SmallSearch::Outcome::None) {
            r.verdict = Verdict::NoCycle;
            r.reason = "the complete search found no cycle (depth-first, " + std::to_string(r.stats.branches)
                       + " branches)";
        } else {
            r.stopped = true;
        }
    } else {
        m_work.Build(m_reduction);
        std::optional<SatModel> model = m_satModel;
        if (!model && options.coverModel != CoverModel::Both)
            model = options.coverModel == CoverModel::Arcs ? SatModel::Arcs : SatModel::Edges;
        SolveResult s = RunSatSearch(m_work, options, model);
        r.verdict = s.verdict;
        r.order = std::move(s.order);
        r.reason = std::move(s.reason);
        r.stats = s.stats;
        r.stopped = s.verdict == Verdict::Unknown && options.stop.stop_requested();
    }
    if (r.verdict == Verdict::Hamiltonian) CheckFound(g, r);
    return r;
}

std::shared_ptr<const Method> MakeExactMethod()
{
    return std::make_shared<ExactMethod>();
}

}  // namespace hcp
