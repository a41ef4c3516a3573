// BlockSearch: a cycle of a graph that a BlockSplit cuts into blocks, built
// block by block. It goes through the subsets of crossing edges and bundles
// a cycle could use (each node meets at most two, each block an even number
// and at least two, a fixed crossing edge always), pairs the ends a subset gives
// each block so that crossings and pairs make one closed round, and asks
// the SAT search of each block for paths that join its pairs and together
// cover it. A block's paths are asked as one cycle of the block with a
// node of degree two between the end of each path and the start of the
// next. A shared hub's bundle into a block is, inside that block, a node
// joined to the hub's neighbours there, so the block's paths choose where
// the hub comes in. The paths glued along the crossings make the cycle,
// which is checked on the graph. One block's paths are found in
// blockpaths.cpp.
//
// It only finds cycles: a subset or pairing that fails may have failed for
// want of work, so running out of subsets proves nothing.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"
#include "core/stopwatch.h"
#include "exact/blocksplit.h"

namespace hcp {

class BlockSearch {
public:
    // Searches g, cut by split, with at most workLimit units of SAT work
    // (conflicts and call charges) over all blocks; true with the cycle.
    bool Run(const Graph& g, const BlockSplit& split, const SolveOptions& options, std::uint64_t workLimit,
             std::vector<NodeId>& cycle);

    std::uint64_t Work() const { return m_work; }
    // Blocks asked for paths (each pairing of a block once).
    std::uint64_t BlockSolves() const { return m_solves; }
    // Subsets of crossing edges that every block accepts.
    std::uint64_t Subsets() const { return m_subsets; }
    // The SAT searches' counts, summed.
    const SolveStats& Stats() const { return m_stats; }

    // Work one block's SAT search may take: a few seconds. Blocks of 400
    // to 800 nodes of near-cubic graphs with hubs took 10,000 to 30,000.
    static constexpr std::uint64_t kBlockWork = 20'000, kBlockWorkPerNode = 40;
    // Pairings tried for one subset, and ends a block may have.
    static constexpr std::size_t kMaxRounds = 1024;
    static constexpr std::size_t kMaxEnds = 8;
    // Subsets tried, and choices made on the way to them, at most: where
    // the search decides, it did at the first subset or the fifth; where it
    // went on it never found a pairing closing one round, and 200,000
    // subsets took nine seconds.
    static constexpr std::uint64_t kMaxSubsets = 10'000, kMaxChoices = 2'000'000;
    // Pairings closing one round whose blocks were asked for paths in
    // vain, at most: graph612 of fhcpcs-more needed more than three (its
    // realized pairings broke the round); where the blocks fail, the work
    // budget ends the search sooner.
    static constexpr std::uint64_t kMaxAskedRounds = 16;

private:
    static constexpr NodeId kNone = ~NodeId{0};
    static Edge Normal(Edge e) { return e.first < e.second ? e : Edge{e.second, e.first}; }

    struct Paths {
        bool found = false;
        std::vector<std::vector<NodeId>> paths;   // end to end, in the graph's numbering
    };

    void OrderItems();
    bool Choose(std::size_t i);
    bool TryLeaf();
    bool OneRound() const;
    const Paths& SolveBlock(std::uint32_t b, const std::vector<NodeId>& pairs, const std::vector<NodeId>& selfs);
    std::vector<NodeId> SolveCycle(Graph sub, const std::vector<Edge>& fixed, std::uint64_t work);
    bool Glue(const std::vector<const Paths*>& chosen, std::vector<NodeId>& cycle);
    NodeId Other(NodeId v, NodeId from) const;
    std::uint32_t BlockOf(NodeId x) const
    {
        return x < m_split->block.size() ? m_split->block[x] : m_itemBlock[x - m_split->block.size()];
    }

    const Graph* m_g = nullptr;
    const BlockSplit* m_split = nullptr;
    SolveOptions m_options;
    std::uint64_t m_limit = 0, m_work = 0, m_solves = 0, m_subsets = 0, m_choices = 0, m_askedRounds = 0;
    bool m_done = false;
    SolveStats m_stats;

    std::vector<Edge> m_items;                       // crossing edges, then bundles
    std::vector<std::uint32_t> m_itemBlock;          // the block of each bundle
    std::vector<std::vector<NodeId>> m_members;      // nodes of each block
    std::vector<std::uint32_t> m_left;               // undecided items at each block
    std::vector<char> m_fixedCrossing;               // per item: must be used
    std::vector<std::uint8_t> m_fixedInside;         // fixed edges within its block, per node
    std::vector<char> m_used;                        // crossing edges chosen
    std::vector<std::uint8_t> m_degree;              // chosen crossing edges at each node
    std::vector<std::uint32_t> m_ends;               // chosen crossing edges at each block
    std::vector<NodeId> m_crossNbr;                  // two per node: its chosen crossing neighbours
    std::vector<NodeId> m_mate;                      // the pair partner of each end
    std::vector<NodeId> m_local;                     // scratch: a node's number in its block's graph
    std::vector<const std::vector<NodeId>*> m_pathAt;  // scratch: the path an end is an end of
    std::map<std::vector<NodeId>, Paths> m_cache;
    std::vector<NodeId>* m_cycle = nullptr;
    StopWatch m_stop{std::stop_token{}};
};

}  // namespace hcp
