#include "exact/pathproofs.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "exact/arcstructure.h"

namespace hcp {

namespace {

std::string Num(NodeId v) { return std::to_string(std::uint64_t{v} + 1); }

bool IsEnd(const Question& q, NodeId v) { return (q.from && *q.from == v) || (q.to && *q.to == v); }

// Depth-first numbering for cut vertices: how many pieces removing each
// node leaves, and which piece a given node falls in.
struct CutScan {
    std::vector<NodeId> tin, tout, low, parent;
    NodeId reached = 0;

    explicit CutScan(const Graph& g)
    {
        const NodeId n = g.NodeCount();
        constexpr NodeId kNone = std::numeric_limits<NodeId>::max();
        tin.assign(n, kNone);
        tout.assign(n, 0);
        low.assign(n, 0);
        parent.assign(n, kNone);
        std::vector<std::pair<NodeId, std::uint32_t>> call{{0, 0}};
        NodeId clock = 0;
        tin[0] = low[0] = clock++;
        while (!call.empty()) {
            auto& [v, slot] = call.back();
            const auto nb = g.Neighbors(v);
            if (slot < nb.size()) {
                const NodeId w = nb[slot++];
                if (tin[w] == kNone) {
                    parent[w] = v;
                    tin[w] = low[w] = clock++;
                    call.emplace_back(w, 0);
                } else if (w != parent[v]) {
                    low[v] = std::min(low[v], tin[w]);
                }
                continue;
            }
            const NodeId done = v;
            tout[done] = clock;
            call.pop_back();
            if (!call.empty()) low[call.back().first] = std::min(low[call.back().first], low[done]);
        }
        reached = clock;
    }

    bool Inside(NodeId x, NodeId root) const { return tin[root] <= tin[x] && tin[x] < tout[root]; }

    // The pieces of the graph without v: its children whose subtree does not
    // reach above v, and the rest (when v is not the root).
    std::vector<NodeId> Pieces(const Graph& g, NodeId v) const
    {
        std::vector<NodeId> cut;
        for (NodeId w : g.Neighbors(v))
            if (parent[w] == v && low[w] >= tin[v]) cut.push_back(w);
        return cut;
    }

