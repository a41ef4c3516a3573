// Re-checks the witness a toughness proof names in its reason ("removing
// nodes 3, 9, 14 leaves 4 components", 1-based): removes those nodes from
// the graph, counts what is left by a search of its own, and returns an
// empty string when the claim holds and proves the graph has no cycle, or
// what is wrong with it.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "core/graph.h"

namespace testgraphs {

inline std::string CheckToughnessWitness(const hcp::Graph& g, const std::string& reason) {
    using hcp::NodeId;
    const std::string head = "removing nodes ";
    const auto at = reason.find(head);
    const auto leaves = reason.find(" leaves ");
    if (at != 0 || leaves == std::string::npos) return "not a toughness reason: " + reason;
    std::vector<std::uint8_t> removed(g.NodeCount(), 0);
    std::size_t size = 0;
    std::istringstream list(reason.substr(head.size(), leaves - head.size()));
    for (std::string item; std::getline(list, item, ',');) {
        const unsigned long v = std::stoul(item);
        if (v < 1 || v > g.NodeCount() || removed[v - 1]) return "bad node " + item + " in: " + reason;
        removed[v - 1] = 1;
        ++size;
    }
    const unsigned long claimed = std::stoul(reason.substr(leaves + 8));
    std::vector<std::uint8_t> seen(g.NodeCount(), 0);
    unsigned long components = 0;
    for (NodeId root = 0; root < g.NodeCount(); ++root) {
        if (removed[root] || seen[root]) continue;
        ++components;
        std::vector<NodeId> stack{root};
        seen[root] = 1;
        while (!stack.empty()) {
            const NodeId v = stack.back();
            stack.pop_back();
            for (NodeId w : g.Neighbors(v))
                if (!removed[w] && !seen[w]) {
                    seen[w] = 1;
                    stack.push_back(w);
                }
        }
    }
    if (components != claimed)
        return "the set leaves " + std::to_string(components) + " components, not " + std::to_string(claimed);
    if (components <= size) return "the set is no witness: " + reason;
    return "";
}

}  // namespace testgraphs
