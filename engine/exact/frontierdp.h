// FrontierDp: a dynamic programme over the edges of a sparse graph in an
// order that keeps few nodes "open" (seen, with edges still to decide). A
// state records, for each open node, whether it has no cycle edge yet, two
// (done), or one, and then which open node ends the same path. Edges are
// decided one at a time, identical states merge, and a node must be done
// when its last edge is decided. A graph built as a ring or a chain of
// small pieces (flower snarks, generalized Petersen graphs, ladders, thin
// grids) keeps a narrow frontier, so the programme takes time linear in
// its size where a search meets the same dead ends again and again.
#pragma once

#include <cstdint>
#include <vector>

#include "core/graph.h"
#include "core/stopwatch.h"
#include "exact/workgraph.h"

namespace hcp {

class FrontierDp {
public:
    // Widest frontier the programme tries: states grow about threefold
    // per open node, so wider graphs are left to the searches.
    static constexpr std::uint32_t kMaxWidth = 24;
    enum class Outcome { Found, None, Stopped, TooLarge };

    // Chooses the node order for w (greedy: next the node with the most
    // neighbours seen, then the fewest unseen) and returns the widest
    // frontier it gives.
    std::uint32_t Plan(const WorkGraph& w);
    // Runs over the order Plan chose, keeping at most 'stateLimit' states
    // in all (each a few bytes per open node); TooLarge when it would need
    // more. Found leaves the cycle in Cycle().
    Outcome Run(const WorkGraph& w, StopWatch& stop, std::uint64_t stateLimit);

    const std::vector<NodeId>& Cycle() const { return m_cycle; }
    std::uint64_t States() const { return m_states; }

private:
    static constexpr std::uint8_t kFree = 0xff;
    static constexpr std::uint8_t kDone = 0xfe;

    // One decided edge: the frontier before and after it.
    struct Event {
        std::uint32_t edge;
        std::uint8_t slotU, slotV;        // the ends' places before
        bool lastU, lastV;                 // the end leaves after this edge
        bool everyNodeSeen;                // a cycle may close here
        std::uint32_t width, nextWidth;
        std::uint32_t mapStart;            // m_map: old place -> new place (or kFree)
        std::uint32_t remainingU, remainingV;        // undecided edges left at each end
        std::uint32_t forcedLeftU, forcedLeftV;      // forced ones among them
    };

    void Trace(std::size_t event, std::uint32_t state);

    std::vector<Event> m_events;
    std::vector<std::uint8_t> m_map;
    std::uint32_t m_width = 0;

    // Layer k: the states before event k, their parents and whether the
    // event before took its edge.
    struct Layer {
        std::vector<std::uint8_t> bytes;
        std::vector<std::uint32_t> parent;
        std::vector<std::uint8_t> took;
    };
    std::vector<Layer> m_layers;
    std::vector<std::uint32_t> m_table;   // open addressing over the next layer
    std::vector<NodeId> m_cycle;
    std::uint64_t m_states = 0;
    const WorkGraph* m_graph = nullptr;
};

}  // namespace hcp
