#include "exact/reduction.h"

#include <algorithm>

namespace hcp {

namespace {

const char* const kAfterRemoval = " once the edges no cycle can use are removed";

std::string Num(std::uint64_t v) { return std::to_string(v); }

}  // namespace

ProofOutcome Reduction::Run(const Graph& g)
{
    m_outcome = ProofOutcome::Open;
    m_reason.clear();
    m_removed = 0;
    m_forcedTotal = 0;
    Load(g);
    const NodeId n = m_nodes;
    if (n < 3) {
        Fail("a cycle needs at least 3 nodes, the graph has " + Num(n));
        return m_outcome;
    }
    for (NodeId v = 0; v < n; ++v)
        if (m_degree[v] < 2) {
            Fail("node " + Num(v + 1) + " has degree " + Num(m_degree[v]));
            return m_outcome;
        }
    if (!CheckStructure("")) return m_outcome;

    for (const Edge& e : g.FixedEdges()) {
        // Joining earlier fixed edges removes the edges that would close
        // them into a short cycle; a later fixed edge may be one of those.
        if (FindSlot(e.first, e.second) == kNoSlot) {
            Fail("the fixed edges close a cycle of fewer than " + Num(n) + " nodes");
            return m_outcome;
        }
        if (!Force(e.first, e.second)) return m_outcome;
        if (m_outcome == ProofOutcome::Cycle) return m_outcome;
    }
    for (NodeId v = 0; v < n; ++v)
        if (m_degree[v] == 2 || m_forcedCount[v] == 2) {
            m_queued[v] = 1;
            m_queue.push_back(v);
        }
    if (!Propagate() || m_outcome == ProofOutcome::Cycle) return m_outcome;
    // The whole-graph proofs only learn something new when edges went; they
    // remove nothing themselves, so one more round is the fixed point.
    if (m_removed > 0) CheckStructure(kAfterRemoval);
    return m_outcome;
}

std::vector<NodeId> Reduction::ForcedCycle() const
{
    std::vector<NodeId> cycle;
    if (m_outcome != ProofOutcome::Cycle) return cycle;
    cycle.reserve(m_nodes);
    NodeId prev = m_forced[1], v = 0;
    for (NodeId k = 0; k < m_nodes; ++k) {
        cycle.push_back(v);
        const NodeId next = m_forced[2 * v] != prev ? m_forced[2 * v] : m_forced[2 * v + 1];
        prev = v;
        v = next;
    }
    return cycle;
}

void Reduction::Load(const Graph& g)
{
    const NodeId n = g.NodeCount();
    m_nodes = n;
    const auto offsets = g.Offsets();
    const auto adjacency = g.Adjacency();
    m_rowStart.assign(offsets.begin(), offsets.end());
    m_adjacency.assign(adjacency.begin(), adjacency.end());
    m_twin.resize(m_adjacency.size());
    m_degree.resize(n);
    for (NodeId u = 0; u < n; ++u) {
        m_degree[u] = g.Degree(u);
        for (std::uint64_t s = offsets[u]; s < offsets[u + 1]; ++s) {
            const NodeId v = adjacency[s];
            if (v < u) continue;
            const auto row = g.Neighbors(v);
            const auto t = offsets[v] + static_cast<std::uint64_t>(
                                            std::lower_bound(row.begin(), row.end(), u) - row.begin());
            m_twin[s] = t;
            m_twin[t] = s;
        }
    }
    m_liveSlots = m_adjacency.size();
    m_forced.assign(2 * static_cast<std::size_t>(n), 0);
    m_forcedCount.assign(n, 0);
    m_pathEnd.resize(n);
    m_pathSize.assign(n, 1);
    for (NodeId v = 0; v < n; ++v) m_pathEnd[v] = v;
    m_queue.clear();
    m_queued.assign(n, 0);
}

bool Reduction::Fail(std::string reason)
{
    m_outcome = ProofOutcome::NoCycle;
    m_reason = std::move(reason);
    return false;
}

// Forces edge u-v into every cycle. The forced edges form paths; joining
// two of them makes one longer path whose ends may no longer be joined
// directly unless that closes the whole cycle.
bool Reduction::Force(NodeId u, NodeId v)
{
    if (IsForced(u, v)) return true;
    if (m_forcedCount[u] == 2) return Fail("node " + Num(u + 1) + " would need three cycle edges");
    if (m_forcedCount[v] == 2) return Fail("node " + Num(v + 1) + " would need three cycle edges");
    const NodeId a = m_pathEnd[u], b = m_pathEnd[v];
    if (a == v) {
        if (m_pathSize[u] < m_nodes)
            return Fail("the forced edges close a cycle of " + Num(m_pathSize[u]) + " nodes, fewer than "
                        + Num(m_nodes));
        m_forced[2 * u + m_forcedCount[u]++] = v;
        m_forced[2 * v + m_forcedCount[v]++] = u;
        ++m_forcedTotal;
        m_outcome = ProofOutcome::Cycle;
        return true;
    }
    m_forced[2 * u + m_forcedCount[u]++] = v;
    m_forced[2 * v + m_forcedCount[v]++] = u;
    ++m_forcedTotal;
    const NodeId size = m_pathSize[u] + m_pathSize[v];
    m_pathEnd[a] = b;
    m_pathEnd[b] = a;
    m_pathSize[a] = m_pathSize[b] = size;
    for (NodeId x : {u, v})
        if (!m_queued[x]) {
            m_queued[x] = 1;
            m_queue.push_back(x);
        }
    // Two fresh ends: the closing edge is u-v itself.
    if (size == 2) return true;
    if (size < m_nodes) return RemoveEdge(a, b);
    // One forced path through every node: only its closing edge is left.
    if (FindSlot(a, b) == kNoSlot)
        return Fail("the forced edges make a path through all nodes whose ends " + Num(a + 1) + " and "
                    + Num(b + 1) + " are not joined");
    return Force(a, b);
}

// Applies the local rules until no node has work left: a node of degree 2
// keeps both edges, a node with two forced edges loses its others.
bool Reduction::Propagate()
{
    std::size_t head = 0;
    while (head < m_queue.size()) {
        if (m_outcome == ProofOutcome::Cycle) break;
        const NodeId v = m_queue[head++];
        m_queued[v] = 0;
        if (m_degree[v] < 2)
            return Fail("node " + Num(v + 1) + " has degree " + Num(m_degree[v]) + kAfterRemoval);
        if (m_degree[v] == 2 && m_forcedCount[v] < 2) {
            const NodeId first = m_adjacency[m_rowStart[v]];
            const NodeId second = m_adjacency[m_rowStart[v] + 1];
            if (!Force(v, first)) return false;
            if (m_outcome == ProofOutcome::Cycle) break;
            // Forcing the first may have removed the second as a closing edge.
            if (m_degree[v] == 2 && !Force(v, second)) return false;
        }
        if (m_forcedCount[v] == 2 && m_degree[v] > 2 && !DropUnforced(v)) return false;
    }
    m_queue.clear();
    return true;
}

void Reduction::RemoveSlot(std::uint64_t s)
{
    // Each end moves the edge behind its live neighbours by swapping it with
    // the last live one, so rows stay dense and removal costs O(1).
    auto removeFrom = [this](NodeId x, std::uint64_t p) {
        const std::uint64_t q = m_rowStart[x] + --m_degree[x];
        if (p == q) return;
        std::swap(m_adjacency[p], m_adjacency[q]);
        std::swap(m_twin[p], m_twin[q]);
        m_twin[m_twin[p]] = p;
        m_twin[m_twin[q]] = q;
    };
    const std::uint64_t t = m_twin[s];
    const NodeId v = m_adjacency[s];
    const NodeId u = m_adjacency[t];
    removeFrom(u, s);
    removeFrom(v, t);
    m_liveSlots -= 2;
    ++m_removed;
    for (NodeId x : {u, v})
        if (!m_queued[x]) {
            m_queued[x] = 1;
            m_queue.push_back(x);
        }
}

bool Reduction::RemoveEdge(NodeId u, NodeId v)
{
    const std::uint64_t s = FindSlot(u, v);
    if (s == kNoSlot) return true;
    if (IsForced(u, v)) return Fail("edge " + Num(u + 1) + " " + Num(v + 1) + " is both forced and excluded");
    RemoveSlot(s);
    return true;
}

bool Reduction::DropUnforced(NodeId v)
{
    for (std::uint32_t i = m_degree[v]; i-- > 0;) {
        const std::uint64_t p = m_rowStart[v] + i;
        if (!IsForced(v, m_adjacency[p])) RemoveSlot(p);
    }
    return true;
}

std::uint64_t Reduction::FindSlot(NodeId u, NodeId v) const
{
    if (m_degree[v] < m_degree[u]) {
        const std::uint64_t end = m_rowStart[v] + m_degree[v];
        for (std::uint64_t p = m_rowStart[v]; p < end; ++p)
            if (m_adjacency[p] == u) return m_twin[p];
        return kNoSlot;
    }
    const std::uint64_t end = m_rowStart[u] + m_degree[u];
    for (std::uint64_t p = m_rowStart[u]; p < end; ++p)
        if (m_adjacency[p] == v) return p;
    return kNoSlot;
}

}  // namespace hcp
