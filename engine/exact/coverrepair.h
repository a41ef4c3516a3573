// CoverRepair: a cover of a few cycles from the SAT search, handed to the
// local search for large sparse graphs. Read as one cyclic order, the
// cover has a gap where each cycle ends and the next begins, and the gap
// search's rotations and joins often close those gaps where no 2-opt
// splice between two cycles exists. On sparse FHCP graphs whose cut loop
// returns covers of a few cycles call after call, a repair of 100,000 to
// 160,000 steps found the cycle that thousands of further calls did not.
#pragma once

#include <cstdint>
#include <vector>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "exact/cyclecover.h"
#include "exact/workgraph.h"

namespace hcp {

class CoverRepair {
public:
    CoverRepair(const WorkGraph& w, std::uint64_t seed) : m_w(w), m_seed(seed) {}

    // Works on the cover's order for at most 'steps' steps. True when it
    // closed into a Hamiltonian cycle of the working graph that uses every
    // forced edge; 'cycle' then holds it, and is untouched otherwise.
    bool TryClose(const CycleCover& cover, std::uint64_t steps, StopWatch& stop, std::vector<NodeId>& cycle);

    std::uint64_t Attempts() const { return m_attempts; }
    std::uint64_t Steps() const { return m_steps; }

private:
    const WorkGraph& m_w;
    std::uint64_t m_seed;
    // The working graph as the gap search reads it, its forced edges fixed;
    // built at the first attempt.
    Graph m_plain;
    std::uint64_t m_attempts = 0;
    std::uint64_t m_steps = 0;
};

}  // namespace hcp
