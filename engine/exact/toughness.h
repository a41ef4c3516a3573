// ToughnessProof: a Hamiltonian cycle, cut at the nodes of any set S, falls
// into at most |S| paths, so a graph in which removing S leaves more than
// |S| components has no cycle. Finding the best S is hard; this looks for
// one by bounded greedy searches (the cut vertex of what remains whose
// removal splits it most, else the node of highest remaining degree; the
// nodes of highest degree in turn), putting back after each step every node
// of S that touches at most one component. The witness is named in the
// reason, so a reader can check it by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/graph.h"
#include "exact/reduction.h"

namespace hcp {

class ToughnessProof {
public:
    // Looks in g, or in the working graph r leaves (fewer edges, so more
    // components), spending at most about 'work' edge visits. True when a
    // witness was found.
    bool Run(const Graph& g, std::uint64_t work);
    bool Run(const Reduction& r, std::uint64_t work);

    // Whether the second greedy search (by degree alone) runs; default yes.
    void SetDegreeGreedy(bool on) { m_degreeGreedy = on; }

    // The set (ascending) and the number of components it leaves.
    const std::vector<NodeId>& Witness() const { return m_witness; }
    std::uint64_t Components() const { return m_components; }
    // "removing nodes 3, 9, 14, 20, 22 leaves 6 components", 1-based.
    std::string Reason() const;
    std::uint64_t Work() const { return m_work; }

private:
    bool Search(std::uint64_t work);
    bool Greedy(bool byDegreeOnly);
    std::uint64_t Label();
    void CutGains();
    void Prune();

    NodeId m_nodes = 0;
    std::vector<std::uint64_t> m_rowStart;
    std::vector<NodeId> m_adjacency;

    // The current set, and per node its component in what remains.
    std::vector<std::uint8_t> m_removed;
    std::vector<NodeId> m_set;
    std::vector<std::uint32_t> m_label;
    std::uint64_t m_count = 0;
    // Cut-vertex search: components gained by removing each node.
    std::vector<std::int64_t> m_gain;
    std::vector<std::uint32_t> m_order;
    std::vector<std::uint32_t> m_low;
    std::vector<std::uint64_t> m_cursor;
    std::vector<NodeId> m_parent;
    std::vector<NodeId> m_stack;
    std::vector<std::uint32_t> m_remainingDegree;

    std::vector<NodeId> m_witness;
    std::uint64_t m_components = 0;
    std::uint64_t m_work = 0;
    std::uint64_t m_limit = 0;
    bool m_degreeGreedy = true;
};

}  // namespace hcp
