#include "core/cyclecheck.h"

#include <vector>

namespace hcp {

namespace {

std::string Num(NodeId v) { return std::to_string(std::uint64_t{v} + 1); }

}  // namespace

CycleCheck CheckOrder(const Graph& g, std::span<const NodeId> order, const Question& q)
{
    CycleCheck c;
    const NodeId n = g.NodeCount();
    if (order.size() != n) {
        c.problem = "the order has " + std::to_string(order.size()) + " nodes, the graph "
                    + std::to_string(n);
        return c;
    }
    std::vector<bool> seen(n, false);
    for (NodeId v : order) {
        if (v >= n) {
            c.problem = "node " + Num(v) + " is outside 1.." + std::to_string(n);
            return c;
        }
        if (seen[v]) {
            c.problem = "node " + Num(v) + " appears twice";
            return c;
        }
        seen[v] = true;
    }
    c.permutation = true;
    c.gaps = 0;
    const bool path = q.IsPath();
    const std::size_t links = path ? (n == 0 ? 0 : n - 1) : n;
    for (std::size_t i = 0; i < links; ++i) {
        const NodeId u = order[i];
        const NodeId v = order[i + 1 == order.size() ? 0 : i + 1];
        if (!g.HasEdge(u, v)) ++c.gaps;
    }
    // No cycle on fewer than three nodes, or two in a digraph (u -> v -> u);
    // no path without a node.
    const NodeId least = path ? 1 : g.Directed() ? 2 : 3;
    if (n < least) c.gaps = static_cast<int>(least - n);
    if (path && n > 0) {
        if (q.from && order.front() != *q.from) {
            ++c.gaps;
            if (c.problem.empty()) c.problem = "the path starts at node " + Num(order.front()) + ", not " + Num(*q.from);
        }
        if (q.to && order.back() != *q.to) {
            ++c.gaps;
            if (c.problem.empty()) c.problem = "the path ends at node " + Num(order.back()) + ", not " + Num(*q.to);
        }
    }
    if (!g.FixedEdges().empty()) {
        std::vector<std::size_t> at(n);
        for (std::size_t i = 0; i < order.size(); ++i) at[order[i]] = i;
        for (const Edge& e : g.FixedEdges()) {
            const std::size_t a = at[e.first], b = at[e.second];
            bool used;
            if (path)
                used = b == a + 1 || (!g.Directed() && a == b + 1);
            else {
                const std::size_t d = (b + n - a) % n;   // steps from the first end to the second
                used = d == 1 || (!g.Directed() && d + 1 == n);
            }
            if (!used) {
                if (!c.missedFixed) {
                    c.missedFixed = e;
                    if (c.problem.empty()) c.problem = MissedFixedEdgeText(e);
                }
                ++c.missedFixedCount;
            }
        }
        c.gaps += c.missedFixedCount;
    }
    c.hamiltonian = c.gaps == 0 && n >= least;
    return c;
}

CycleCheck CheckCycle(const Graph& g, std::span<const NodeId> order)
{
    return CheckOrder(g, order, Question{});
}

std::string MissedFixedEdgeText(const Edge& e)
{
    return "the cycle does not use the fixed edge " + Num(e.first) + " " + Num(e.second);
}

}  // namespace hcp