    // Which piece of the graph without v holds x: the child heading it, or
    // v itself for the piece above v.
    NodeId PieceOf(const std::vector<NodeId>& pieces, NodeId v, NodeId x) const
    {
        for (NodeId c : pieces)
            if (Inside(x, c)) return c;
        return v;
    }
};

std::string ProveUndirected(const Graph& g, const Question& q)
{
    const NodeId n = g.NodeCount();
    const CutScan scan(g);
    if (scan.reached < n) {
        NodeId w = 0;
        while (scan.tin[w] != std::numeric_limits<NodeId>::max()) ++w;
        return "the graph is disconnected: node " + Num(w) + " cannot be reached from node 1";
    }
    // Nodes of degree 1 are ends; a path has two.
    std::vector<NodeId> leaves;
    for (NodeId v = 0; v < n; ++v)
        if (g.Degree(v) == 1 && !IsEnd(q, v)) leaves.push_back(v);
    const std::size_t freeEnds = q.to ? 0 : q.from ? 1 : 2;
    if (leaves.size() > freeEnds) {
        const std::string have = NodeListText(leaves) + (leaves.size() == 1 ? " has" : " have") + " degree 1";
        if (q.to) return have + " and " + (leaves.size() == 1 ? "is" : "are") + " not an end of the path";
        if (q.from) return have + ", and a path from node " + Num(*q.from) + " has one other end";
        return have + ", and a path has two ends";
    }
    for (NodeId v = 0; v < n; ++v) {
        const std::vector<NodeId> pieces = scan.Pieces(g, v);
        const std::size_t count = pieces.size() + (v == 0 ? 0 : 1);
        if (count < 2) continue;
        if (count >= 3) return "removing node " + Num(v) + " leaves " + std::to_string(count) + " components";
        if (IsEnd(q, v)) return "removing node " + Num(v) + ", an end of the path, leaves 2 components";
        if (q.to && scan.PieceOf(pieces, v, *q.from) == scan.PieceOf(pieces, v, *q.to))
            return "removing node " + Num(v) + " leaves 2 components, and both ends of the path lie in one";
    }
    // A path alternates between the sides of a bipartite graph.
    std::vector<std::int8_t> side(n, -1);
    std::vector<NodeId> queue{0};
    side[0] = 0;
    bool bipartite = true;
    for (std::size_t i = 0; i < queue.size() && bipartite; ++i)
        for (NodeId w : g.Neighbors(queue[i])) {
            if (side[w] < 0) {
                side[w] = static_cast<std::int8_t>(1 - side[queue[i]]);
                queue.push_back(w);
            } else if (side[w] == side[queue[i]]) {
                bipartite = false;
                break;
            }
        }
    if (!bipartite) return {};
    const auto big0 = static_cast<NodeId>(std::count(side.begin(), side.end(), 0));
    const std::int8_t large = big0 * 2 >= n ? 0 : 1;
    const NodeId a = large == 0 ? big0 : n - big0, b = n - a;
    const std::string sides = "the graph is bipartite with sides of " + std::to_string(a) + " and "
                              + std::to_string(b) + " nodes";
    if (a > b + 1) return sides + ", and a path alternates between them";
    if (a == b + 1) {
        for (const auto& end : {q.from, q.to})
            if (end && side[*end] != large)
                return sides + ", so a path starts and ends on the larger side; node " + Num(*end)
                       + " is on the smaller";
    } else if (q.to && side[*q.from] == side[*q.to]) {
        return sides + ", so a path has an end on each side; nodes " + Num(*q.from) + " and " + Num(*q.to)
               + " are on the same side";
    }
    return {};
}

std::string ProveDirected(const Graph& d, const Question& q)
{
    const NodeId n = d.NodeCount();
    std::vector<NodeId> noIn, noOut;
    for (NodeId v = 0; v < n; ++v) {
        if (d.InDegree(v) == 0 && !(q.from && *q.from == v)) noIn.push_back(v);
        if (d.Degree(v) == 0 && !(q.to && *q.to == v)) noOut.push_back(v);
    }
    if (q.from && d.Degree(*q.from) == 0) return "node " + Num(*q.from) + ", the first node, has no arc out";
    if (q.to && d.InDegree(*q.to) == 0) return "node " + Num(*q.to) + ", the last node, has no arc in";
    if (!noIn.empty() && (q.from || noIn.size() > 1))
        return NodeListText(noIn) + (noIn.size() == 1 ? " has" : " have")
               + " no arc in, and only the first node of a path may have none";
    if (!noOut.empty() && (q.to || noOut.size() > 1))
        return NodeListText(noOut) + (noOut.size() == 1 ? " has" : " have")
               + " no arc out, and only the last node of a path may have none";
    // The path visits the strong components in topological order, one after
    // another, so each must have an arc into the next.
    const StrongComponents s = FindStrongComponents(d);
    if (s.count > 1) {
        std::vector<NodeId> some(s.count, 0);
        for (NodeId v = n; v-- > 0;) some[s.of[v]] = v;
        std::vector<bool> joined(s.count, false);   // an arc from component i into i + 1
        for (NodeId u = 0; u < n; ++u)
            for (NodeId v : d.Neighbors(u))
                if (s.of[v] == s.of[u] + 1) joined[s.of[u]] = true;
        for (NodeId c = 0; c + 1 < s.count; ++c)
            if (!joined[c])
                return "neither of nodes " + Num(some[c]) + " and " + Num(some[c + 1]) + " can reach the other";
        if (q.from && s.of[*q.from] != 0)
            return "node " + Num(*q.from) + ", the first node, cannot reach node " + Num(some[0]);
        if (q.to && s.of[*q.to] != s.count - 1)
            return "node " + Num(some[s.count - 1]) + " cannot reach node " + Num(*q.to) + ", the last node";
    }
    const ArcMatching m = MatchArcs(d);
    if (m.size + 1 < n)
        return "at most " + std::to_string(m.size) + " arcs have distinct tails and distinct heads, and a path through "
               + std::to_string(n) + " nodes needs " + std::to_string(n - 1);
    return {};
}

}  // namespace

std::string ProveNoPath(const Graph& g, const Question& q)
{
    if (g.NodeCount() < 2) return {};
    return g.Directed() ? ProveDirected(g, q) : ProveUndirected(g, q);
}

}  // namespace hcp
