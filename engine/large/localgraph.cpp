#include "large/localgraph.h"

#include <algorithm>

namespace hcp {

LocalGraph::LocalGraph(const Graph& g, std::span<const NodeId> order)
    : m_original(order.begin(), order.end())
{
    const NodeId n = g.NodeCount();
    std::vector<NodeId> local(n);
    for (NodeId k = 0; k < n; ++k) local[order[k]] = k;
    m_offsets.resize(std::size_t(n) + 1);
    m_adjacency.resize(g.Adjacency().size());
    m_offsets[0] = 0;
    for (NodeId k = 0; k < n; ++k) {
        const auto row = g.Neighbors(order[k]);
        NodeId* out = m_adjacency.data() + m_offsets[k];
        for (std::size_t i = 0; i < row.size(); ++i) out[i] = local[row[i]];
        std::sort(out, out + row.size());
        m_offsets[k + 1] = m_offsets[k] + row.size();
    }
}

}  // namespace hcp
