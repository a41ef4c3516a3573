// HeldKarp: the exact dynamic programme over node subsets for small graphs.
// Row 'mask' holds, as one word, every node at which a path from the start
// through exactly the nodes of mask can end; a row is computed from the rows
// one node smaller with a word operation per node (bit-parallel), so a graph
// of N nodes costs about N * 2^(N-1) steps and 4 * 2^(N-1) bytes whatever
// its density. It decides what the depth-first search can take minutes on:
// small dense graphs without a cycle.
#pragma once

#include <cstdint>
#include <vector>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "exact/reduction.h"

namespace hcp {

class HeldKarp {
public:
    // Largest graph the programme takes: 2^26 rows of 4 bytes, 256 MB.
    static constexpr NodeId kMaxNodes = 27;
    enum class Outcome { Found, None, Stopped };

    // Steps a graph of n nodes costs (rows times nodes), for a scheduler
    // that weighs the programme against a search.
    static std::uint64_t Work(NodeId n);
    // Bytes the rows of a graph of n nodes take.
    static std::uint64_t Memory(NodeId n);

    // Decides the working graph r leaves (NodeCount() <= kMaxNodes), with
    // its forced edges. Found leaves the cycle in Cycle().
    Outcome Run(const Reduction& r, StopWatch& stop);

    const std::vector<NodeId>& Cycle() const { return m_cycle; }
    std::uint64_t Steps() const { return m_steps; }

private:
    void Load(const Reduction& r);
    void Trace(std::uint32_t last, bool owing);

    NodeId m_nodes = 0;     // the graph's nodes; the start is node m_nodes - 1
    NodeId m_start = 0;
    std::uint32_t m_startAdj = 0;      // the start's neighbours
    std::uint32_t m_firsts = 0;        // those that may follow it
    std::vector<std::uint32_t> m_adj;  // neighbours among the other nodes
    // A node with one forced edge and other edges besides: m_partner is the
    // forced neighbour, m_owedBy[w] the nodes whose forced neighbour is w.
    std::vector<NodeId> m_partner;
    std::vector<std::uint32_t> m_owedBy;
    std::uint32_t m_oneForced = 0;
    // Paths ending at a node that has used its forced edge (or has none),
    // and paths ending at a node that still owes it as the next step.
    std::vector<std::uint32_t> m_free;
    std::vector<std::uint32_t> m_owing;
    std::vector<NodeId> m_cycle;
    std::uint64_t m_steps = 0;
};

}  // namespace hcp
