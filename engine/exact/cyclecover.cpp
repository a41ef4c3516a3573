#include "exact/cyclecover.h"

namespace hcp {

void CycleCover::Load(std::span<const NodeId> succ)
{
    const auto n = static_cast<NodeId>(succ.size());
    m_succ.assign(succ.begin(), succ.end());
    m_pred.resize(n);
    for (NodeId v = 0; v < n; ++v) m_pred[m_succ[v]] = v;
    Relabel();
}

void CycleCover::Relabel()
{
    const auto n = static_cast<NodeId>(m_succ.size());
    constexpr std::uint32_t kNone = ~std::uint32_t{0};
    m_cycle.assign(n, kNone);
    m_heads.clear();
    for (NodeId v = 0; v < n; ++v) {
        if (m_cycle[v] != kNone) continue;
        const auto id = static_cast<std::uint32_t>(m_heads.size());
        m_heads.push_back(v);
        NodeId x = v;
        do {
            m_cycle[x] = id;
            x = m_succ[x];
        } while (x != v);
    }
    m_cycleCount = m_heads.size();
}

std::uint64_t CycleCover::MergeAll(const WorkGraph& g)
{
    const auto n = static_cast<NodeId>(m_succ.size());
    std::uint64_t merges = 0;
    bool changed = true;
    while (changed && m_cycleCount > 1) {
        changed = false;
        for (NodeId a = 0; a < n && m_cycleCount > 1; ++a)
            if (TryMerge(g, a)) {
                ++merges;
                changed = true;
            }
    }
    if (merges > 0) Relabel();
    return merges;
}

// Looks for a splice that drops the arc a -> a' of a's cycle: a neighbour b
// of a on another cycle whose cycle neighbour c is joined to a'.
bool CycleCover::TryMerge(const WorkGraph& g, NodeId a)
{
    const NodeId a2 = m_succ[a];
    const std::uint32_t dropA = g.Find(a, a2);
    if (dropA == WorkGraph::kNoEdge || g.Forced(dropA)) return false;
    const auto row = g.Neighbors(a);
    for (NodeId b : row) {
        if (m_cycle[b] == m_cycle[a]) continue;
        for (NodeId c : {m_succ[b], m_pred[b]}) {
            const std::uint32_t dropB = g.Find(b, c);
            if (dropB == WorkGraph::kNoEdge || g.Forced(dropB)) continue;
            if (g.Find(a2, c) == WorkGraph::kNoEdge) continue;
            Splice(a, b, c);
            return true;
        }
    }
    return false;
}

// Joins the cycle of a (with arc a -> a') and the cycle of b (with edge b-c)
// into a -> b ... c -> a' ... a. b's cycle is turned round when it runs
// b -> c, and takes a's cycle number.
void CycleCover::Splice(NodeId a, NodeId b, NodeId c)
{
    const NodeId a2 = m_succ[a];
    const std::uint32_t into = m_cycle[a];
    const bool reverse = m_succ[b] == c;
    NodeId x = b;
    do {
        m_cycle[x] = into;
        const NodeId next = m_succ[x];
        if (reverse) std::swap(m_succ[x], m_pred[x]);
        x = next;
    } while (x != b);
    // Now c -> b is an arc of b's cycle: cut it and a -> a', cross over.
    m_succ[a] = b;
    m_pred[b] = a;
    m_succ[c] = a2;
    m_pred[a2] = c;
    --m_cycleCount;
}

void CycleCover::Order(std::vector<NodeId>& out) const
{
    out.clear();
    out.reserve(m_succ.size());
    std::vector<std::uint8_t> seen(m_succ.size(), 0);
    for (NodeId v = 0; v < m_succ.size(); ++v) {
        if (seen[v]) continue;
        NodeId x = v;
        do {
            seen[x] = 1;
            out.push_back(x);
            x = m_succ[x];
        } while (x != v);
    }
}

}  // namespace hcp
