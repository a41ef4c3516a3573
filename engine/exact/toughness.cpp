#include "exact/toughness.h"

#include <algorithm>

namespace hcp {

namespace {

constexpr std::uint32_t kUnseen = ~std::uint32_t{0};

}  // namespace

bool ToughnessProof::Run(const Graph& g, std::uint64_t work)
{
    const auto offsets = g.Offsets();
    const auto adjacency = g.Adjacency();
    m_nodes = g.NodeCount();
    m_rowStart.assign(offsets.begin(), offsets.end());
    m_adjacency.assign(adjacency.begin(), adjacency.end());
    return Search(work);
}

bool ToughnessProof::Run(const Reduction& r, std::uint64_t work)
{
    m_nodes = r.NodeCount();
    m_rowStart.assign(1, 0);
    m_adjacency.clear();
    for (NodeId v = 0; v < m_nodes; ++v) {
        const auto row = r.Neighbors(v);
        m_adjacency.insert(m_adjacency.end(), row.begin(), row.end());
        m_rowStart.push_back(m_adjacency.size());
    }
    return Search(work);
}

std::string ToughnessProof::Reason() const
{
    std::string s = "removing nodes ";
    for (std::size_t i = 0; i < m_witness.size(); ++i) {
        if (i > 0) s += ", ";
        s += std::to_string(m_witness[i] + 1);
    }
    return s + " leaves " + std::to_string(m_components) + " components";
}

bool ToughnessProof::Search(std::uint64_t work)
{
    m_witness.clear();
    m_components = 0;
    m_work = 0;
    m_limit = work;
    if (m_nodes < 4) return false;
    return Greedy(false) || (m_degreeGreedy && Greedy(true));
}

// Builds S one node at a time and after each step tests S with its idle
// nodes put back; the set itself keeps them, since a node that splits
// nothing yet may be what lets a later one split.
bool ToughnessProof::Greedy(bool byDegreeOnly)
{
    const NodeId n = m_nodes;
    m_removed.assign(n, 0);
    m_set.clear();
    m_remainingDegree.resize(n);
    for (NodeId v = 0; v < n; ++v)
        m_remainingDegree[v] = static_cast<std::uint32_t>(m_rowStart[v + 1] - m_rowStart[v]);
    m_count = Label();
    while (m_set.size() + 1 < n / 2 && m_work < m_limit) {
        if (!byDegreeOnly) CutGains();
        NodeId best = n;
        for (NodeId v = 0; v < n; ++v) {
            if (m_removed[v]) continue;
            if (best == n) {
                best = v;
                continue;
            }
            if (!byDegreeOnly && m_gain[v] != m_gain[best]) {
                if (m_gain[v] > m_gain[best]) best = v;
                continue;
            }
            if (m_remainingDegree[v] > m_remainingDegree[best]) best = v;
        }
        if (best == n) break;
        m_removed[best] = 1;
        m_set.push_back(best);
        for (std::uint64_t p = m_rowStart[best]; p < m_rowStart[best + 1]; ++p) --m_remainingDegree[m_adjacency[p]];
        m_count = Label();
        if (m_count >= 2) Prune();
        if (!m_witness.empty()) return true;
    }
    return false;
}

// Labels the components of what S leaves; returns how many there are.
std::uint64_t ToughnessProof::Label()
{
    const NodeId n = m_nodes;
    m_label.assign(n, kUnseen);
    m_stack.clear();
    std::uint32_t count = 0;
    for (NodeId root = 0; root < n; ++root) {
        if (m_removed[root] || m_label[root] != kUnseen) continue;
        m_label[root] = count;
        m_stack.push_back(root);
        while (!m_stack.empty()) {
            const NodeId v = m_stack.back();
            m_stack.pop_back();
            m_work += m_rowStart[v + 1] - m_rowStart[v];
            for (std::uint64_t p = m_rowStart[v]; p < m_rowStart[v + 1]; ++p) {
                const NodeId w = m_adjacency[p];
                if (m_removed[w] || m_label[w] != kUnseen) continue;
                m_label[w] = count;
                m_stack.push_back(w);
            }
        }
        ++count;
    }
    return count;
}

// For each remaining node, how many more components its removal leaves
// (Hopcroft-Tarjan low points, on an explicit stack): the child subtrees
// that cannot reach above it, less one for a root.
void ToughnessProof::CutGains()
{
    const NodeId n = m_nodes;
    m_order.assign(n, kUnseen);
    m_low.resize(n);
    m_parent.resize(n);
    m_gain.assign(n, 0);
    m_cursor.assign(m_rowStart.begin(), m_rowStart.end() - 1);
    std::uint32_t counter = 0;
    for (NodeId root = 0; root < n; ++root) {
        if (m_removed[root] || m_order[root] != kUnseen) continue;
        m_order[root] = m_low[root] = counter++;
        m_parent[root] = root;
        m_gain[root] = -1;
        m_stack.assign(1, root);
        while (!m_stack.empty()) {
            const NodeId v = m_stack.back();
            if (m_cursor[v] < m_rowStart[v + 1]) {
                const NodeId w = m_adjacency[m_cursor[v]++];
                ++m_work;
                if (m_removed[w]) continue;
                if (m_order[w] == kUnseen) {
                    m_parent[w] = v;
                    m_order[w] = m_low[w] = counter++;
                    m_stack.push_back(w);
                } else if (w != m_parent[v]) {
                    m_low[v] = std::min(m_low[v], m_order[w]);
                }
                continue;
            }
            m_stack.pop_back();
            if (v == root) break;
            const NodeId p = m_parent[v];
            m_low[p] = std::min(m_low[p], m_low[v]);
            if (m_low[v] >= m_order[p]) ++m_gain[p];
        }
    }
}

// Puts back, one at a time, each node of S that touches at most one
// component (none: it becomes a component of its own; one: it joins it),
// which never lowers components minus |S|, and records the set if it
// leaves more components than nodes.
void ToughnessProof::Prune()
{
    std::vector<NodeId> kept;
    std::uint64_t count = m_count;
    std::vector<std::uint32_t>& label = m_label;
    for (NodeId s : m_set) {
        std::uint32_t first = kUnseen;
        bool several = false;
        m_work += m_rowStart[s + 1] - m_rowStart[s];
        for (std::uint64_t p = m_rowStart[s]; p < m_rowStart[s + 1] && !several; ++p) {
            const std::uint32_t l = label[m_adjacency[p]];
            if (l == kUnseen) continue;
            if (first == kUnseen)
                first = l;
            else if (l != first)
                several = true;
        }
        if (several) {
            kept.push_back(s);
            continue;
        }
        if (first == kUnseen) {
            label[s] = static_cast<std::uint32_t>(count++);
        } else {
            label[s] = first;
        }
    }
    // Restore the labels of the set for the next step of the greedy search.
    for (NodeId s : m_set) label[s] = kUnseen;
    if (kept.empty() || count <= kept.size()) return;
    // Check the witness from scratch before it becomes a proof.
    std::vector<std::uint8_t> removed = m_removed;
    std::swap(removed, m_removed);
    std::fill(m_removed.begin(), m_removed.end(), 0);
    for (NodeId s : kept) m_removed[s] = 1;
    const std::vector<std::uint32_t> labels = m_label;
    const std::uint64_t check = Label();
    m_label = labels;
    std::swap(removed, m_removed);
    if (check <= kept.size()) return;
    std::sort(kept.begin(), kept.end());
    m_witness = std::move(kept);
    m_components = check;
}

}  // namespace hcp
