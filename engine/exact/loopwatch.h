// LoopWatch: tells when the cut loop is trimming one family of covers cut
// by cut, and which nodes to give a region order (regionorder.h).
//
// On FHCP graphs the edge model can return thousands of covers, each
// found in a conflict or two, whose small cycles wander inside one region:
// on one of 3,596 nodes, 2,800 covers of two cycles, the small one of 380
// to 410 nodes inside a region of 413, four nodes off the one before. A
// subset cut forbids one of them; an order on the region forbids them all.
// The watch counts calls in a row that found a cover of several cycles
// within a few conflicts. After enough of them it names the nodes of
// their cycles, all but the largest of each cover, and of earlier regions
// those nodes meet: a family that slipped past one order by a few nodes
// gets an order on the two together, and on the nodes within kMargin
// edges of them. A family that slipped once slips again by a few nodes
// just outside the union: on an FHCP graph of 6,294 nodes the regions
// grew six times, from 1,719 to 2,099 nodes, 14 to 130 at a time, each
// order costing 40 more calls; with the margin the second order held.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/graph.h"
#include "exact/workgraph.h"

namespace hcp {

class LoopWatch {
public:
    // A run of kCalls calls of at most kConflicts conflicts each makes a
    // region. Cycles of more than a quarter of the nodes take no part, and
    // a region has at most half of them. All regions together have at most
    // kShare times the nodes: an order costs about 8 log2(N) clauses per
    // edge inside it, and a search without a time limit would otherwise
    // add orders until memory ran out.
    static constexpr std::uint64_t kCalls = 40;
    static constexpr std::uint64_t kConflicts = 20;
    static constexpr std::uint64_t kShare = 4;
    static constexpr int kMargin = 2;

    // Regions are node sets of 'graph', which must outlive the watch.
    explicit LoopWatch(const WorkGraph& graph) : m_graph(graph) {}

    // One call's cover, as the solver's own cycles (none or one when it
    // was a single cycle), and the conflicts the call took. Returns the
    // nodes to order when the run is complete, else an empty span; the
    // span is valid until the next call.
    std::span<const NodeId> Observe(const std::vector<std::vector<NodeId>>& cycles, std::uint64_t conflicts);

    std::size_t Regions() const { return m_regions.size(); }

    // After Observe named a region: an edge that a small cycle of every
    // cover of the run went through, or WorkGraph::kNoEdge. A cycle ban on
    // it (cycleban.h) forbids the run's family at a fraction of an order's
    // cost.
    std::uint32_t CommonEdge() const { return m_common; }

private:
    void EndRun();
    void AddMargin();

    const WorkGraph& m_graph;
    std::uint64_t m_run = 0;
    // How many covers of the run had a small cycle through each edge, and
    // the edges counted.
    std::vector<std::uint32_t> m_edgeCalls;
    std::vector<std::uint32_t> m_edgesCounted;
    std::uint32_t m_common = WorkGraph::kNoEdge;
    std::vector<NodeId> m_runNodes;
    std::vector<std::uint8_t> m_inRun;
    // The regions named so far, and the latest one each node is in (-1: none).
    std::vector<std::vector<NodeId>> m_regions;
    std::vector<std::int32_t> m_regionOf;
    std::vector<NodeId> m_named;
    std::uint64_t m_ordered = 0;   // nodes of all regions named
};

}  // namespace hcp
