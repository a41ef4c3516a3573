// The whole-graph proofs of Reduction: a Hamiltonian cycle needs a
// connected graph without cut vertices, and in a bipartite graph it
// alternates sides, so both sides must be the same size.
#include <algorithm>

#include "exact/reduction.h"

namespace hcp {

namespace {

constexpr std::uint32_t kUnseen = ~std::uint32_t{0};

}  // namespace

bool Reduction::CheckStructure(const char* suffix)
{
    return CheckConnectivity(suffix) && CheckBipartite(suffix);
}

// One depth-first search with low points (Hopcroft-Tarjan), kept on an
// explicit stack so a path-like graph of a million nodes cannot overflow
// the call stack. Reports the lowest-numbered cut vertex.
bool Reduction::CheckConnectivity(const char* suffix)
{
    const NodeId n = m_nodes;
    m_order.assign(n, kUnseen);
    m_low.resize(n);
    m_parent.resize(n);
    m_cursor.assign(m_rowStart.begin(), m_rowStart.end() - 1);
    m_stack.clear();
    const NodeId root = 0;
    std::uint32_t counter = 0;
    std::uint32_t rootChildren = 0;
    NodeId cut = n;
    m_order[root] = m_low[root] = counter++;
    m_parent[root] = root;
    m_stack.push_back(root);
    while (!m_stack.empty()) {
        const NodeId v = m_stack.back();
        if (m_cursor[v] < m_rowStart[v] + m_degree[v]) {
            const NodeId w = m_adjacency[m_cursor[v]++];
            if (m_order[w] == kUnseen) {
                m_parent[w] = v;
                m_order[w] = m_low[w] = counter++;
                m_stack.push_back(w);
                if (v == root) ++rootChildren;
            } else if (w != m_parent[v]) {
                m_low[v] = std::min(m_low[v], m_order[w]);
            }
            continue;
        }
        m_stack.pop_back();
        if (v == root) break;
        const NodeId p = m_parent[v];
        m_low[p] = std::min(m_low[p], m_low[v]);
        if (p != root && m_low[v] >= m_order[p]) cut = std::min(cut, p);
    }
    if (counter < n) return Fail(std::string("the graph is disconnected") + suffix);
    if (rootChildren >= 2) cut = std::min(cut, root);
    if (cut < n) return Fail("node " + std::to_string(cut + 1) + " is a cut vertex" + suffix);
    return true;
}

bool Reduction::CheckBipartite(const char* suffix)
{
    const NodeId n = m_nodes;
    // m_order doubles as the side of each node: 0, 1, or unseen.
    m_order.assign(n, kUnseen);
    m_stack.clear();
    std::uint64_t sides[2] = {0, 0};
    m_order[0] = 0;
    m_stack.push_back(0);
    while (!m_stack.empty()) {
        const NodeId v = m_stack.back();
        m_stack.pop_back();
        ++sides[m_order[v]];
        const std::uint64_t end = m_rowStart[v] + m_degree[v];
        for (std::uint64_t p = m_rowStart[v]; p < end; ++p) {
            const NodeId w = m_adjacency[p];
            if (m_order[w] == kUnseen) {
                m_order[w] = 1 - m_order[v];
                m_stack.push_back(w);
            } else if (m_order[w] == m_order[v]) {
                return true;   // an odd cycle: not bipartite
            }
        }
    }
    if (sides[0] == sides[1]) return true;
    const auto big = std::max(sides[0], sides[1]), small = std::min(sides[0], sides[1]);
    return Fail("bipartite sides of " + std::to_string(big) + " and " + std::to_string(small) + " nodes"
                + suffix);
}

}  // namespace hcp
