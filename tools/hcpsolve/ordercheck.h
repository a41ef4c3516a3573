// The check a cycle must pass before hcpsolve calls it Hamiltonian or writes
// it: done on the graph as read from the file, apart from the search that
// produced the order.
#pragma once

#include <string>
#include <vector>

class CBitGraph;

namespace hcpsolve {

struct OrderCheck {
    bool permutation = false;   // each node 1..N exactly once
    int gaps = -1;              // links, the closing one included, that are no edge
    bool hamiltonian = false;   // a permutation without gaps on 3 or more nodes
    std::string problem;        // why it is no permutation, or the first gap
};

// Checks order (node numbers, any int) against graph.
OrderCheck CheckOrder(const CBitGraph& graph, const std::vector<int>& order);

}  // namespace hcpsolve
