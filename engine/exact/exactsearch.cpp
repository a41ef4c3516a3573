#include "exact/exactsearch.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/cyclecheck.h"
#include "exact/blocksearch.h"
#include "exact/blocksplit.h"
#include "exact/digraphsearch.h"
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
        return "complete: finds a cycle or proves there is none (proofs, toughness, dynamic programmes, blocks, depth-first and SAT search)";
    }
    bool Complete() const override { return true; }
    bool Directed() const override { return true; }
    // With two threads the two SAT models run side by side; graphs the
    // depth-first search takes, and a caller's choice of one model, stay on
    // one thread.
    SolveResult Run(const Graph& g, const SolveOptions& options) const override
    {
        if (g.Directed()) return RunDigraphSearch(g, options);
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
    // The portfolio's parts read edges; a digraph has its own search.
    if (g.Directed()) return RunDigraphSearch(g, options);
    SolveResult r = RunPortfolio(g, options, engine);
    r.stage = m_part;
    return r;
}

SolveResult ExactSearch::RunPortfolio(const Graph& g, const SolveOptions& options, ExactEngine engine)
{
    SolveResult r;
    r.method = "exact";
    r.seed = options.seed;
    m_part = "proofs";
    m_partWork = 0;
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
    const NodeId n = m_reduction.NodeCount();
    // A Hamiltonian graph has no toughness witness, and most small ones
    // give up a cycle to a short search at once: that search goes first,
    // and any proof it finds waits until the witness search had its turn.
    if (engine == ExactEngine::Auto && n <= kDepthFirstLimit) {
        StopWatch probe(options.stop, 256);
        m_small.SetBranchLimit(kProbeBranches * n);
        if (m_small.Run(m_reduction, probe) == SmallSearch::Outcome::Found) {
            m_part = "depth-first";
            m_partWork = m_small.Branches();
            r.stats.branches = m_small.Branches();
            r.verdict = Verdict::Hamiltonian;
            r.order.assign(m_small.Cycle(), m_small.Cycle() + n);
            CheckFound(g, r);
            return r;
        }
    }
    if (engine == ExactEngine::Auto && ProveByToughness(g, r)) return r;
    if (((engine == ExactEngine::Auto && n > HeldKarp::kMaxNodes) || engine == ExactEngine::Frontier)
        && RunFrontier(options, r))
        return r;
    if (engine == ExactEngine::Auto && n > HeldKarp::kMaxNodes && n <= kDepthFirstLimit) {
        TakeTurns(options, r);
        if (r.verdict == Verdict::Hamiltonian) CheckFound(g, r);
        return r;
    }
    const bool dynamic = (engine == ExactEngine::Auto || engine == ExactEngine::DynamicProgramme)
                         && n <= HeldKarp::kMaxNodes;
    const bool depthFirst = (engine == ExactEngine::Auto || engine == ExactEngine::DepthFirst)
                            && n <= kDepthFirstLimit;
    if (dynamic || depthFirst) {
        StopWatch stop(options.stop, 256);
        // Where both apply, the search goes first with as many branches as
        // the programme has steps over 64 (a branch costs about 25 steps'
        // time, measured at 27 nodes: 870 million steps in 1.9 s, 85
        // million branches in 10 s), so it takes at most about as long as
        // the programme: on sparse graphs it decides long before that; on
        // dense ones the programme's bounded cost wins.
        // Tiny graphs keep the search's answer (and its reason) whatever
        // the programme would cost.
        m_small.SetBranchLimit(dynamic && depthFirst ? std::max<std::uint64_t>(HeldKarp::Work(n) / 64, 1 << 16)
                                                     : ~std::uint64_t{0});
        SmallSearch::Outcome o = SmallSearch::Outcome::Stopped;
        if (depthFirst) {
            m_part = "depth-first";
            o = m_small.Run(m_reduction, stop);
            r.stats.branches = m_small.Branches();
            m_partWork = m_small.Branches();
        }
        if (o == SmallSearch::Outcome::Found) {
            r.verdict = Verdict::Hamiltonian;
            r.order.assign(m_small.Cycle(), m_small.Cycle() + n);
        } else if (o == SmallSearch::Outcome::None) {
            r.verdict = Verdict::NoCycle;
            r.reason = "the complete search found no cycle (depth-first, " + std::to_string(r.stats.branches)
                       + " branches)";
        } else if (dynamic && !stop.StoppedNow()) {
            m_part = "held-karp";
            const HeldKarp::Outcome h = m_dynamic.Run(m_reduction, stop);
            m_partWork = m_dynamic.Steps();
            if (h == HeldKarp::Outcome::Found) {
                r.verdict = Verdict::Hamiltonian;
                r.order = m_dynamic.Cycle();
            } else if (h == HeldKarp::Outcome::None) {
                r.verdict = Verdict::NoCycle;
                r.reason = "no path through every node closes into a cycle (dynamic programme over node subsets, "
                           + std::to_string(m_dynamic.Steps()) + " steps)";
            } else {
                r.stopped = true;
            }
        } else {
            r.stopped = true;
        }
    } else {
        if (m_blocks && RunBlocks(g, options, r)) return r;
        m_part = "sat";
        m_work.Build(m_reduction);
        SolveResult s = RunSatSearch(m_work, options, ChosenModel(options));
        r.verdict = s.verdict;
        r.order = std::move(s.order);
        r.reason = std::move(s.reason);
        r.stats += s.stats;   // after the block search's, if it ran
        m_partWork = s.stats.satCalls;
        r.stopped = s.verdict == Verdict::Unknown && options.stop.stop_requested();
    }
    if (r.verdict == Verdict::Hamiltonian) CheckFound(g, r);
    return r;
}

