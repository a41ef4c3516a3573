#include "exact/blocksplit.h"

#include <algorithm>

namespace hcp {

namespace {

constexpr std::uint32_t kNone = ~std::uint32_t{0};

// A hub has at least this degree and this many times the median degree:
// on the graphs this split serves, non-hubs have degree 2 to 5 and hubs
// 15 to a thousand.
constexpr std::uint32_t kMinHubDegree = 10;
constexpr std::uint32_t kHubFactor = 3;

// Smaller graphs go to the depth-first search and the dynamic programmes.
constexpr NodeId kMinNodes = 100;

}  // namespace

std::optional<BlockSplit> FindBlockSplit(const Graph& g)
{
    const NodeId n = g.NodeCount();
    if (g.Directed() || n < kMinNodes) return std::nullopt;
    std::vector<std::uint32_t> degrees(n);
    for (NodeId v = 0; v < n; ++v) degrees[v] = g.Degree(v);
    std::nth_element(degrees.begin(), degrees.begin() + n / 2, degrees.end());
    const std::uint32_t threshold = std::max(kMinHubDegree, kHubFactor * degrees[n / 2]);

    BlockSplit split;
    split.block.assign(n, kNone);
    std::vector<char> hub(n, 0);
    NodeId hubs = 0;
    for (NodeId v = 0; v < n; ++v)
        if (g.Degree(v) >= threshold) hub[v] = 1, ++hubs;
    if (hubs == 0 || hubs > n / 8) return std::nullopt;

    // The components of the graph without its hubs.
    std::vector<NodeId> stack;
    for (NodeId s = 0; s < n; ++s) {
        if (hub[s] || split.block[s] != kNone) continue;
        split.block[s] = split.blocks;
        stack.assign(1, s);
        while (!stack.empty()) {
            const NodeId v = stack.back();
            stack.pop_back();
            for (NodeId w : g.Neighbors(v))
                if (!hub[w] && split.block[w] == kNone) split.block[w] = split.blocks, stack.push_back(w);
        }
        ++split.blocks;
    }
    if (split.blocks < 2) return std::nullopt;

    // Each hub joins the component most of its neighbours are in (the
    // first of equals); a hub with none there has no block to go to. A
    // hub no component holds half the neighbours of is shared: a block of
    // its own, reaching each component it touches by one bundle.
    std::vector<std::uint32_t> count(split.blocks, 0);
    std::vector<std::uint32_t> touched;
    std::vector<char> shared(n, 0);
    for (NodeId h = 0; h < n; ++h) {
        if (!hub[h]) continue;
        touched.clear();
        std::uint32_t total = 0;
        for (NodeId w : g.Neighbors(h)) {
            if (hub[w]) continue;
            ++total;
            if (count[split.block[w]]++ == 0) touched.push_back(split.block[w]);
        }
        std::uint32_t best = kNone;
        for (std::uint32_t b : touched)
            if (best == kNone || count[b] > count[best] || (count[b] == count[best] && b < best)) best = b;
        const bool own = best != kNone && 2 * count[best] < total;
        for (std::uint32_t b : touched) count[b] = 0;
        if (best == kNone) return std::nullopt;
        if (own) shared[h] = 1, split.block[h] = split.blocks++;
        else split.block[h] = best;
    }
    for (NodeId h = 0; h < n; ++h) {
        if (!shared[h]) continue;
        touched.clear();
        for (NodeId w : g.Neighbors(h))
            if (!shared[w]) touched.push_back(split.block[w]);
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        for (std::uint32_t b : touched) split.bundles.emplace_back(h, b);
    }

    // A block of more than half the graph is about as hard as the whole.
    std::vector<NodeId> size(split.blocks, 0);
    for (NodeId v = 0; v < n; ++v)
        if (++size[split.block[v]] > n / 2) return std::nullopt;

    // Edges between blocks, but those of a shared hub to the components:
    // its bundles stand for them.
    for (NodeId u = 0; u < n; ++u)
        for (NodeId v : g.Neighbors(u)) {
            if (u >= v || split.block[u] == split.block[v]) continue;
            if (shared[u] != shared[v]) continue;
            split.crossing.emplace_back(u, v);
        }
    if (split.crossing.size() + split.bundles.size() > kMaxCrossings) return std::nullopt;
    return split;
}

}  // namespace hcp
