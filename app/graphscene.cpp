#include "graphscene.h"

#include <algorithm>
#include <atomic>


namespace app {
namespace {

std::atomic<std::uint64_t> s_revision{0};

bool Joined(const hcp::Graph& g, int u, int v)
{
    return g.HasEdge(static_cast<hcp::NodeId>(u - 1), static_cast<hcp::NodeId>(v - 1));
}

// A directed graph's arcs as node pairs, each pair once with the ends its
// arcs enter: u -> v and v -> u become one line with two arrowheads.
void PairArcs(const hcp::Graph& graph, GraphScene& s)
{
    std::vector<std::pair<NodePair, std::uint8_t>> arcs;
    arcs.reserve(graph.EdgeCount());
    for (const auto& [u, v] : graph.Edges()) {
        const int a = static_cast<int>(u) + 1, b = static_cast<int>(v) + 1;
        if (a < b)
            arcs.push_back({{a, b}, kHeadAtSecond});
        else
            arcs.push_back({{b, a}, kHeadAtFirst});
    }
    std::sort(arcs.begin(), arcs.end());
    for (const auto& [p, head] : arcs) {
        if (!s.edges.empty() && s.edges.back() == p) {
            s.heads.back() |= head;
            continue;
        }
        s.edges.push_back(p);
        s.heads.push_back(head);
    }
}

}  // namespace

GraphScene BuildScene(const hcp::Graph& graph, std::span<const hcp::NodeId> order,
                      const std::vector<NodePair>& ruledOut, hcp::Goal goal)
{
    GraphScene s;
    s.revision = ++s_revision;
    s.nodes = static_cast<int>(graph.NodeCount());
    s.directed = graph.Directed();
    s.closed = goal == hcp::Goal::Cycle;

    std::vector<NodePair> cut;
    cut.reserve(ruledOut.size());
    for (auto [u, v] : ruledOut) {
        if (u > v)
            std::swap(u, v);
        if (u >= 1 && v <= s.nodes && u != v && (Joined(graph, u, v) || Joined(graph, v, u)))
            cut.emplace_back(u, v);
    }
    std::sort(cut.begin(), cut.end());
    cut.erase(std::unique(cut.begin(), cut.end()), cut.end());

    if (s.directed) {
        PairArcs(graph, s);
        if (!cut.empty()) {
            std::size_t kept = 0;
            for (std::size_t k = 0; k < s.edges.size(); ++k)
                if (!std::binary_search(cut.begin(), cut.end(), s.edges[k])) {
                    s.edges[kept] = s.edges[k];
                    s.heads[kept++] = s.heads[k];
                }
            s.edges.resize(kept);
            s.heads.resize(kept);
        }
    } else {
        s.edges.reserve(graph.EdgeCount());
        for (const hcp::Edge& e : graph.Edges()) {
            const NodePair p(static_cast<int>(e.first) + 1, static_cast<int>(e.second) + 1);
            if (!std::binary_search(cut.begin(), cut.end(), p))
                s.edges.push_back(p);
        }
    }
    s.ruledOut = std::move(cut);

    s.order.reserve(order.size());
    for (hcp::NodeId v : order)
        if (v < graph.NodeCount())
            s.order.push_back(static_cast<int>(v) + 1);
    const std::size_t k = s.order.size();
    // A lone node has no link; a path has none back from its last node.
    const std::size_t links = k < 2 ? 0 : s.closed ? k : k - 1;
    s.gap.assign(links, 0);
    for (std::size_t i = 0; i < links; ++i) {
        if (!Joined(graph, s.order[i], s.order[(i + 1) % k])) {
            s.gap[i] = 1;
            ++s.gaps;
        }
    }
    return s;
}

}  // namespace app
