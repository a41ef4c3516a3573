// The cheap proofs that a graph has no Hamiltonian path (with the ends the
// question gives), each with its reason in the graph's own nodes:
// undirected, a disconnected graph, more nodes of degree 1 than the path
// has free ends, a node whose removal leaves more pieces than a path can
// join, and bipartite sides a path cannot alternate between; directed,
// more nodes without an arc in (or out) than a path has first (last)
// nodes, strong components that no order visits one after another, and
// too few arcs with distinct tails and heads.
#pragma once

#include <string>

#include "core/graph.h"
#include "core/question.h"
#include "export.h"

namespace hcp {

// The reason, or empty when none applies. q must be a path question that
// fits g (QuestionProblem is empty); g has at least two nodes. O(E sqrt N)
// for a digraph, O(E) otherwise.
TOURKERN_API std::string ProveNoPath(const Graph& g, const Question& q);

}  // namespace hcp