// Graphs of blocks joined by few edges: block by block first, with a
// share of work, before the SAT search of the whole.
bool ExactSearch::RunBlocks(const Graph& g, const SolveOptions& options, SolveResult& r)
{
    const std::optional<BlockSplit> split = FindBlockSplit(g);
    if (!split) return false;
    BlockSearch blocks;
    std::vector<NodeId> cycle;
    const std::uint64_t work = kBlockSearchWork + kBlockSearchWorkPerNode * g.NodeCount();
    const bool found = blocks.Run(g, *split, options, work, cycle);
    r.stats += blocks.Stats();
    if (options.log != nullptr)
        *options.log << "exact: " << split->blocks << " blocks joined by " << split->crossing.size()
                     << " edges and " << split->bundles.size() << " bundles: " << blocks.Subsets()
                     << " sets of crossings, " << blocks.BlockSolves() << " blocks searched, work "
                     << blocks.Work() << (found ? ": a cycle\n" : ": none\n");
    if (!found) return false;
    m_part = "blocks";
    m_partWork = blocks.Work();
    r.verdict = Verdict::Hamiltonian;
    r.order = std::move(cycle);
    CheckFound(g, r);
    return true;
}

std::optional<SatModel> ExactSearch::ChosenModel(const SolveOptions& options) const
{
    if (m_satModel || options.coverModel == CoverModel::Both) return m_satModel;
    return options.coverModel == CoverModel::Arcs ? SatModel::Arcs : SatModel::Edges;
}

