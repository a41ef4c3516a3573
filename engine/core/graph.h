// Graph: the undirected simple graph every solver method reads. Nodes are
// 0..N-1 (files and messages number them from 1), adjacency is kept in
// compressed rows (CSR) with each row sorted, so memory is O(N + E) and a
// graph is never changed once built. Constraints a file may add (edges the
// cycle must use) travel with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "export.h"

class CBitGraph;

namespace hcp {

using NodeId = std::uint32_t;
using Edge = std::pair<NodeId, NodeId>;

class TOURKERN_API Graph {
public:
    Graph() = default;

    // Builds the graph on nodes 0..n-1. Self-loops are dropped and repeated
    // edges (in either direction) merged; an end outside 0..n-1 throws
    // std::invalid_argument naming it (1-based, as files number nodes).
    static Graph FromEdges(NodeId n, std::span<const Edge> edges);
    // The same graph as a legacy bit graph (node k of it is node k-1 here).
    static Graph FromBitGraph(const CBitGraph& g);
    // A legacy bit graph of this graph; throws std::length_error when N is
    // beyond what the legacy classes hold (32,767).
    CBitGraph ToBitGraph() const;

    // Size.
    NodeId NodeCount() const { return m_nodes; }
    std::size_t EdgeCount() const { return m_adjacency.size() / 2; }
    bool Empty() const { return m_nodes == 0; }

    // Neighbours of v, ascending.
    std::span<const NodeId> Neighbors(NodeId v) const {
        return {m_adjacency.data() + m_offsets[v], m_adjacency.data() + m_offsets[v + 1]};
    }
    std::uint32_t Degree(NodeId v) const {
        return static_cast<std::uint32_t>(m_offsets[v + 1] - m_offsets[v]);
    }
    std::uint32_t MinDegree() const;
    std::uint32_t MaxDegree() const;
    // O(log deg) through the sorted row of the smaller-degree end.
    bool HasEdge(NodeId u, NodeId v) const;
    // Every edge once, as (u, v) with u < v, ascending.
    std::vector<Edge> Edges() const;

    // Edges every cycle must use (TSPLIB FIXED_EDGES_SECTION), u < v; each is
    // also an edge of the graph.
    const std::vector<Edge>& FixedEdges() const { return m_fixed; }
    // Throws std::invalid_argument when a fixed edge is not an edge.
    void SetFixedEdges(std::vector<Edge> fixed);

    // The name a file gave the graph (TSPLIB NAME), or empty.
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Raw rows, for code that walks the whole structure.
    std::span<const std::uint64_t> Offsets() const { return m_offsets; }
    std::span<const NodeId> Adjacency() const { return m_adjacency; }

    bool operator==(const Graph& o) const {
        return m_nodes == o.m_nodes && m_offsets == o.m_offsets && m_adjacency == o.m_adjacency;
    }

private:
    NodeId m_nodes = 0;
    std::vector<std::uint64_t> m_offsets{0};   // row v is [m_offsets[v], m_offsets[v+1])
    std::vector<NodeId> m_adjacency;           // both directions of every edge
    std::vector<Edge> m_fixed;
    std::string m_name;
};

}  // namespace hcp
