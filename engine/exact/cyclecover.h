// CycleCover: a set of disjoint cycles through every node, as a successor
// relation (what the SAT relaxation returns), with the 2-opt exchange that
// splices two of its cycles into one through a pair of edges between them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/graph.h"
#include "exact/workgraph.h"

namespace hcp {

class CycleCover {
public:
    // Takes the successor of every node; succ must be a permutation.
    void Load(std::span<const NodeId> succ);

    std::size_t CycleCount() const { return m_cycleCount; }
    // One node per cycle, and the cycle of each node.
    const std::vector<NodeId>& Heads() const { return m_heads; }
    std::uint32_t CycleOf(NodeId v) const { return m_cycle[v]; }
    NodeId Next(NodeId v) const { return m_succ[v]; }

    // Splices cycles while a 2-opt exchange joins two of them: drop one
    // edge from each (never a forced one), add two edges of g between their
    // ends. Returns how many splices it made.
    std::uint64_t MergeAll(const WorkGraph& g);

    // Every node once, cycle after cycle: a cyclic order with one gap per
    // cycle when there are several.
    void Order(std::vector<NodeId>& out) const;

private:
    bool TryMerge(const WorkGraph& g, NodeId a);
    void Splice(NodeId a, NodeId b, NodeId c);
    void Relabel();

    std::vector<NodeId> m_succ;
    std::vector<NodeId> m_pred;
    std::vector<std::uint32_t> m_cycle;
    std::vector<NodeId> m_heads;
    std::size_t m_cycleCount = 0;
};

}  // namespace hcp
