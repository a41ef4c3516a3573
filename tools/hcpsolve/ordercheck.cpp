#include "ordercheck.h"

#include "graph/bitgraph.h"

namespace hcpsolve {

OrderCheck CheckOrder(const CBitGraph& graph, const std::vector<int>& order)
{
    OrderCheck result;
    const int n = graph.GetDim();
    if (static_cast<long>(order.size()) != n) {
        result.problem = std::to_string(order.size()) + " nodes in the order, "
                       + std::to_string(n) + " in the graph";
        return result;
    }
    std::vector<char> seen(static_cast<std::size_t>(n) + 1, 0);
    for (int v : order) {
        if (v < 1 || v > n) {
            result.problem = "node " + std::to_string(v) + " is outside 1.." + std::to_string(n);
            return result;
        }
        if (seen[v]) {
            result.problem = "node " + std::to_string(v) + " appears twice";
            return result;
        }
        seen[v] = 1;
    }
    result.permutation = true;
    result.gaps = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int u = order[k];
        const int w = order[(k + 1) % order.size()];
        // A single node's only link joins it to itself: never an edge.
        if (u == w || !graph.GetEdge(static_cast<short>(u), static_cast<short>(w))) {
            if (result.gaps == 0)
                result.problem = "first gap " + std::to_string(u) + "-" + std::to_string(w);
            ++result.gaps;
        }
    }
    // Two nodes joined by an edge have no gap either way round, but a cycle
    // cannot use one edge twice.
    result.hamiltonian = result.gaps == 0 && n >= 3;
    if (result.gaps == 0 && n < 3) result.problem = "a graph of fewer than 3 nodes has no cycle";
    return result;
}

}  // namespace hcpsolve
