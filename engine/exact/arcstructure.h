// Structure of a digraph that its proofs read: the strongly connected
// components, and the largest set of arcs with distinct tails and distinct
// heads (a matching of the successor relation). A directed Hamiltonian
// cycle needs one strong component and a matching of all N nodes; a
// Hamiltonian path needs its components in a chain and N - 1 matched arcs.
#pragma once

#include <vector>

#include "core/graph.h"

namespace hcp {

struct StrongComponents {
    // The component of each node. Components are numbered in topological
    // order: every arc runs from a component to itself or a later one.
    std::vector<NodeId> of;
    NodeId count = 0;
};

StrongComponents FindStrongComponents(const Graph& d);

inline constexpr NodeId kUnmatched = ~NodeId{0};

struct ArcMatching {
    std::vector<NodeId> head;   // the matched successor of each node, or kUnmatched
    NodeId size = 0;
    // When size < N: tails whose successors, all together, are fewer than
    // they are (Hall's condition fails for them), and those successors.
    std::vector<NodeId> tails, heads;
};

ArcMatching MatchArcs(const Graph& d);

// "nodes 3, 5 and 9" (at most eight named, then "and 4 more").
std::string NodeListText(const std::vector<NodeId>& nodes);

}  // namespace hcp
