#include "exact/arcstructure.h"

#include <algorithm>
#include <limits>
#include <string>

namespace hcp {

StrongComponents FindStrongComponents(const Graph& d)
{
    // Tarjan's algorithm without recursion. It finishes components in
    // reverse topological order; they are renumbered at the end.
    const NodeId n = d.NodeCount();
    constexpr NodeId kNone = std::numeric_limits<NodeId>::max();
    std::vector<NodeId> index(n, kNone), low(n, 0), stack, comp(n, kNone);
    std::vector<std::pair<NodeId, std::uint32_t>> call;   // node, next successor slot
    std::vector<bool> onStack(n, false);
    NodeId next = 0, found = 0;
    for (NodeId root = 0; root < n; ++root) {
        if (index[root] != kNone) continue;
        call.emplace_back(root, 0);
        index[root] = low[root] = next++;
        stack.push_back(root);
        onStack[root] = true;
        while (!call.empty()) {
            auto& [v, slot] = call.back();
            const auto succ = d.Neighbors(v);
            if (slot < succ.size()) {
                const NodeId w = succ[slot++];
                if (index[w] == kNone) {
                    index[w] = low[w] = next++;
                    stack.push_back(w);
                    onStack[w] = true;
                    call.emplace_back(w, 0);
                } else if (onStack[w]) {
                    low[v] = std::min(low[v], index[w]);
                }
                continue;
            }
            const NodeId done = v;
            call.pop_back();
            if (!call.empty()) low[call.back().first] = std::min(low[call.back().first], low[done]);
            if (low[done] == index[done]) {
                NodeId w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[w] = false;
                    comp[w] = found;
                } while (w != done);
                ++found;
            }
        }
    }
    StrongComponents s;
    s.count = found;
    s.of.resize(n);
    for (NodeId v = 0; v < n; ++v) s.of[v] = found - 1 - comp[v];
    return s;
}

ArcMatching MatchArcs(const Graph& d)
{
    // Hopcroft and Karp: breadth-first layers from the free tails, then
    // augmenting paths along them, O(E sqrt N).
    const NodeId n = d.NodeCount();
    constexpr NodeId kInf = std::numeric_limits<NodeId>::max();
    ArcMatching m;
    m.head.assign(n, kUnmatched);
    std::vector<NodeId> tailOf(n, kUnmatched), dist(n), queue;
    std::vector<std::pair<NodeId, std::uint32_t>> call;
    for (;;) {
        queue.clear();
        for (NodeId u = 0; u < n; ++u) {
            dist[u] = m.head[u] == kUnmatched ? 0 : kInf;
            if (dist[u] == 0) queue.push_back(u);
        }
        bool reached = false;
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const NodeId u = queue[i];
            for (NodeId v : d.Neighbors(u)) {
                const NodeId t = tailOf[v];
                if (t == kUnmatched) reached = true;
                else if (dist[t] == kInf) {
                    dist[t] = dist[u] + 1;
                    queue.push_back(t);
                }
            }
        }
        if (!reached) break;
        for (NodeId root = 0; root < n; ++root) {
            if (m.head[root] != kUnmatched || dist[root] != 0) continue;
            call.assign(1, {root, 0});
            bool augmented = false;
            while (!call.empty() && !augmented) {
                auto& [u, slot] = call.back();
                const auto succ = d.Neighbors(u);
                if (slot == succ.size()) {
                    dist[u] = kInf;   // a dead end for this phase
                    call.pop_back();
                    continue;
                }
                const NodeId v = succ[slot++];
                const NodeId t = tailOf[v];
                if (t == kUnmatched) {
                    // Flip the path: each tail on the stack takes the head it left by.
                    NodeId head = v;
                    for (std::size_t k = call.size(); k-- > 0;) {
                        const NodeId tail = call[k].first;
                        const NodeId old = m.head[tail];
                        m.head[tail] = head;
                        tailOf[head] = tail;
                        head = old;
                    }
                    augmented = true;
                } else if (dist[t] == dist[u] + 1) {
                    call.emplace_back(t, 0);
                }
            }
            if (augmented) ++m.size;
        }
    }
    if (m.size < n) {
        // König: the tails an alternating path reaches from a free tail,
        // and their successors (all matched, one fewer than the tails).
        NodeId free = 0;
        while (m.head[free] != kUnmatched) ++free;
        std::vector<bool> seenTail(n, false), seenHead(n, false);
        queue.assign(1, free);
        seenTail[free] = true;
        for (std::size_t i = 0; i < queue.size(); ++i)
            for (NodeId v : d.Neighbors(queue[i])) {
                if (seenHead[v]) continue;
                seenHead[v] = true;
                const NodeId t = tailOf[v];
                if (t != kUnmatched && !seenTail[t]) {
                    seenTail[t] = true;
                    queue.push_back(t);
                }
            }
        for (NodeId v = 0; v < n; ++v) {
            if (seenTail[v]) m.tails.push_back(v);
            if (seenHead[v]) m.heads.push_back(v);
        }
    }
    return m;
}

std::string NodeListText(const std::vector<NodeId>& nodes)
{
    constexpr std::size_t kNamed = 8;
    std::string s = nodes.size() == 1 ? "node " : "nodes ";
    const std::size_t named = std::min(nodes.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) s += (i + 1 == named && nodes.size() <= kNamed) ? " and " : ", ";
        s += std::to_string(std::uint64_t{nodes[i]} + 1);
    }
    if (nodes.size() > kNamed) s += " and " + std::to_string(nodes.size() - kNamed) + " more";
    return s;
}

}  // namespace hcp
