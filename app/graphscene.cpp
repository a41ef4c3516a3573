#include "graphscene.h"

#include <algorithm>
#include <atomic>

#include "core/graph.h"
#include "graph/bitgraph.h"

namespace app {
namespace {

std::atomic<std::uint64_t> s_revision{0};

}  // namespace

GraphScene BuildScene(const CBitGraph& g, const std::list<short>& path, const std::vector<NodePair>& ruledOut)
{
    GraphScene s;
    s.revision = ++s_revision;
    s.nodes = g.m_nDim > 0 ? g.m_nDim : 0;
    const hcp::Graph graph = hcp::Graph::FromBitGraph(g);

    std::vector<NodePair> cut;
    cut.reserve(ruledOut.size());
    for (auto [u, v] : ruledOut) {
        if (u > v)
            std::swap(u, v);
        if (u >= 1 && v <= s.nodes && u != v && graph.HasEdge(static_cast<hcp::NodeId>(u - 1),
                                                              static_cast<hcp::NodeId>(v - 1)))
            cut.emplace_back(u, v);
    }
    std::sort(cut.begin(), cut.end());
    cut.erase(std::unique(cut.begin(), cut.end()), cut.end());

    s.edges.reserve(graph.EdgeCount());
    for (const hcp::Edge& e : graph.Edges()) {
        const NodePair p(static_cast<int>(e.first) + 1, static_cast<int>(e.second) + 1);
        if (!std::binary_search(cut.begin(), cut.end(), p))
            s.edges.push_back(p);
    }
    s.ruledOut = std::move(cut);

    s.order.reserve(path.size());
    for (short v : path)
        if (v >= 1 && v <= s.nodes)
            s.order.push_back(v);
    const std::size_t k = s.order.size();
    s.gap.assign(k, 0);
    if (k >= 2) {
        for (std::size_t i = 0; i < k; ++i) {
            const int a = s.order[i];
            const int b = s.order[(i + 1) % k];
            if (!g.GetEdge(static_cast<short>(a), static_cast<short>(b))) {
                s.gap[i] = 1;
                ++s.gaps;
            }
        }
    }
    return s;
}

}  // namespace app
