// Cycle bans: one set of clauses that forbids every cycle inside a node
// set through one edge of it. Where the cut loop's covers have a small
// cycle that wanders inside one region, each a few nodes off the last,
// and every one of them runs through the same edge, a ban on that edge
// forbids the whole family in two clauses per edge of the region, where a
// region order (regionorder.h) takes about 8 log2(N). On an FHCP graph of
// 7,480 nodes the small cycles of such a family were all odd inside a
// region of 495 nodes that was bipartite but for one edge, which each of
// them used.
//
// A Hamiltonian cycle through the edge a-b is the edge and a path from a
// to b through every node. Its part from a that stays inside a proper
// subset of the nodes ends before it reaches b, so a "reached" bit set at
// a and carried along every other chosen edge inside the set never gets
// to b while a-b is chosen. A cycle through a-b inside the set carries it
// there.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/graph.h"
#include "exact/workgraph.h"

namespace CaDiCaL {
class Solver;
}

namespace hcp {

// The literals of which at least one is true when edge e is chosen, and
// none when it is not: the edge's own in the edge model, its two arcs in
// the arc model (second == 0 when there is only one).
struct EdgeChosen {
    int first = 0;
    int second = 0;
};

// Bans every cycle through edge 'through' inside 'region', a proper subset
// of the working graph's nodes, each marked mark[v] == stamp, with both
// ends of the edge among them (else it throws std::logic_error). New
// variables are taken from next on. Returns the clauses added.
std::uint64_t AddCycleBan(CaDiCaL::Solver& s, const WorkGraph& w, std::span<const NodeId> region,
                          const std::vector<std::uint32_t>& mark, std::uint32_t stamp, std::uint32_t through,
                          const std::function<EdgeChosen(std::uint32_t e)>& chosen, int& next);

}  // namespace hcp
