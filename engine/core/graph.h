// Graph: the simple graph every solver method reads, undirected or directed.
// Nodes are 0..N-1 (files and messages number them from 1), adjacency is
// kept in compressed rows (CSR) with each row sorted, so memory is O(N + E)
// and a graph is never changed once built. A directed graph keeps its arcs
// twice, as rows of successors and rows of predecessors. Constraints a file
// may add (edges the cycle must use) travel with it.
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
    // The directed graph with arcs u -> v on nodes 0..n-1. Self-loops are
    // dropped and repeated arcs merged; u -> v and v -> u are two arcs.
    static Graph FromArcs(NodeId n, std::span<const Edge> arcs);
    // The same graph as a legacy bit graph (node k of it is node k-1 here).
    static Graph FromBitGraph(const CBitGraph& g);
    // A legacy bit graph of this graph; throws std::length_error when N is
    // beyond what the legacy classes hold (32,767), std::invalid_argument
    // for a directed graph (the legacy classes have no arcs).
    CBitGraph ToBitGraph() const;

    // Size. EdgeCount counts arcs in a directed graph.
    NodeId NodeCount() const { return m_nodes; }
    std::size_t EdgeCount() const { return m_directed ? m_adjacency.size() : m_adjacency.size() / 2; }
    bool Empty() const { return m_nodes == 0; }
    bool Directed() const { return m_directed; }

    // Neighbours of v, ascending; in a directed graph its successors (the
    // heads of the arcs leaving v).
    std::span<const NodeId> Neighbors(NodeId v) const {
        return {m_adjacency.data() + m_offsets[v], m_adjacency.data() + m_offsets[v + 1]};
    }
    // In a directed graph the predecessors of v (the tails of the arcs
    // entering it), ascending; in an undirected graph its neighbours.
    std::span<const NodeId> InNeighbors(NodeId v) const {
        if (!m_directed) return Neighbors(v);
        return {m_inAdjacency.data() + m_inOffsets[v], m_inAdjacency.data() + m_inOffsets[v + 1]};
    }
    // Neighbours, or in a directed graph successors (the out-degree).
    std::uint32_t Degree(NodeId v) const {
        return static_cast<std::uint32_t>(m_offsets[v + 1] - m_offsets[v]);
    }
    std::uint32_t InDegree(NodeId v) const {
        return m_directed ? static_cast<std::uint32_t>(m_inOffsets[v + 1] - m_inOffsets[v]) : Degree(v);
    }
    std::uint32_t MinDegree() const;
    std::uint32_t MaxDegree() const;
    // O(log deg) through a sorted row; in a directed graph, the arc u -> v.
    bool HasEdge(NodeId u, NodeId v) const;
    // Every edge once, as (u, v) with u < v, ascending; in a directed graph
    // every arc (tail, head), ascending.
    std::vector<Edge> Edges() const;
    // The undirected graph with an edge wherever this one has an arc in
    // either direction (an undirected graph is returned as it is).
    Graph Underlying() const;

    // Edges every cycle must use (TSPLIB FIXED_EDGES_SECTION), u < v; each is
    // also an edge of the graph. In a directed graph, arcs (tail, head).
    const std::vector<Edge>& FixedEdges() const { return m_fixed; }
    // Throws std::invalid_argument when a fixed edge is not an edge (arc).
    void SetFixedEdges(std::vector<Edge> fixed);

    // The name a file gave the graph (TSPLIB NAME), or empty.
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Raw rows, for code that walks the whole structure.
    std::span<const std::uint64_t> Offsets() const { return m_offsets; }
    std::span<const NodeId> Adjacency() const { return m_adjacency; }

    bool operator==(const Graph& o) const {
        return m_nodes == o.m_nodes && m_directed == o.m_directed && m_offsets == o.m_offsets
               && m_adjacency == o.m_adjacency;
    }

private:
    static Graph Build(NodeId n, std::span<const Edge> edges, bool both, const char* what);

    NodeId m_nodes = 0;
    bool m_directed = false;
    std::vector<std::uint64_t> m_offsets{0};   // row v is [m_offsets[v], m_offsets[v+1])
    std::vector<NodeId> m_adjacency;           // both directions of every edge; successors of a digraph
    std::vector<std::uint64_t> m_inOffsets;    // a digraph's rows of predecessors
    std::vector<NodeId> m_inAdjacency;
    std::vector<Edge> m_fixed;
    std::string m_name;
};

}  // namespace hcp
