#include "exact/heldkarp.h"

#include <algorithm>
#include <bit>

namespace hcp {

namespace {

constexpr std::uint32_t Bit(NodeId v) { return std::uint32_t{1} << v; }

}  // namespace

std::uint64_t HeldKarp::Work(NodeId n)
{
    // A row of k bits visits its set nodes, k/2 of them on average.
    if (n < 2) return 1;
    return (std::uint64_t{1} << (n - 1)) * (n - 1) / 2 + 1;
}

std::uint64_t HeldKarp::Memory(NodeId n)
{
    if (n < 2) return sizeof(std::uint32_t);
    return (std::uint64_t{1} << (n - 1)) * sizeof(std::uint32_t);
}

// The start is the last node, so the rows range over nodes 0 .. n-2 and
// need no relabelling. A start with one forced edge takes it as its first
// step: a cycle read the other way round does, so nothing is lost.
void HeldKarp::Load(const Reduction& r)
{
    const NodeId n = r.NodeCount();
    const NodeId k = n - 1;
    m_nodes = n;
    m_start = k;
    m_adj.assign(k, 0);
    m_partner.assign(n, n);
    m_owedBy.assign(n, 0);
    m_oneForced = 0;
    m_startAdj = 0;
    for (NodeId v = 0; v < n; ++v) {
        for (NodeId w : r.Neighbors(v)) {
            if (v < k && w < k) m_adj[v] |= Bit(w);
            if (v == k) m_startAdj |= Bit(w);
            // Two forced edges leave a node of degree 2, which the rows
            // respect as they stand; only a single forced edge beside
            // others needs remembering.
            if (r.ForcedDegree(v) == 1 && r.IsForced(v, w)) m_partner[v] = w;
        }
    }
    for (NodeId v = 0; v < k; ++v)
        if (m_partner[v] < n) {
            m_oneForced |= Bit(v);
            m_owedBy[m_partner[v]] |= Bit(v);
        }
    m_firsts = m_partner[k] < n ? Bit(m_partner[k]) : m_startAdj;
}

HeldKarp::Outcome HeldKarp::Run(const Reduction& r, StopWatch& stop)
{
    Load(r);
    m_cycle.clear();
    m_steps = 0;
    const NodeId k = m_nodes - 1;
    const std::uint32_t rows = std::uint32_t{1} << k;
    const bool forced = m_oneForced != 0;
    m_free.assign(rows, 0);
    if (forced)
        m_owing.assign(rows, 0);
    else
        m_owing.clear();
    for (NodeId w = 0; w < k; ++w) {
        if (!(m_firsts & Bit(w))) continue;
        // Arriving from the start uses w's forced edge only if it leads there.
        if ((m_oneForced & Bit(w)) && m_partner[w] != m_start)
            m_owing[Bit(w)] = Bit(w);
        else
            m_free[Bit(w)] = Bit(w);
    }
    std::uint64_t steps = 0;
    const std::uint32_t* adj = m_adj.data();
    std::uint32_t* free = m_free.data();
    for (std::uint32_t mask = 3; mask < rows; ++mask) {
        if ((mask & (mask - 1)) == 0) continue;   // single nodes are set above
        if (stop.Stopped()) {
            m_steps += steps;
            return Outcome::Stopped;
        }
        std::uint32_t row = 0, owing = 0;
        if (!forced) {
            for (std::uint32_t rest = mask; rest != 0; rest &= rest - 1) {
                const std::uint32_t b = rest & (~rest + 1);
                const int w = std::countr_zero(rest);
                if (adj[w] & free[mask ^ b]) row |= b;
            }
        } else {
            for (std::uint32_t rest = mask; rest != 0; rest &= rest - 1) {
                const std::uint32_t b = rest & (~rest + 1);
                const int w = std::countr_zero(rest);
                const std::uint32_t p = mask ^ b;
                const std::uint32_t preds = (adj[w] & free[p]) | (m_owedBy[w] & m_owing[p]);
                if (preds == 0) continue;
                if (!(m_oneForced & b)) {
                    row |= b;
                    continue;
                }
                const NodeId partner = m_partner[w];
                const std::uint32_t pb = partner < k ? Bit(partner) : 0;
                if (preds & pb) row |= b;
                if (preds & ~pb) owing |= b;
            }
            m_owing[mask] = owing;
        }
        steps += static_cast<std::uint64_t>(std::popcount(mask));
        free[mask] = row;
    }
    m_steps += steps;
    const std::uint32_t all = rows - 1;
    // The last node closes the cycle to the start; one that still owes its
    // forced edge may close only if that edge leads to the start.
    const std::uint32_t closeFree = free[all] & m_startAdj;
    const std::uint32_t closeOwing = forced ? m_owing[all] & m_owedBy[k] : 0;
    if (closeFree == 0 && closeOwing == 0) return Outcome::None;
    if (closeFree != 0)
        Trace(static_cast<std::uint32_t>(std::countr_zero(closeFree)), false);
    else
        Trace(static_cast<std::uint32_t>(std::countr_zero(closeOwing)), true);
    return Outcome::Found;
}

// Walks the rows back from the last node to the first: a predecessor is a
// neighbour whose row one node smaller ends there in a state that allows
// the step.
void HeldKarp::Trace(std::uint32_t last, bool owing)
{
    const NodeId k = m_nodes - 1;
    std::uint32_t mask = (std::uint32_t{1} << k) - 1;
    NodeId v = last;
    std::vector<NodeId>& path = m_cycle;
    path.clear();
    path.push_back(v);
    while ((mask & (mask - 1)) != 0) {
        const std::uint32_t p = mask ^ Bit(v);
        std::uint32_t viaFree = m_adj[v] & m_free[p];
        std::uint32_t viaOwing = m_owing.empty() ? 0 : m_owedBy[v] & m_owing[p];
        if (m_oneForced & Bit(v)) {
            const std::uint32_t pb = m_partner[v] < k ? Bit(m_partner[v]) : 0;
            // Ending 'free' means v came by its forced edge; 'owing', not.
            viaFree &= owing ? ~pb : pb;
            viaOwing &= owing ? ~pb : pb;
        }
        NodeId u;
        if (viaFree != 0) {
            u = static_cast<NodeId>(std::countr_zero(viaFree));
            owing = false;
        } else {
            u = static_cast<NodeId>(std::countr_zero(viaOwing));
            owing = true;
        }
        path.push_back(u);
        mask = p;
        v = u;
    }
    path.push_back(m_start);
    std::reverse(path.begin(), path.end());
}

}  // namespace hcp