// Graphs too large for the subset programme but small enough for the
// depth-first search: that search and the SAT search take turns, each
// round with twice the work of the last (branches and conflicts, never
// seconds, so a run repeats). Neither wins everywhere: the search is
// quick on sparse graphs, the SAT search on dense ones without a cheap
// argument. Each turn starts afresh, which costs at most the work of the
// rounds before, about that of the last.
void ExactSearch::TakeTurns(const SolveOptions& options, SolveResult& r)
{
    const NodeId n = m_reduction.NodeCount();
    m_work.Build(m_reduction);
    StopWatch stop(options.stop, 256);
    std::uint64_t branches = kFirstBranches, conflicts = kFirstConflicts;
    SolveStats total;
    for (;;) {
        m_part = "depth-first";
        m_small.SetBranchLimit(branches);
        const SmallSearch::Outcome o = m_small.Run(m_reduction, stop);
        total.branches += m_small.Branches();
        m_partWork = m_small.Branches();
        if (o == SmallSearch::Outcome::Found) {
            r.verdict = Verdict::Hamiltonian;
            r.order.assign(m_small.Cycle(), m_small.Cycle() + n);
            break;
        }
        if (o == SmallSearch::Outcome::None) {
            r.verdict = Verdict::NoCycle;
            r.reason = "the complete search found no cycle (depth-first, " + std::to_string(m_small.Branches())
                       + " branches)";
            break;
        }
        if (stop.StoppedNow() || conflicts == 0) break;
        m_part = "sat";
        SolveResult s = RunSatSearch(m_work, options, ChosenModel(options), conflicts);
        total += s.stats;
        m_partWork = s.stats.satCalls;
        if (s.verdict != Verdict::Unknown) {
            r.verdict = s.verdict;
            r.order = std::move(s.order);
            r.reason = std::move(s.reason);
            break;
        }
        if (options.stop.stop_requested()) break;
        // Where the budget allows no model, the search gets the thread.
        const bool declined = s.reason.find("used its share") == std::string::npos;
        conflicts = declined ? 0 : 2 * conflicts;
        branches = declined ? ~std::uint64_t{0} : 2 * branches;
    }
    r.stats = total;
    r.stopped = r.verdict == Verdict::Unknown && options.stop.stop_requested();
}

// The frontier programme, where the graph is narrow enough; true when it
// decided. Its states are bounded, so it never holds the thread for long.
bool ExactSearch::RunFrontier(const SolveOptions& options, SolveResult& r)
{
    m_work.Build(m_reduction);
    const std::uint32_t width = m_frontier.Plan(m_work);
    if (width > FrontierDp::kMaxWidth) return false;
    StopWatch stop(options.stop, 256);
    const FrontierDp::Outcome o = m_frontier.Run(m_work, stop, kFrontierStates);
    m_part = "frontier";
    m_partWork = m_frontier.States();
    if (o == FrontierDp::Outcome::Found) {
        r.verdict = Verdict::Hamiltonian;
        r.order = m_frontier.Cycle();
    } else if (o == FrontierDp::Outcome::None) {
        r.verdict = Verdict::NoCycle;
        r.reason = "no choice of edges makes one cycle (frontier programme, width " + std::to_string(width) + ", "
                   + std::to_string(m_frontier.States()) + " states)";
    } else {
        r.stopped = o == FrontierDp::Outcome::Stopped;
        return r.stopped;
    }
    return true;
}

// The toughness argument on the graph as given (a witness anyone can check)
// and then on the working graph, whose removed edges split it further.
bool ExactSearch::ProveByToughness(const Graph& g, SolveResult& r)
{
    const std::uint64_t size = g.NodeCount() + g.Adjacency().size();
    const std::uint64_t work = std::min<std::uint64_t>(kToughnessWork, 64 * size);
    m_part = "toughness";
    // On a regular graph the degree order is no order; the cut-vertex
    // greedy alone is tried.
    m_toughness.SetDegreeGreedy(g.MinDegree() != g.MaxDegree());
    if (m_toughness.Run(g, work)) {
        m_partWork = m_toughness.Work();
        r.verdict = Verdict::NoCycle;
        r.reason = m_toughness.Reason();
        return true;
    }
    m_partWork = m_toughness.Work();
    if (m_reduction.RemovedEdges() > 0 && m_toughness.Run(m_reduction, work)) {
        m_partWork += m_toughness.Work();
        r.verdict = Verdict::NoCycle;
        r.reason = m_toughness.Reason() + " once the edges no cycle can use are removed";
        return true;
    }
    return false;
}

std::shared_ptr<const Method> MakeExactMethod()
{
    return std::make_shared<ExactMethod>();
}

}  // namespace hcp
