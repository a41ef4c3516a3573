#include "core/graph.h"

#include <algorithm>
#include <stdexcept>

#include "graph/bitgraph.h"

namespace hcp {

Graph Graph::FromEdges(NodeId n, std::span<const Edge> edges)
{
    return Build(n, edges, true, "edge");
}

Graph Graph::FromArcs(NodeId n, std::span<const Edge> arcs)
{
    Graph g = Build(n, arcs, false, "arc");
    g.m_directed = true;
    std::vector<Edge> reversed;
    reversed.reserve(g.m_adjacency.size());
    for (NodeId u = 0; u < n; ++u)
        for (NodeId v : g.Neighbors(u)) reversed.emplace_back(v, u);
    Graph in = Build(n, reversed, false, "arc");
    g.m_inOffsets = std::move(in.m_offsets);
    g.m_inAdjacency = std::move(in.m_adjacency);
    return g;
}

Graph Graph::Build(NodeId n, std::span<const Edge> edges, bool both, const char* what)
{
    Graph g;
    g.m_nodes = n;
    // Count, place, then sort and merge each row: two passes over the edges,
    // no per-node containers, so a million-node graph builds in one go.
    std::vector<std::uint64_t> count(static_cast<std::size_t>(n) + 1, 0);
    for (const Edge& e : edges) {
        if (e.first >= n || e.second >= n)
            throw std::invalid_argument(std::string(what) + " " + std::to_string(std::uint64_t{e.first} + 1) + " "
                                        + std::to_string(std::uint64_t{e.second} + 1)
                                        + " names a node outside 1.." + std::to_string(n));
        if (e.first == e.second) continue;
        ++count[e.first + 1];
        if (both) ++count[e.second + 1];
    }
    for (std::size_t v = 1; v < count.size(); ++v) count[v] += count[v - 1];
    std::vector<NodeId> adj(count[n]);
    std::vector<std::uint64_t> fill(count.begin(), count.end() - 1);
    for (const Edge& e : edges) {
        if (e.first == e.second) continue;
        adj[fill[e.first]++] = e.second;
        if (both) adj[fill[e.second]++] = e.first;
    }
    g.m_offsets.assign(static_cast<std::size_t>(n) + 1, 0);
    std::uint64_t out = 0;
    for (NodeId v = 0; v < n; ++v) {
        auto first = adj.begin() + static_cast<std::ptrdiff_t>(count[v]);
        auto last = adj.begin() + static_cast<std::ptrdiff_t>(count[v + 1]);
        std::sort(first, last);
        last = std::unique(first, last);
        for (auto it = first; it != last; ++it) adj[out++] = *it;
        g.m_offsets[v + 1] = out;
    }
    adj.resize(out);
    adj.shrink_to_fit();
    g.m_adjacency = std::move(adj);
    return g;
}

Graph Graph::FromBitGraph(const CBitGraph& b)
{
    // Walks the pair store row by row and skips whole bytes of unjoined
    // pairs, so a sparse graph converts in about N^2/16 byte reads.
    const int n = b.m_nDim > 0 ? b.m_nDim : 0;
    const unsigned char* bits = b.m_Bits.m_pData;
    std::vector<Edge> edges;
    std::uint64_t p = 0;   // pair index of (i, j)
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n;) {
            if ((p & 7) == 0 && j + 8 <= n + 1 && bits[p >> 3] == 0xFF) {
                p += 8;
                j += 8;
                continue;
            }
            if ((bits[p >> 3] & (1u << (p & 7))) == 0)
                edges.emplace_back(static_cast<NodeId>(i - 1), static_cast<NodeId>(j - 1));
            ++p;
            ++j;
        }
    }
    return FromEdges(static_cast<NodeId>(n), edges);
}

CBitGraph Graph::ToBitGraph() const
{
    if (m_directed) throw std::invalid_argument("a directed graph has no legacy bit graph");
    if (m_nodes > 32767)
        throw std::length_error("a graph of " + std::to_string(m_nodes)
                                + " nodes is beyond the legacy engine's 32,767");
    CBitGraph b(static_cast<short>(m_nodes));
    b = true;   // a set bit means not joined: start with no edges
    for (NodeId u = 0; u < m_nodes; ++u)
        for (NodeId v : Neighbors(u))
            if (u < v) b.SetEdge(static_cast<short>(u + 1), static_cast<short>(v + 1));
    b.CalcDeg();
    return b;
}

std::uint32_t Graph::MinDegree() const
{
    if (m_nodes == 0) return 0;
    std::uint32_t d = Degree(0);
    for (NodeId v = 1; v < m_nodes; ++v) d = std::min(d, Degree(v));
    return d;
}

std::uint32_t Graph::MaxDegree() const
{
    std::uint32_t d = 0;
    for (NodeId v = 0; v < m_nodes; ++v) d = std::max(d, Degree(v));
    return d;
}

bool Graph::HasEdge(NodeId u, NodeId v) const
{
    if (u >= m_nodes || v >= m_nodes || u == v) return false;
    if (m_directed) {
        if (Degree(u) > InDegree(v)) {
            const auto col = InNeighbors(v);
            return std::binary_search(col.begin(), col.end(), u);
        }
    } else if (Degree(u) > Degree(v)) {
        std::swap(u, v);
    }
    const auto row = Neighbors(u);
    return std::binary_search(row.begin(), row.end(), v);
}

std::vector<Edge> Graph::Edges() const
{
    std::vector<Edge> out;
    out.reserve(EdgeCount());
    for (NodeId u = 0; u < m_nodes; ++u)
        for (NodeId v : Neighbors(u))
            if (m_directed || u < v) out.emplace_back(u, v);
    return out;
}

Graph Graph::Underlying() const
{
    if (!m_directed) return *this;
    const std::vector<Edge> arcs = Edges();
    Graph g = FromEdges(m_nodes, arcs);
    g.SetFixedEdges(m_fixed);
    g.m_name = m_name;
    return g;
}

void Graph::SetFixedEdges(std::vector<Edge> fixed)
{
    for (Edge& e : fixed) {
        if (!m_directed && e.first > e.second) std::swap(e.first, e.second);
        if (!HasEdge(e.first, e.second))
            throw std::invalid_argument(std::string(m_directed ? "fixed arc " : "fixed edge ") + std::to_string(std::uint64_t{e.first} + 1)
                                        + " " + std::to_string(std::uint64_t{e.second} + 1)
                                        + (m_directed ? " is not an arc of the graph" : " is not an edge of the graph"));
    }
    std::sort(fixed.begin(), fixed.end());
    fixed.erase(std::unique(fixed.begin(), fixed.end()), fixed.end());
    m_fixed = std::move(fixed);
}

}  // namespace hcp
