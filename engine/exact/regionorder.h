// Region orders: one set of clauses that forbids every cycle inside a node
// set at once. A Hamiltonian cycle meets a proper subset of the nodes in
// paths, never in a cycle, so its chosen arcs there can number the
// subset's nodes, each arc going one up. A cover with a cycle inside the
// set cannot. A subset cut forbids one node set being closed off; where
// the cut loop returns cover after cover whose small cycle wanders inside
// one region (each one a few nodes off the last, each found in a conflict
// or two), one order forbids the whole family.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/graph.h"
#include "exact/workgraph.h"

namespace CaDiCaL {
class Solver;
}

namespace hcp {

// The literals whose conjunction says "the arc from 'from' along edge e is
// chosen": one in the arc model; the edge and its direction in the edge
// model (second == 0 when there is none).
struct ArcCondition {
    int first = 0;
    int second = 0;
};

// Numbers the nodes listed in 'nodes', each marked mark[v] == stamp, so
// that every chosen arc between two of them goes one up, in binary with no
// overflow. Without a root, 'nodes' is a proper subset of the working
// graph's nodes and the numbering forbids every cycle inside it (a region
// order). With one, the root is numbered 0 and arcs into it go free:
// 'nodes' may then be all of them, and only a single cycle through the
// root numbers itself (the rank model). New variables are taken from next
// on, and clauses counts what is added. Returns false when stopped
// half-way.
constexpr NodeId kNoRoot = ~NodeId{0};
bool AddNumbering(CaDiCaL::Solver& s, const WorkGraph& w, std::span<const NodeId> nodes,
                  const std::vector<std::uint32_t>& mark, std::uint32_t stamp,
                  const std::function<ArcCondition(std::uint32_t e, NodeId from)>& arc, int& next,
                  std::uint64_t& clauses, NodeId root = kNoRoot, const std::stop_token& stop = {});

}  // namespace hcp
