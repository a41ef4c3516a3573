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
// component that holds most of its neighbours. A hub that no component
// holds half the neighbours of is shared by several: it is a block of its
// own, and its edges into a block are one bundle, its way into that block
// at whichever of its neighbours there the block's paths start.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/graph.h"

namespace hcp {

struct BlockSplit {
    std::vector<std::uint32_t> block;   // the block of each node
    std::uint32_t blocks = 0;
    // The edges between blocks, u < v, but those from a shared hub to the
    // other blocks, which its bundles stand for.
    std::vector<Edge> crossing;
    // The bundles: a shared hub and a block it has neighbours in.
    std::vector<std::pair<NodeId, std::uint32_t>> bundles;
};

// At most this many crossing edges and bundles: the search over their
// subsets stays small enough (each block also prunes it).
constexpr std::size_t kMaxCrossings = 128;

// The split of an undirected graph, or none when it has no hubs, taking
// them away leaves it in one piece, a block holds more than half its
// nodes, or more than kMaxCrossings edges and bundles join the blocks.
std::optional<BlockSplit> FindBlockSplit(const Graph& g);

}  // namespace hcp
