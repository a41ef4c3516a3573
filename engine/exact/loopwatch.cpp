#include "exact/loopwatch.h"

namespace hcp {

void LoopWatch::EndRun()
{
    for (NodeId v : m_runNodes) m_inRun[v] = 0;
    m_runNodes.clear();
    m_run = 0;
    for (std::uint32_t e : m_edgesCounted) m_edgeCalls[e] = 0;
    m_edgesCounted.clear();
}

// Adds to m_named the nodes within kMargin edges of it, or none when with
// them it would pass half the graph; m_inRun marks m_named's nodes on
// entry and on exit.
void LoopWatch::AddMargin()
{
    const std::size_t unwidened = m_named.size();
    std::size_t from = 0;
    for (int hop = 0; hop < kMargin; ++hop) {
        const std::size_t end = m_named.size();
        for (std::size_t i = from; i < end; ++i)
            for (NodeId u : m_graph.Neighbors(m_named[i]))
                if (!m_inRun[u]) {
                    m_inRun[u] = 1;
                    m_named.push_back(u);
                }
        from = end;
    }
    if (2 * m_named.size() <= m_graph.NodeCount()) return;
    for (std::size_t i = unwidened; i < m_named.size(); ++i) m_inRun[m_named[i]] = 0;
    m_named.resize(unwidened);
}

std::span<const NodeId> LoopWatch::Observe(const std::vector<std::vector<NodeId>>& cycles, std::uint64_t conflicts)
{
    if (cycles.size() < 2 || conflicts > kConflicts || m_ordered >= kShare * m_graph.NodeCount()) {
        EndRun();
        return {};
    }
    if (m_inRun.empty()) {
        m_inRun.assign(m_graph.NodeCount(), 0);
        m_regionOf.assign(m_graph.NodeCount(), -1);
        m_edgeCalls.assign(m_graph.EdgeCount(), 0);
    }
    std::size_t largest = 0;
    for (std::size_t i = 1; i < cycles.size(); ++i)
        if (cycles[i].size() > cycles[largest].size()) largest = i;
    for (std::size_t i = 0; i < cycles.size(); ++i) {
        if (i == largest || 4 * cycles[i].size() > m_graph.NodeCount()) continue;
        for (NodeId v : cycles[i])
            if (!m_inRun[v]) {
                m_inRun[v] = 1;
                m_runNodes.push_back(v);
            }
        // Only edges that every earlier cover of the run went through can
        // still be common to all: counting the others would only fill the list.
        const std::size_t len = cycles[i].size();
        for (std::size_t k = 0; k < len; ++k) {
            const std::uint32_t e = m_graph.Find(cycles[i][k], cycles[i][(k + 1) % len]);
            if (e == WorkGraph::kNoEdge || m_edgeCalls[e] != m_run) continue;
            if (m_edgeCalls[e]++ == 0) m_edgesCounted.push_back(e);
        }
    }
    if (2 * m_runNodes.size() > m_graph.NodeCount()) {
        EndRun();
        return {};
    }
    if (++m_run < kCalls || m_runNodes.size() < 3) return {};
    m_common = WorkGraph::kNoEdge;
    for (std::uint32_t e : m_edgesCounted)
        if (m_edgeCalls[e] == m_run && e < m_common) m_common = e;

    // The run's nodes, and those of every earlier region they meet with a
    // margin round them, when the union stays within half the graph.
    m_named = m_runNodes;
    std::vector<std::uint8_t> joined(m_regions.size(), 0);
    bool met = false;
    for (NodeId v : m_runNodes) {
        const std::int32_t r = m_regionOf[v];
        if (r < 0 || joined[r]) continue;
        joined[r] = 1;
        met = true;
        for (NodeId u : m_regions[r])
            if (!m_inRun[u]) {
                m_inRun[u] = 1;
                m_named.push_back(u);
            }
    }
    if (met && 2 * m_named.size() <= m_graph.NodeCount()) AddMargin();
    for (NodeId v : m_named) m_inRun[v] = 0;
    if (2 * m_named.size() > m_graph.NodeCount()) m_named = m_runNodes;
    m_ordered += m_named.size();
    EndRun();
    const auto index = static_cast<std::int32_t>(m_regions.size());
    m_regions.push_back(m_named);
    for (NodeId v : m_named) m_regionOf[v] = index;
    return m_named;
}

}  // namespace hcp
