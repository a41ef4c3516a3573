// Small graphs' covers for the tests of the SAT models: the working graph
// a reduction leaves, every set of its edges with degree two at every node
// by brute force, and every cover a model admits, by asking its solver
// until it has none left.
#pragma once

#include <gtest/gtest.h>

#include <cadical.hpp>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <stop_token>
#include <vector>

#include "common/graphfamilies.h"
#include "core/graph.h"
#include "exact/coverencoding.h"
#include "exact/reduction.h"
#include "exact/workgraph.h"

namespace covertest {

using EdgeSet = std::vector<std::uint32_t>;   // sorted edge ids

// The working graph of g, when the proofs leave it open.
struct Working {
    hcp::Reduction reduction;
    hcp::WorkGraph graph;
    bool open = false;
    explicit Working(const hcp::Graph& g)
    {
        open = reduction.Run(g) == hcp::ProofOutcome::Open;
        if (open) graph.Build(reduction);
    }
};

// Every cover of w that keeps its forced edges, over all edge sets (the
// graphs here have at most 26 edges).
inline std::vector<EdgeSet> AllCovers(const hcp::WorkGraph& w)
{
    const auto m = static_cast<std::uint32_t>(w.EdgeCount());
    std::vector<EdgeSet> covers;
    std::vector<int> degree(w.NodeCount());
    for (std::uint64_t mask = 0; mask < (std::uint64_t{1} << m); ++mask) {
        if (static_cast<hcp::NodeId>(__builtin_popcountll(mask)) != w.NodeCount()) continue;
        std::fill(degree.begin(), degree.end(), 0);
        EdgeSet edges;
        bool ok = true;
        for (std::uint32_t e = 0; e < m && ok; ++e) {
            const bool chosen = (mask >> e) & 1;
            if (w.Forced(e) && !chosen) ok = false;
            if (!chosen) continue;
            edges.push_back(e);
            ok = ++degree[w.EdgeAt(e).first] <= 2 && ++degree[w.EdgeAt(e).second] <= 2;
        }
        if (ok && std::all_of(degree.begin(), degree.end(), [](int d) { return d == 2; })) covers.push_back(edges);
    }
    return covers;
}

// The covers a model admits once `constrain` has added its clauses, as
// undirected edge sets. Solutions are blocked on the model's own literals:
// e + 1 for edge e in the edge model; 2e + 1 (from the lower end) and
// 2e + 2 in the others.
inline std::set<EdgeSet> ModelCovers(const hcp::WorkGraph& w, hcp::SatModel model,
                                     const std::function<void(CaDiCaL::Solver&, hcp::CoverEncoding&)>& constrain)
{
    CaDiCaL::Solver solver;
    solver.set("quiet", 1);
    auto encoding = hcp::MakeCoverEncoding(model, w);
    std::stop_source never;
    EXPECT_TRUE(encoding->Encode(solver, never.get_token()));
    constrain(solver, *encoding);
    std::set<EdgeSet> found;
    std::vector<hcp::NodeId> succ(w.NodeCount());
    for (int guard = 0; guard < 100000 && solver.solve() == 10; ++guard) {
        encoding->ReadCover(solver, succ);
        EdgeSet edges;
        std::vector<int> block;
        for (hcp::NodeId v = 0; v < w.NodeCount(); ++v) {
            const std::uint32_t e = w.Find(v, succ[v]);
            EXPECT_NE(e, hcp::WorkGraph::kNoEdge);
            if (model == hcp::SatModel::Edges)
                block.push_back(-static_cast<int>(e + 1));
            else
                block.push_back(-static_cast<int>(2 * e + (w.EdgeAt(e).first == v ? 1 : 2)));
            edges.push_back(e);
        }
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        found.insert(edges);
        for (int l : block) solver.add(l);
        solver.add(0);
    }
    return found;
}

// The cycles of a set of edges in which every node has degree two.
inline std::vector<std::vector<hcp::NodeId>> CyclesOf(const hcp::WorkGraph& w, const EdgeSet& edges)
{
    const hcp::NodeId n = w.NodeCount();
    std::vector<std::vector<hcp::NodeId>> adj(n);
    for (std::uint32_t e : edges) {
        adj[w.EdgeAt(e).first].push_back(w.EdgeAt(e).second);
        adj[w.EdgeAt(e).second].push_back(w.EdgeAt(e).first);
    }
    std::vector<std::vector<hcp::NodeId>> cycles;
    std::vector<bool> seen(n, false);
    for (hcp::NodeId s = 0; s < n; ++s) {
        if (seen[s]) continue;
        cycles.emplace_back();
        hcp::NodeId prev = adj[s][1], x = s;
        do {
            seen[x] = true;
            cycles.back().push_back(x);
            const hcp::NodeId next = adj[x][0] != prev ? adj[x][0] : adj[x][1];
            prev = x;
            x = next;
        } while (x != s);
    }
    return cycles;
}

inline bool HasCycleInside(const hcp::WorkGraph& w, const EdgeSet& cover, const std::vector<bool>& inRegion)
{
    for (const auto& c : CyclesOf(w, cover))
        if (std::all_of(c.begin(), c.end(), [&](hcp::NodeId v) { return inRegion[v]; })) return true;
    return false;
}

// The small graphs the encodings are checked on, each with its working
// graph: random cubic graphs of 10 and 12 nodes (seeds 1 to 12), and
// random graphs of 8 nodes and degree about 4 whose working graphs have at
// most 24 edges (seeds 1 to 6). Graphs the proofs decide are left out.
inline void ForRandomCubic(const std::function<void(std::uint64_t seed, const hcp::Graph&, const hcp::WorkGraph&)>& test)
{
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const hcp::Graph g = testgraphs::RandomCubic(seed % 2 == 0 ? 10 : 12, seed);
        Working probe(g);
        if (probe.open) test(seed, g, probe.graph);
    }
}

inline void ForRandomDense(const std::function<void(const hcp::Graph&, const hcp::WorkGraph&)>& test)
{
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        const hcp::Graph g = testgraphs::Random(8, 0.6, seed);
        Working probe(g);
        if (probe.open && probe.graph.EdgeCount() <= 24) test(g, probe.graph);
    }
}

// Random subsets of the n nodes, of smallest to largest nodes.
inline std::vector<std::vector<hcp::NodeId>> RandomSets(hcp::NodeId n, int count, std::mt19937_64& rng,
                                                         hcp::NodeId smallest, hcp::NodeId largest)
{
    std::vector<std::vector<hcp::NodeId>> sets;
    std::vector<hcp::NodeId> nodes(n);
    for (hcp::NodeId v = 0; v < n; ++v) nodes[v] = v;
    for (int k = 0; k < count; ++k) {
        std::shuffle(nodes.begin(), nodes.end(), rng);
        const hcp::NodeId size = smallest + static_cast<hcp::NodeId>(rng() % (largest - smallest + 1));
        sets.emplace_back(nodes.begin(), nodes.begin() + size);
    }
    return sets;
}

}  // namespace covertest
