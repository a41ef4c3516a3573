#include "exact/digraphproofs.h"

#include "exact/arcstructure.h"

namespace hcp {

namespace {

std::string Num(NodeId v) { return std::to_string(std::uint64_t{v} + 1); }

}  // namespace

std::string ProveNoDirectedCycle(const Graph& d)
{
    const NodeId n = d.NodeCount();
    if (n < 2) return "a cycle needs at least 2 nodes, the graph has " + std::to_string(n);
    for (NodeId v = 0; v < n; ++v) {
        if (d.Degree(v) == 0) return "node " + Num(v) + " has no arc out";
        if (d.InDegree(v) == 0) return "node " + Num(v) + " has no arc in";
    }
    const StrongComponents s = FindStrongComponents(d);
    if (s.count > 1) {
        // A node of the first component reaches a node of the last, never back.
        NodeId first = 0, last = 0;
        for (NodeId v = n; v-- > 0;)
            if (s.of[v] == 0) first = v;
        for (NodeId v = n; v-- > 0;)
            if (s.of[v] == s.count - 1) last = v;
        return "node " + Num(first) + " cannot be reached from node " + Num(last);
    }
    const ArcMatching m = MatchArcs(d);
    if (m.size < n)
        return NodeListText(m.tails) + " have only " + NodeListText(m.heads)
               + " as successors, so no set of disjoint cycles covers every node";
    return {};
}

}  // namespace hcp
