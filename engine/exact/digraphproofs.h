// The cheap proofs that a digraph has no Hamiltonian cycle, each with its
// reason in words: too few nodes, a node with no arc in or out, a node the
// others cannot reach (or that cannot reach them), and Hall's condition
// for giving every node a successor of its own.
#pragma once

#include <string>

#include "core/graph.h"
#include "export.h"

namespace hcp {

// The reason, or empty when none of these proofs applies. O(E sqrt N).
TOURKERN_API std::string ProveNoDirectedCycle(const Graph& d);

}  // namespace hcp
