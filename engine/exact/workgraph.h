// WorkGraph: the graph a Reduction leaves, frozen into sorted rows with an
// index per edge, for the searches that run after the proofs: edge i joins
// Edges()[i] and is forced when Forced(i).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/graph.h"
#include "exact/reduction.h"

namespace hcp {

class WorkGraph {
public:
    static constexpr std::uint32_t kNoEdge = ~std::uint32_t{0};

    void Build(const Reduction& r);

    NodeId NodeCount() const { return m_nodes; }
    std::size_t EdgeCount() const { return m_edges.size(); }
    const Edge& EdgeAt(std::uint32_t e) const { return m_edges[e]; }
    bool Forced(std::uint32_t e) const { return m_forced[e] != 0; }
    std::uint32_t Degree(NodeId v) const {
        return static_cast<std::uint32_t>(m_rowStart[v + 1] - m_rowStart[v]);
    }
    // Neighbours of v ascending, and the edge joining v to each.
    std::span<const NodeId> Neighbors(NodeId v) const {
        return {m_neighbor.data() + m_rowStart[v], Degree(v)};
    }
    std::span<const std::uint32_t> EdgeIds(NodeId v) const {
        return {m_edgeId.data() + m_rowStart[v], Degree(v)};
    }
    // The edge u-v, or kNoEdge; O(log deg).
    std::uint32_t Find(NodeId u, NodeId v) const;

private:
    std::uint32_t FindInRow(NodeId u, NodeId v) const;

    NodeId m_nodes = 0;
    std::vector<std::uint64_t> m_rowStart;
    std::vector<NodeId> m_neighbor;
    std::vector<std::uint32_t> m_edgeId;
    std::vector<Edge> m_edges;
    std::vector<std::uint8_t> m_forced;
};

}  // namespace hcp
