// The starting order of the large-graph search: greedy walks that always
// step to the unvisited neighbour with the fewest unvisited neighbours of
// its own (Warnsdorff's rule, ties broken at random), each grown from both
// ends, strung together. A random order on a million nodes has about a
// million gaps; these walks leave a few per thousand nodes on knight
// boards and random cubic graphs, in time linear in the edges.
#pragma once

#include <vector>

#include "core/graph.h"
#include "large/random64.h"

namespace hcp {

struct GreedyStart {
    std::vector<NodeId> order;   // every node once
    std::uint32_t paths = 0;     // walks it took
};

GreedyStart MakeGreedyStart(const Graph& g, Random64& rng);

}  // namespace hcp
