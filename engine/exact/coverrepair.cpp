#include "exact/coverrepair.h"

#include "large/gapsearch.h"
#include "large/random64.h"

namespace hcp {

bool CoverRepair::TryClose(const CycleCover& cover, std::uint64_t steps, StopWatch& stop,
                           std::vector<NodeId>& cycle)
{
    const NodeId n = m_w.NodeCount();
    if (n < 3 || steps == 0 || stop.StoppedNow()) return false;
    if (m_plain.NodeCount() == 0) {
        std::vector<Edge> edges(m_w.EdgeCount());
        for (std::uint32_t e = 0; e < m_w.EdgeCount(); ++e) edges[e] = m_w.EdgeAt(e);
        m_plain = Graph::FromEdges(n, edges);
    }
    std::vector<NodeId> order;
    cover.Order(order);
    // Each attempt its own stream: a cover met again is worked differently.
    Random64 rng(m_seed + m_attempts);
    ++m_attempts;
    GapSearch search(m_plain, order, rng);
    search.SetStepLimit(steps);
    const bool closed = search.Run(stop, {});
    m_steps += search.Stats().steps;
    if (!closed) return false;
    cycle = search.Order();
    // The gap search knows nothing of forced edges; nodes of degree 2 take
    // theirs anyway, but a fixed edge between two nodes of higher degree
    // may be skipped, and such a cycle is no answer.
    return UsesForcedEdges(cycle);
}

bool CoverRepair::UsesForcedEdges(const std::vector<NodeId>& cycle)
{
    const NodeId n = m_w.NodeCount();
    m_position.resize(n);
    for (NodeId i = 0; i < n; ++i) m_position[cycle[i]] = i;
    for (std::uint32_t e = 0; e < m_w.EdgeCount(); ++e) {
        if (!m_w.Forced(e)) continue;
        const Edge& edge = m_w.EdgeAt(e);
        const NodeId a = m_position[edge.first], b = m_position[edge.second];
        const NodeId d = a > b ? a - b : b - a;
        if (d != 1 && d != n - 1) return false;
    }
    return true;
}

}  // namespace hcp
