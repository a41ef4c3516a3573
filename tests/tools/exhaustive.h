// Ground truth for hcpsolve's answers on small graphs, kept apart from the
// engine: graph6 and digraph6 lines decoded here, and every Hamiltonian
// cycle or path question decided by a dynamic programme over node subsets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tooltest {

// A graph of at most 16 nodes: out[v] has bit w set for each edge v-w (arc
// v->w in a digraph).
struct SmallGraph {
    int n = 0;
    bool directed = false;
    std::vector<std::uint32_t> out;
    bool Has(int v, int w) const { return (out[v] >> w & 1u) != 0; }
};

// One graph6 line, or a digraph6 line ("&..."), without its line end.
// Throws std::invalid_argument for anything else or more than 16 nodes.
SmallGraph DecodeNautyLine(const std::string& line);

// Whether g has a Hamiltonian cycle (a graph needs 3 nodes, a digraph 2).
bool HasHamiltonianCycle(const SmallGraph& g);
// Whether g has a Hamiltonian path, starting at from and ending at to
// (0-based) where given.
bool HasHamiltonianPath(const SmallGraph& g, std::optional<int> from = {}, std::optional<int> to = {});
// Whether order (0-based) is a Hamiltonian path of g: every node once, each
// link an edge (an arc forward in a digraph).
bool IsHamiltonianPath(const SmallGraph& g, const std::vector<int>& order);

}  // namespace tooltest
