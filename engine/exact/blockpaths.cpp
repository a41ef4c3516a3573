// The paths through one block for one pairing of its ends: the block as
// a graph of its own, with a gadget node between consecutive paths, solved
// by the proofs or the SAT search, and its cycle cut back into paths.
#include "exact/blocksearch.h"

#include <algorithm>
#include <optional>

#include "core/cyclecheck.h"
#include "exact/reduction.h"
#include "exact/satsearch.h"
#include "exact/workgraph.h"

namespace hcp {

namespace {

// The paths a block's cycle runs between its gadget nodes (those numbered
// size and above), in the graph's numbering.
std::vector<std::vector<NodeId>> Segments(const std::vector<NodeId>& cycle, NodeId size,
                                          const std::vector<NodeId>& nodes)
{
    std::vector<std::vector<NodeId>> paths;
    std::size_t start = 0;
    while (cycle[start] < size) ++start;
    std::vector<NodeId> path;
    for (std::size_t t = 1; t <= cycle.size(); ++t) {
        const NodeId x = cycle[(start + t) % cycle.size()];
        if (x >= size) paths.push_back(std::move(path)), path.clear();
        else path.push_back(nodes[x]);
    }
    return paths;
}

}  // namespace

const BlockSearch::Paths& BlockSearch::SolveBlock(std::uint32_t b, const std::vector<NodeId>& pairs,
                                                   const std::vector<NodeId>& selfs)
{
    std::vector<NodeId> key{b};
    std::vector<Edge> sorted;
    for (std::size_t k = 0; k < pairs.size(); k += 2) sorted.push_back(Normal({pairs[k], pairs[k + 1]}));
    std::sort(sorted.begin(), sorted.end());
    for (const Edge& e : sorted) key.push_back(e.first), key.push_back(e.second);
    key.push_back(kNone);
    key.insert(key.end(), selfs.begin(), selfs.end());
    std::sort(key.end() - static_cast<std::ptrdiff_t>(selfs.size()), key.end());
    auto [it, inserted] = m_cache.try_emplace(std::move(key));
    Paths& out = it->second;
    if (!inserted) return out;

    // The block without the nodes both of whose cycle edges cross.
    std::vector<NodeId> nodes;
    for (NodeId v : m_members[b])
        if (m_degree[v] < 2) m_local[v] = static_cast<NodeId>(nodes.size()), nodes.push_back(v);
    const std::size_t real = nodes.size();
    const NodeId n = m_g->NodeCount();
    for (NodeId x : pairs)
        if (x >= n) m_local[x] = static_cast<NodeId>(nodes.size()), nodes.push_back(x);
    const NodeId size = static_cast<NodeId>(nodes.size());
    std::vector<Edge> edges, fixed;
    for (std::size_t k = 0; k < real; ++k)
        for (NodeId w : m_g->Neighbors(nodes[k]))
            if (m_local[w] != kNone && nodes[k] < w) edges.emplace_back(m_local[nodes[k]], m_local[w]);
    // A bundle's node is joined to its hub's neighbours in the block.
    for (std::size_t k = real; k < nodes.size(); ++k)
        for (NodeId w : m_g->Neighbors(m_split->bundles[nodes[k] - n].first))
            if (m_local[w] != kNone) edges.emplace_back(static_cast<NodeId>(k), m_local[w]);
    for (const Edge& e : m_g->FixedEdges()) {
        if (m_local[e.first] != kNone && m_local[e.second] != kNone) {
            fixed.emplace_back(m_local[e.first], m_local[e.second]);
            continue;
        }
        for (std::size_t k = real; k < nodes.size(); ++k) {
            const NodeId h = m_split->bundles[nodes[k] - n].first;
            if (h == e.first && m_local[e.second] != kNone) fixed.emplace_back(static_cast<NodeId>(k), m_local[e.second]);
            if (h == e.second && m_local[e.first] != kNone) fixed.emplace_back(static_cast<NodeId>(k), m_local[e.first]);
        }
    }
    // Between the end of path j and the start of path j + 1, a node of
    // degree two. The block's cycle may join the ends otherwise: with two
    // pairs a1 b1, a2 b2 it may run a1 .. a2 and b1 .. b2. So the pairs
    // are asked once more with all but the first turned round (then the
    // other way to go wrong is a1 .. b2 and b1 .. a2), and the answer
    // kept is the first that joins the ends as asked, else the first.
    const std::size_t k = pairs.size() / 2;
    const std::size_t base = edges.size();
    using PathSet = std::vector<std::vector<NodeId>>;
    auto asked = [&](const PathSet& paths) {
        for (const auto& path : paths) {
            bool match = false;
            for (std::size_t j = 0; j < pairs.size() && !match; j += 2)
                match = Normal({pairs[j], pairs[j + 1]}) == Normal({path.front(), path.back()});
            if (!match) return false;
        }
        return true;
    };
    PathSet fallback;   // a block's cycle has a path for every pair: never empty once found
    for (int turn = 0; turn < (k >= 2 ? 2 : 1) && size > 0 && k > 0 && !m_done; ++turn) {
        edges.resize(base);
        auto end = [&](std::size_t j, bool second) {
            const bool flip = turn == 1 && j > 0;
            return m_local[pairs[2 * j + (second != flip ? 1 : 0)]];
        };
        for (std::size_t j = 0; j < k; ++j) {
            const NodeId z = size + static_cast<NodeId>(j);
            edges.emplace_back(end(j, true), z);
            edges.emplace_back(z, end((j + 1) % k, false));
        }
        const std::vector<NodeId> cycle = SolveCycle(Graph::FromEdges(size + static_cast<NodeId>(k), edges),
                                                     fixed, kBlockWork + kBlockWorkPerNode * size);
        if (cycle.empty()) continue;
        PathSet paths = Segments(cycle, size, nodes);
        if (asked(paths)) {
            out.paths = std::move(paths);
            break;
        }
        if (fallback.empty()) fallback = std::move(paths);
    }
    if (out.paths.empty()) out.paths = std::move(fallback);
    out.found = !out.paths.empty() || (size == 0 && k == 0);
    if (out.found)
        for (NodeId s : selfs) out.paths.push_back({s});
    for (NodeId v : nodes) m_local[v] = kNone;
    // A block given up for want of work may succeed with more: not kept.
    if (m_done && !out.found) {
        static const Paths kNothing;
        m_cache.erase(it);
        return kNothing;
    }
    return out;
}

// A cycle of a block's graph through its pairs' gadgets, by the proofs or
// the SAT search with the work given, at most what is left; empty when
// none was found.
std::vector<NodeId> BlockSearch::SolveCycle(Graph sub, const std::vector<Edge>& fixed, std::uint64_t work)
{
    if (!fixed.empty()) sub.SetFixedEdges(fixed);
    Reduction proofs;
    std::vector<NodeId> order;
    ++m_solves;
    switch (proofs.Run(sub)) {
    case ProofOutcome::NoCycle:
        return order;
    case ProofOutcome::Cycle:
        order = proofs.ForcedCycle();
        break;
    case ProofOutcome::Open: {
        const std::uint64_t limit = std::min(work, m_limit - std::min(m_limit, m_work));
        if (limit == 0) {
            m_done = true;
            return order;
        }
        WorkGraph reduced;
        reduced.Build(proofs);
        std::uint64_t spent = 0;
        SolveResult s = RunSatSearch(reduced, m_options, std::nullopt, limit, &spent);
        m_work += spent;
        m_stats += s.stats;
        if (s.verdict == Verdict::Hamiltonian) order = std::move(s.order);
        else if (m_options.stop.stop_requested() || m_work >= m_limit) m_done = true;
        break;
    }
    }
    if (!order.empty() && !CheckCycle(sub, order).hamiltonian) order.clear();
    return order;
}

}  // namespace hcp
