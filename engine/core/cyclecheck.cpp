#include "core/cyclecheck.h"

#include <vector>

namespace hcp {

CycleCheck CheckCycle(const Graph& g, std::span<const NodeId> order)
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
            c.problem = "node " + std::to_string(std::uint64_t{v} + 1) + " is outside 1.."
                        + std::to_string(n);
            return c;
        }
        if (seen[v]) {
            c.problem = "node " + std::to_string(std::uint64_t{v} + 1) + " appears twice";
            return c;
        }
        seen[v] = true;
    }
    c.permutation = true;
    c.gaps = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const NodeId u = order[i];
        const NodeId v = order[i + 1 == order.size() ? 0 : i + 1];
        if (!g.HasEdge(u, v)) ++c.gaps;
    }
    if (n < 3) c.gaps = static_cast<int>(n);   // no cycle on fewer than three nodes
    if (!g.FixedEdges().empty()) {
        std::vector<std::size_t> at(n);
        for (std::size_t i = 0; i < order.size(); ++i) at[order[i]] = i;
        for (const Edge& e : g.FixedEdges()) {
            const std::size_t d = (at[e.first] + n - at[e.second]) % n;
            if (d != 1 && d + 1 != n) {
                if (!c.missedFixed) {
                    c.missedFixed = e;
                    c.problem = MissedFixedEdgeText(e);
                }
                ++c.missedFixedCount;
            }
        }
        c.gaps += c.missedFixedCount;
    }
    c.hamiltonian = c.gaps == 0 && n >= 3;
    return c;
}

std::string MissedFixedEdgeText(const Edge& e)
{
    return "the cycle does not use the fixed edge " + std::to_string(std::uint64_t{e.first} + 1) + " "
           + std::to_string(std::uint64_t{e.second} + 1);
}

}  // namespace hcp
