// LocalGraph: a copy of a graph with its nodes renumbered in the order of
// a starting tour, so nodes that are close in the tour are close in memory.
// The search's moves reach nodes by tour position, the two-level list keeps
// its nodes by number, and with a random numbering (a relabelled cubic
// graph) nearly every step would be a cache miss.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/graph.h"

namespace hcp {

class LocalGraph {
public:
    // Node k here is order[k] of g.
    LocalGraph(const Graph& g, std::span<const NodeId> order);

    NodeId NodeCount() const { return static_cast<NodeId>(m_offsets.size() - 1); }
    std::span<const NodeId> Neighbors(NodeId v) const
    {
        return {m_adjacency.data() + m_offsets[v], m_adjacency.data() + m_offsets[v + 1]};
    }
    bool HasEdge(NodeId u, NodeId v) const
    {
        const std::uint64_t du = m_offsets[u + 1] - m_offsets[u], dv = m_offsets[v + 1] - m_offsets[v];
        if (du > dv) std::swap(u, v);
        const NodeId* p = m_adjacency.data() + m_offsets[u];
        const NodeId* end = m_adjacency.data() + m_offsets[u + 1];
        if (end - p <= 16) {
            for (; p != end; ++p)
                if (*p == v) return true;
            return false;
        }
        while (p < end) {
            const NodeId* mid = p + (end - p) / 2;
            if (*mid < v)
                p = mid + 1;
            else if (*mid > v)
                end = mid;
            else
                return true;
        }
        return false;
    }
    // The original number of local node k.
    NodeId Original(NodeId k) const { return m_original[k]; }

private:
    std::vector<std::uint64_t> m_offsets;
    std::vector<NodeId> m_adjacency;
    std::vector<NodeId> m_original;
};

}  // namespace hcp
