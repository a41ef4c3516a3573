#include "graphscene.h"

#include <algorithm>
#include <atomic>


namespace app {
namespace {

std::atomic<std::uint64_t> s_revision{0};

}  // namespace

GraphScene BuildScene(const hcp::Graph& graph, std::span<const hcp::NodeId> order,
                      const std::vector<NodePair>& ruledOut)
{
    GraphScene s;
    s.revision = ++s_revision;
    s.nodes = static_cast<int>(graph.NodeCount());

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

    s.order.reserve(order.size());
    for (hcp::NodeId v : order)
        if (v < graph.NodeCount())
            s.order.push_back(static_cast<int>(v) + 1);
    const std::size_t k = s.order.size();
    s.gap.assign(k, 0);
    if (k >= 2) {
        for (std::size_t i = 0; i < k; ++i) {
            const int a = s.order[i];
            const int b = s.order[(i + 1) % k];
            if (!graph.HasEdge(static_cast<hcp::NodeId>(a - 1), static_cast<hcp::NodeId>(b - 1))) {
                s.gap[i] = 1;
                ++s.gaps;
            }
        }
    }
    return s;
}

}  // namespace app
