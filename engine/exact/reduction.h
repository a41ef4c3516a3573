// Reduction: the cheap proofs every complete search runs first, and the
// working graph they leave behind. It removes the edges no Hamiltonian cycle
// can use and marks those every cycle must use, until nothing changes; on
// the way it may prove that there is no cycle (with the reason in words) or
// find that the forced edges already are one.
//
// The object keeps its buffers between runs, so a caller deciding many small
// graphs in a row (a stream from a generator) reuses one and allocates
// nothing once the buffers have grown.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/graph.h"
#include "export.h"

namespace hcp {

enum class ProofOutcome {
    Open,      // nothing decided: a search has to finish the job
    NoCycle,   // proved: no Hamiltonian cycle (Reason says why)
    Cycle      // the forced edges form a Hamiltonian cycle (ForcedCycle)
};

class TOURKERN_API Reduction {
public:
    // Loads g with its fixed edges as forced and runs every proof.
    ProofOutcome Run(const Graph& g);

    ProofOutcome Outcome() const { return m_outcome; }
    // Why there is no cycle, 1-based node numbers ("node 17 has degree 1").
    const std::string& Reason() const { return m_reason; }
    // The cycle the forced edges form, when Outcome() is Cycle.
    std::vector<NodeId> ForcedCycle() const;

    // The working graph: the edges a cycle may still use.
    NodeId NodeCount() const { return m_nodes; }
    std::uint32_t Degree(NodeId v) const { return m_degree[v]; }
    // Remaining neighbours of v, in no particular order.
    std::span<const NodeId> Neighbors(NodeId v) const {
        return {m_adjacency.data() + m_rowStart[v], m_degree[v]};
    }
    std::size_t EdgeCount() const { return m_liveSlots / 2; }
    // Edges every cycle must use: up to two per node.
    std::uint32_t ForcedDegree(NodeId v) const { return m_forcedCount[v]; }
    bool IsForced(NodeId u, NodeId v) const {
        return (m_forcedCount[u] > 0 && m_forced[2 * u] == v)
               || (m_forcedCount[u] > 1 && m_forced[2 * u + 1] == v);
    }
    // Edges removed and edges forced by the whole run.
    std::uint64_t RemovedEdges() const { return m_removed; }
    std::uint64_t ForcedEdges() const { return m_forcedTotal; }

private:
    static constexpr std::uint64_t kNoSlot = ~std::uint64_t{0};

    // reduction.cpp: loading and the forced-edge propagation
    void Load(const Graph& g);
    bool Fail(std::string reason);
    bool Force(NodeId u, NodeId v);
    bool Propagate();
    void RemoveSlot(std::uint64_t slot);
    bool RemoveEdge(NodeId u, NodeId v);
    bool DropUnforced(NodeId v);
    std::uint64_t FindSlot(NodeId u, NodeId v) const;

    // structure.cpp: whole-graph proofs on the working graph
    bool CheckStructure(const char* suffix);
    bool CheckConnectivity(const char* suffix);
    bool CheckBipartite(const char* suffix);

    NodeId m_nodes = 0;
    ProofOutcome m_outcome = ProofOutcome::Open;
    std::string m_reason;

    // Remaining edges: row v holds its live neighbours first (m_degree[v]
    // of them); m_twin[s] is the slot of the same edge seen from the other end.
    std::vector<std::uint64_t> m_rowStart;
    std::vector<NodeId> m_adjacency;
    std::vector<std::uint64_t> m_twin;
    std::vector<std::uint32_t> m_degree;
    std::uint64_t m_liveSlots = 0;

    // Forced edges: up to two partners per node; each forced path is known
    // by its two ends (m_pathEnd of an end is the other end) and its size.
    std::vector<NodeId> m_forced;
    std::vector<std::uint8_t> m_forcedCount;
    std::vector<NodeId> m_pathEnd;
    std::vector<NodeId> m_pathSize;

    // Propagation work list and scratch for the whole-graph proofs.
    std::vector<NodeId> m_queue;
    std::vector<std::uint8_t> m_queued;
    std::vector<std::uint32_t> m_order;
    std::vector<std::uint32_t> m_low;
    std::vector<std::uint64_t> m_cursor;
    std::vector<NodeId> m_parent;
    std::vector<NodeId> m_stack;

    std::uint64_t m_removed = 0;
    std::uint64_t m_forcedTotal = 0;
};

}  // namespace hcp
