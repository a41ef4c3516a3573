// SmallSearch: a complete depth-first search for graphs of up to 64 nodes,
// where starting a SAT solver costs more than the whole search. Node sets
// are 64-bit masks, so a step is a handful of word operations and the
// search allocates nothing.
#pragma once

#include <array>
#include <cstdint>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "exact/reduction.h"

namespace hcp {

class SmallSearch {
public:
    static constexpr NodeId kMaxNodes = 64;
    enum class Outcome { Found, None, Stopped };

    // Searches the working graph r leaves (NodeCount() <= kMaxNodes; the
    // forced edges are kept). Found leaves the cycle in Cycle().
    Outcome Run(const Reduction& r, StopWatch& stop);

    // Ends the search as Stopped after this many branches (default none).
    void SetBranchLimit(std::uint64_t limit) { m_branchLimit = limit; }

    const NodeId* Cycle() const { return m_path.data(); }
    std::uint64_t Branches() const { return m_branches; }

private:
    bool Extend(NodeId head, std::uint64_t unvisited, std::uint64_t closers, int depth);
    bool Arrive(NodeId from, NodeId x, std::uint64_t unvisited, std::uint64_t closers, int depth);

    NodeId m_nodes = 0;
    NodeId m_start = 0;
    std::array<std::uint64_t, kMaxNodes> m_adj{};
    std::array<std::uint64_t, kMaxNodes> m_forced{};
    std::array<NodeId, kMaxNodes> m_path{};
    std::uint64_t m_branches = 0;
    std::uint64_t m_branchLimit = ~std::uint64_t{0};
    StopWatch* m_stop = nullptr;
    bool m_stopped = false;
};

}  // namespace hcp
