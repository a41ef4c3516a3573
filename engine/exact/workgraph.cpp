#include "exact/workgraph.h"

#include <algorithm>

namespace hcp {

void WorkGraph::Build(const Reduction& r)
{
    const NodeId n = r.NodeCount();
    m_nodes = n;
    m_rowStart.assign(static_cast<std::size_t>(n) + 1, 0);
    for (NodeId v = 0; v < n; ++v) m_rowStart[v + 1] = m_rowStart[v] + r.Degree(v);
    m_neighbor.resize(m_rowStart[n]);
    m_edgeId.resize(m_rowStart[n]);
    for (NodeId v = 0; v < n; ++v) {
        const auto row = r.Neighbors(v);
        std::copy(row.begin(), row.end(), m_neighbor.begin() + static_cast<std::ptrdiff_t>(m_rowStart[v]));
        std::sort(m_neighbor.begin() + static_cast<std::ptrdiff_t>(m_rowStart[v]),
                  m_neighbor.begin() + static_cast<std::ptrdiff_t>(m_rowStart[v + 1]));
    }
    // Edges are numbered in (u, v) order with u < v, so the numbering does
    // not depend on the order the reduction left its rows in.
    m_edges.clear();
    m_forced.clear();
    for (NodeId u = 0; u < n; ++u)
        for (std::uint64_t p = m_rowStart[u]; p < m_rowStart[u + 1]; ++p) {
            const NodeId v = m_neighbor[p];
            if (v < u) continue;
            const auto id = static_cast<std::uint32_t>(m_edges.size());
            m_edges.emplace_back(u, v);
            m_forced.push_back(r.IsForced(u, v) ? 1 : 0);
            m_edgeId[p] = id;
        }
    for (NodeId u = 0; u < n; ++u)
        for (std::uint64_t p = m_rowStart[u]; p < m_rowStart[u + 1]; ++p) {
            const NodeId v = m_neighbor[p];
            if (v < u) m_edgeId[p] = FindInRow(v, u);   // filled by the first pass
        }
}

std::uint32_t WorkGraph::Find(NodeId u, NodeId v) const
{
    if (u >= m_nodes || v >= m_nodes) return kNoEdge;
    if (Degree(u) > Degree(v)) std::swap(u, v);
    return FindInRow(u, v);
}

std::uint32_t WorkGraph::FindInRow(NodeId u, NodeId v) const
{
    const auto row = Neighbors(u);
    const auto it = std::lower_bound(row.begin(), row.end(), v);
    if (it == row.end() || *it != v) return kNoEdge;
    return m_edgeId[m_rowStart[u] + static_cast<std::uint64_t>(it - row.begin())];
}

}  // namespace hcp
