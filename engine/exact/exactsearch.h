// ExactSearch: the complete method, a portfolio. The cheap proofs of
// Reduction run first; then a short depth-first search, the toughness
// proof, and by size and shape the subset programme (up to 27 nodes), the
// frontier programme (narrow graphs), the depth-first and SAT searches in
// turns (up to 64 nodes), or the block search (graphs of pieces that few
// edges join) and then the SAT search. Every part is bounded in work
// or is the last. The answer is Hamiltonian with a cycle checked on the
// graph as given, NoCycle with the reason, or Unknown when the stop token
// fired or no SAT model fits the budget (the reason says so).
//
// One object may decide many graphs in a row (not at once): it keeps its
// buffers, which makes a stream of small graphs cheap.
#pragma once

#include <memory>
#include <optional>

#include "core/graph.h"
#include "core/method.h"
#include "core/options.h"
#include "core/result.h"
#include "exact/coverencoding.h"
#include "exact/frontierdp.h"
#include "exact/heldkarp.h"
#include "exact/reduction.h"
#include "exact/smallsearch.h"
#include "exact/toughness.h"
#include "exact/workgraph.h"
#include "export.h"

namespace hcp {

enum class ExactEngine {
    Auto,         // chosen by size
    DepthFirst,   // the depth-first search where the graph fits it, else SAT
    DynamicProgramme,  // the subset programme where the graph fits it, else SAT
    Frontier,     // the frontier programme where the graph is narrow, else SAT
    Sat           // always the SAT search
};

class TOURKERN_API ExactSearch {
public:
    // Graphs of at most this many nodes go to the depth-first search.
    static constexpr NodeId kDepthFirstLimit = SmallSearch::kMaxNodes;

    // The result's stage is the part that ended the run (LastPart()).
    SolveResult Run(const Graph& g, const SolveOptions& options, ExactEngine engine = ExactEngine::Auto);

    // Restricts the SAT search to one way of stating a cycle cover (see
    // coverencoding.h); by default SolveOptions::coverModel chooses.
    void SetSatModel(std::optional<SatModel> model) { m_satModel = model; }

    // Whether a graph of blocks joined by few edges is first searched block
    // by block (see blocksearch.h); on by default. Of two searches racing
    // on one graph, one is enough.
    void SetBlockSearch(bool on) { m_blocks = on; }

    // Which part of the portfolio ended the last run ("proofs",
    // "toughness", "depth-first", "held-karp", "blocks", "sat") and its work count
    // (edge visits, branches, steps or SAT calls).
    const char* LastPart() const { return m_part; }
    std::uint64_t LastPartWork() const { return m_partWork; }

    // The proofs of the last run, for callers that want the reduced graph.
    const Reduction& LastReduction() const { return m_reduction; }

private:
    // Edge visits the toughness search may spend at most (also at most 64
    // passes over the graph).
    static constexpr std::uint64_t kToughnessWork = 8'000'000;

    // States the frontier programme may keep (each a few bytes per open
    // node: about 100 MB at the widest).
    static constexpr std::uint64_t kFrontierStates = 3'000'000;

    // The first turns of depth-first and SAT search on graphs of 28 to 64
    // nodes (about 50 ms each); each round doubles them.
    static constexpr std::uint64_t kFirstBranches = 1'000'000;
    // Branches per node of the short search before the toughness proof.
    static constexpr std::uint64_t kProbeBranches = 16;
    static constexpr std::uint64_t kFirstConflicts = 4'000;
    // SAT work the block-by-block search may take before the SAT search
    // of the whole graph: 50,000 and 40 per node, five to ten seconds on
    // 2,000 to 5,000 nodes (the graphs it solves took 45,000 to 150,000,
    // about 30 per node).
    static constexpr std::uint64_t kBlockSearchWork = 50'000, kBlockSearchWorkPerNode = 40;

    SolveResult RunPortfolio(const Graph& g, const SolveOptions& options, ExactEngine engine);
    bool ProveByToughness(const Graph& g, SolveResult& r);
    void TakeTurns(const SolveOptions& options, SolveResult& r);
    // The SAT model SetSatModel or the options ask for; none: both.
    std::optional<SatModel> ChosenModel(const SolveOptions& options) const;
    bool RunFrontier(const SolveOptions& options, SolveResult& r);
    bool RunBlocks(const Graph& g, const SolveOptions& options, SolveResult& r);

    Reduction m_reduction;
    ToughnessProof m_toughness;
    SmallSearch m_small;
    HeldKarp m_dynamic;
    FrontierDp m_frontier;
    WorkGraph m_work;
    std::optional<SatModel> m_satModel;
    bool m_blocks = true;
    const char* m_part = "proofs";
    std::uint64_t m_partWork = 0;
};

// The solver method "exact".
TOURKERN_API std::shared_ptr<const Method> MakeExactMethod();

}  // namespace hcp
