#include "large/greedystart.h"

#include <algorithm>
#include <limits>

namespace hcp {

namespace {

constexpr NodeId kNone = std::numeric_limits<NodeId>::max();

// Unvisited nodes in buckets by their count of unvisited neighbours, so a
// new walk starts at a node the earlier walks have nearly cut off.
class DegreeBuckets {
public:
    DegreeBuckets(const Graph& g) : m_left(g.NodeCount()), m_prev(g.NodeCount()), m_next(g.NodeCount())
    {
        m_heads.assign(g.MaxDegree() + 1, kNone);
        for (NodeId v = g.NodeCount(); v-- > 0;) {
            m_left[v] = g.Degree(v);
            Insert(v);
        }
        m_low = 0;
    }
    std::uint32_t Left(NodeId v) const { return m_left[v]; }
    void Remove(NodeId v)
    {
        if (m_prev[v] != kNone)
            m_next[m_prev[v]] = m_next[v];
        else
            m_heads[m_left[v]] = m_next[v];
        if (m_next[v] != kNone) m_prev[m_next[v]] = m_prev[v];
    }
    void Lower(NodeId v)
    {
        Remove(v);
        --m_left[v];
        Insert(v);
        m_low = std::min(m_low, m_left[v]);
    }
    // An unvisited node with the fewest unvisited neighbours, or kNone.
    NodeId Lowest()
    {
        while (m_low < m_heads.size() && m_heads[m_low] == kNone) ++m_low;
        return m_low < m_heads.size() ? m_heads[m_low] : kNone;
    }

private:
    void Insert(NodeId v)
    {
        m_prev[v] = kNone;
        m_next[v] = m_heads[m_left[v]];
        if (m_next[v] != kNone) m_prev[m_next[v]] = v;
        m_heads[m_left[v]] = v;
    }
    std::vector<std::uint32_t> m_left;
    std::vector<NodeId> m_prev, m_next;
    std::vector<NodeId> m_heads;
    std::uint32_t m_low = 0;
};

}  // namespace

GreedyStart MakeGreedyStart(const Graph& g, Random64& rng)
{
    const NodeId n = g.NodeCount();
    GreedyStart out;
    out.order.reserve(n);
    std::vector<std::uint8_t> visited(n, 0);
    DegreeBuckets buckets(g);
    auto visit = [&](NodeId v) {
        visited[v] = 1;
        buckets.Remove(v);
        for (NodeId u : g.Neighbors(v))
            if (!visited[u]) buckets.Lower(u);
    };
    // The Warnsdorff step from x, or kNone at a dead end.
    auto step = [&](NodeId x) {
        NodeId best = kNone;
        std::uint32_t bestLeft = 0, ties = 0;
        for (NodeId u : g.Neighbors(x)) {
            if (visited[u]) continue;
            const std::uint32_t left = buckets.Left(u);
            if (best == kNone || left < bestLeft) {
                best = u;
                bestLeft = left;
                ties = 1;
            } else if (left == bestLeft && rng.Below(++ties) == 0) {
                best = u;
            }
        }
        return best;
    };
    std::vector<NodeId> back;
    for (NodeId s = buckets.Lowest(); s != kNone; s = buckets.Lowest()) {
        ++out.paths;
        visit(s);
        // Grow forward from s, then backward from s; the backward part
        // goes in front, reversed.
        const std::size_t begin = out.order.size();
        back.clear();
        for (NodeId x = step(s); x != kNone; x = step(x)) {
            visit(x);
            back.push_back(x);
        }
        for (NodeId x = step(s); x != kNone; x = step(x)) {
            visit(x);
            out.order.push_back(x);
        }
        std::reverse(out.order.begin() + static_cast<std::ptrdiff_t>(begin), out.order.end());
        out.order.push_back(s);
        out.order.insert(out.order.end(), back.begin(), back.end());
    }
    return out;
}

}  // namespace hcp
