// A cycle cover from a perfect matching: every node picks a successor
// among its neighbours and every node is picked once, found as a perfect
// matching between "out" and "in" copies of the nodes (Hopcroft-Karp). It
// ignores the ban on using an edge both ways, so it may hold 2-cycles.
//
// When no such matching exists no set of disjoint cycles covers the graph,
// which is a proof that it has no Hamiltonian cycle.
#pragma once

#include <vector>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "exact/workgraph.h"

namespace hcp {

enum class MatchingOutcome { Perfect, Deficient, Stopped };

// Fills succ (a permutation, succ[v] a neighbour of v) on Perfect; on
// Deficient, 'unmatched' is a node that no successor assignment covers.
MatchingOutcome MatchSuccessors(const WorkGraph& w, StopWatch& stop, std::vector<NodeId>& succ, NodeId& unmatched);

}  // namespace hcp
