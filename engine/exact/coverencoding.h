// CoverEncoding: how the SAT search states "a set of disjoint cycles
// through every node" of a working graph, reads such a cover back, and
// forbids a node set from being closed off, or any cycle inside one. Two encodings exist: one
// variable per arc (a successor for every node, as in the published
// method) and one per edge (every node on exactly two chosen edges).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <vector>

#include "core/graph.h"
#include "exact/workgraph.h"

namespace CaDiCaL {
class Solver;
}

namespace hcp {

// Arcs and Edges state covers and need cuts; Ranks adds positions to the
// arc model so that only single cycles are models (rankencoding.cpp).
enum class SatModel { Arcs, Edges, Ranks };

class CoverEncoding {
public:
    virtual ~CoverEncoding() = default;
    // Adds the cover clauses; returns false when stopped half-way.
    virtual bool Encode(CaDiCaL::Solver& s, const std::stop_token& stop) = 0;
    // Decision phases from a cyclic order (its links that are edges);
    // returns the literals it gave a phase, so the caller can release them.
    virtual std::vector<int> Seed(CaDiCaL::Solver& s, std::span<const NodeId> order) = 0;
    // The successor of every node in the solver's model.
    virtual void ReadCover(CaDiCaL::Solver& s, std::vector<NodeId>& succ) = 0;
    // Forbids the node set marked mark[v] == stamp from being closed off;
    // returns how many clauses that took.
    virtual std::uint64_t AddCut(CaDiCaL::Solver& s, std::span<const NodeId> set,
                                 const std::vector<std::uint32_t>& mark, std::uint32_t stamp) = 0;
    // Forbids every cycle inside the node set marked mark[v] == stamp, a
    // proper subset of the nodes (regionorder.h); returns the clauses.
    virtual std::uint64_t AddRegion(CaDiCaL::Solver& s, std::span<const NodeId> region,
                                    const std::vector<std::uint32_t>& mark, std::uint32_t stamp) = 0;
    // Forbids every cycle through edge 'through' inside the node set marked
    // mark[v] == stamp, a proper subset of the nodes holding both its ends
    // (cycleban.h); returns the clauses.
    virtual std::uint64_t AddCycleBan(CaDiCaL::Solver& s, std::span<const NodeId> region,
                                      const std::vector<std::uint32_t>& mark, std::uint32_t stamp,
                                      std::uint32_t through) = 0;
};

std::unique_ptr<CoverEncoding> MakeCoverEncoding(SatModel model, const WorkGraph& w);

}  // namespace hcp
