// BlockSplit: a graph made of blocks that few edges join. Some hard graphs
// are built that way: near-cubic pieces, each with a handful of hubs joined
// to most of its nodes, and between pieces a score of edges. A cycle of the
// whole then crosses those edges an even number of times per block and, in
// each block, is a set of paths joining the ends it enters by. Each block
// alone is easy; it is the choice of crossings that is hard, and it is
// small.
//
// The blocks are found as the components left when the hubs (nodes of far
// more than the usual degree) are taken away, each hub going to the
// component that holds most of its neighbours.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/graph.h"

namespace hcp {

struct BlockSplit {
    std::vector<std::uint32_t> block;   // the block of each node
    std::uint32_t blocks = 0;
    std::vector<Edge> crossing;         // the edges between blocks, u < v
};

// At most this many crossing edges: the search over their subsets stays
// small (each block also prunes it).
constexpr std::size_t kMaxCrossingEdges = 24;

// The split of an undirected graph, or none when it has no hubs, taking
// them away leaves it in one piece, a block holds more than half its
// nodes, or more than kMaxCrossingEdges edges join the blocks.
std::optional<BlockSplit> FindBlockSplit(const Graph& g);

}  // namespace hcp
