#include "exact/blocksearch.h"

#include <algorithm>

#include "core/cyclecheck.h"

namespace hcp {

namespace {

constexpr std::size_t kNoCrossing = ~std::size_t{0};

// Every way of cutting ends into pairs, each as a flat list a1 b1 a2 b2 ...
void Pairings(std::vector<NodeId>& ends, std::size_t from, std::vector<NodeId>& current,
              std::vector<std::vector<NodeId>>& out)
{
    if (from == ends.size()) {
        out.push_back(current);
        return;
    }
    for (std::size_t k = from + 1; k < ends.size(); ++k) {
        std::swap(ends[from + 1], ends[k]);
        current.push_back(ends[from]);
        current.push_back(ends[from + 1]);
        Pairings(ends, from + 2, current, out);
        current.resize(current.size() - 2);
        std::swap(ends[from + 1], ends[k]);
    }
}

}  // namespace

bool BlockSearch::Run(const Graph& g, const BlockSplit& split, const SolveOptions& options,
                      std::uint64_t workLimit, std::vector<NodeId>& cycle)
{
    const NodeId n = g.NodeCount();
    m_g = &g;
    m_split = &split;
    m_options = SolveOptions{};
    m_options.seed = options.seed;
    m_options.stop = options.stop;
    m_options.memoryBudget = options.memoryBudget;
    m_options.memoryShares = options.memoryShares;
    m_limit = workLimit;
    m_work = m_solves = m_subsets = m_askedRounds = 0;
    m_done = false;
    m_stats = SolveStats{};
    m_cache.clear();
    m_cycle = &cycle;
    m_stop = StopWatch(options.stop, 64);

    // The items: the crossing edges, then each bundle as an edge from its
    // hub to a node of its own, numbered n + j, that stands in its block
    // for the neighbour the block's paths start at.
    const NodeId all = n + static_cast<NodeId>(split.bundles.size());
    m_items = split.crossing;
    m_itemBlock.assign(split.bundles.size(), 0);
    for (std::size_t j = 0; j < split.bundles.size(); ++j) {
        m_items.emplace_back(split.bundles[j].first, n + static_cast<NodeId>(j));
        m_itemBlock[j] = split.bundles[j].second;
    }
    m_members.assign(split.blocks, {});
    for (NodeId v = 0; v < n; ++v) m_members[split.block[v]].push_back(v);

    std::vector<Edge> fixed;
    for (const Edge& e : g.FixedEdges()) fixed.push_back(Normal(e));
    std::sort(fixed.begin(), fixed.end());
    m_fixedCrossing.assign(m_items.size(), 0);
    for (std::size_t i = 0; i < split.crossing.size(); ++i)
        m_fixedCrossing[i] = std::binary_search(fixed.begin(), fixed.end(), Normal(split.crossing[i]));
    m_fixedInside.assign(all, 0);
    for (const Edge& e : fixed) {
        const std::uint32_t a = split.block[e.first], b = split.block[e.second];
        if (a == b) {
            ++m_fixedInside[e.first], ++m_fixedInside[e.second];
            continue;
        }
        // A fixed edge of a shared hub: its bundle to that block is used.
        for (std::size_t j = 0; j < split.bundles.size(); ++j)
            if ((split.bundles[j].first == e.first && split.bundles[j].second == b)
                || (split.bundles[j].first == e.second && split.bundles[j].second == a))
                m_fixedCrossing[split.crossing.size() + j] = 1;
    }
    OrderItems();

    m_left.assign(split.blocks, 0);
    for (const Edge& e : m_items) ++m_left[BlockOf(e.first)], ++m_left[BlockOf(e.second)];
    // A block no edge leaves cannot be on a cycle with the others.
    for (std::uint32_t left : m_left)
        if (left == 0) return false;

    m_used.assign(m_items.size(), 0);
    m_degree.assign(all, 0);
    m_ends.assign(split.blocks, 0);
    m_crossNbr.assign(2 * static_cast<std::size_t>(all), kNone);
    m_mate.assign(all, kNone);
    m_local.assign(all, kNone);
    m_pathAt.assign(all, nullptr);
    m_choices = 0;
    return Choose(0);
}

// Puts the items in an order that decides the blocks one after another,
// so that each block's count of ends is checked soon: blocks in breadth-
// first order over the crossing edges (a shared hub, which reaches many,
// is not gone through), each followed by its items not yet listed.
void BlockSearch::OrderItems()
{
    const std::uint32_t blocks = m_split->blocks;
    std::vector<std::vector<std::size_t>> touching(blocks);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        touching[BlockOf(m_items[i].first)].push_back(i);
        touching[BlockOf(m_items[i].second)].push_back(i);
    }
    std::vector<char> hubBlock(blocks, 0), seen(blocks, 0), listed(m_items.size(), 0);
    for (const auto& bundle : m_split->bundles) hubBlock[m_split->block[bundle.first]] = 1;
    std::vector<std::size_t> order;
    std::vector<std::uint32_t> queue;
    for (std::uint32_t root = 0; root < blocks; ++root) {
        if (seen[root] || hubBlock[root]) continue;
        seen[root] = 1;
        queue.assign(1, root);
        for (std::size_t q = 0; q < queue.size(); ++q) {
            const std::uint32_t b = queue[q];
            for (std::size_t i : touching[b]) {
                if (!listed[i]) listed[i] = 1, order.push_back(i);
                const std::uint32_t other = BlockOf(m_items[i].first) == b ? BlockOf(m_items[i].second)
                                                                              : BlockOf(m_items[i].first);
                if (!seen[other] && !hubBlock[other]) seen[other] = 1, queue.push_back(other);
            }
        }
    }
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (!listed[i]) order.push_back(i);
    std::vector<Edge> items;
    std::vector<char> fixed;
    for (std::size_t i : order) items.push_back(m_items[i]), fixed.push_back(m_fixedCrossing[i]);
    m_items = std::move(items);
    m_fixedCrossing = std::move(fixed);
}

// Decides item i and the ones after it, depth first. A block with every
// item decided must have an even number of ends, two or more; one with
// items left, at least two ends still within reach.
bool BlockSearch::Choose(std::size_t i)
{
    if (m_done) return false;
    if (m_stop.Stopped()) {
        m_done = true;
        return false;
    }
    if (++m_choices > kMaxChoices || m_subsets >= kMaxSubsets) {
        m_done = true;
        return false;
    }
    if (i == m_items.size()) return TryLeaf();
    const auto [u, v] = m_items[i];
    const std::uint32_t bu = BlockOf(u), bv = BlockOf(v);
    --m_left[bu], --m_left[bv];
    bool found = false;
    for (int use = 1; use >= 0 && !found && !m_done; --use) {
        if (use != 0 && (m_degree[u] + m_fixedInside[u] >= 2 || m_degree[v] + m_fixedInside[v] >= 2)) continue;
        if (use == 0 && m_fixedCrossing[i]) continue;
        if (use != 0) ++m_degree[u], ++m_degree[v], ++m_ends[bu], ++m_ends[bv], m_used[i] = 1;
        bool fits = true;
        for (std::uint32_t b : {bu, bv})
            if (m_left[b] == 0 ? m_ends[b] == 0 || m_ends[b] % 2 != 0 : m_ends[b] + m_left[b] < 2) fits = false;
        found = fits && Choose(i + 1);
        if (!found && use != 0) --m_degree[u], --m_degree[v], --m_ends[bu], --m_ends[bv], m_used[i] = 0;
    }
    ++m_left[bu], ++m_left[bv];
    return found;
}

NodeId BlockSearch::Other(NodeId v, NodeId from) const
{
    return m_crossNbr[2 * v] == from ? m_crossNbr[2 * v + 1] : m_crossNbr[2 * v];
}

// One subset of crossing edges: every pairing of each block's ends that
// closes one round, until the blocks give paths for one of them.
bool BlockSearch::TryLeaf()
{
    ++m_subsets;
    const auto& crossing = m_items;
    const std::uint32_t blocks = m_split->blocks;
    std::vector<std::vector<NodeId>> ends(blocks), selfs(blocks);
    std::vector<NodeId> touched;
    for (std::size_t i = 0; i < crossing.size(); ++i) {
        if (!m_used[i]) continue;
        const auto [u, v] = crossing[i];
        for (auto [x, y] : {Edge{u, v}, Edge{v, u}}) {
            std::size_t slot = 2 * static_cast<std::size_t>(x);
            if (m_crossNbr[slot] != kNone) ++slot;
            else touched.push_back(x);
            m_crossNbr[slot] = y;
            if (m_degree[x] == 1) ends[BlockOf(x)].push_back(x);
            else if (slot % 2 == 1) selfs[BlockOf(x)].push_back(x);
        }
    }
    auto clear = [&] {
        for (NodeId x : touched) m_crossNbr[2 * x] = m_crossNbr[2 * x + 1] = kNone;
    };

    std::vector<std::vector<std::vector<NodeId>>> pairings(blocks);
    for (std::uint32_t b = 0; b < blocks; ++b) {
        // A block whose every node is passed through by two crossing edges
        // needs no paths; otherwise some of its nodes must be path ends.
        if ((ends[b].empty() && selfs[b].size() != m_members[b].size()) || ends[b].size() > kMaxEnds) {
            clear();
            return false;
        }
        std::vector<NodeId> current;
        Pairings(ends[b], 0, current, pairings[b]);
    }

    std::vector<std::size_t> pick(blocks, 0);
    std::vector<const Paths*> chosen(blocks, nullptr);
    bool found = false;
    for (std::size_t round = 0; round < kMaxRounds && !found && !m_done; ++round) {
        for (std::uint32_t b = 0; b < blocks; ++b) {
            const std::vector<NodeId>& p = pairings[b][pick[b]];
            for (std::size_t k = 0; k < p.size(); k += 2) m_mate[p[k]] = p[k + 1], m_mate[p[k + 1]] = p[k];
        }
        if (OneRound()) {
            bool all = true;
            for (std::uint32_t b = 0; b < blocks && all && !m_done; ++b) {
                chosen[b] = &SolveBlock(b, pairings[b][pick[b]], selfs[b]);
                all = chosen[b]->found;
            }
            found = all && !m_done && Glue(chosen, *m_cycle);
            if (!found && ++m_askedRounds >= kMaxAskedRounds) m_done = true;
        }
        std::uint32_t b = 0;
        while (b < blocks && ++pick[b] == pairings[b].size()) pick[b++] = 0;
        if (b == blocks) break;
    }
    clear();
    return found;
}

// Whether the chosen crossings, walked with each end's pair partner taken
// inside its block, make a single round through all of them.
bool BlockSearch::OneRound() const
{
    const auto& crossing = m_items;
    std::size_t count = 0, first = kNoCrossing;
    for (std::size_t i = 0; i < crossing.size(); ++i)
        if (m_used[i]) {
            ++count;
            if (first == kNoCrossing) first = i;
        }
    if (count == 0) return false;
    const auto [u0, v0] = crossing[first];
    NodeId from = u0, at = v0;
    for (std::size_t steps = 1;; ++steps) {
        const NodeId leave = m_degree[at] == 2 ? at : m_mate[at];
        const NodeId next = m_degree[at] == 2 ? Other(at, from) : m_crossNbr[2 * leave];
        from = leave;
        at = next;
        if (from == u0 && at == v0) return steps == count;
        if (steps > count) return false;
    }
}

// Walks the crossings and the blocks' paths into one order and checks it.
bool BlockSearch::Glue(const std::vector<const Paths*>& chosen, std::vector<NodeId>& cycle)
{
    for (const Paths* p : chosen)
        for (const auto& path : p->paths) m_pathAt[path.front()] = m_pathAt[path.back()] = &path;
    std::size_t first = 0;
    while (!m_used[first]) ++first;
    const auto [u0, v0] = m_items[first];
    const NodeId n = m_g->NodeCount();
    std::vector<NodeId> order;
    NodeId from = u0, at = v0;
    bool broken = false;
    // Each step takes one chosen item; a bundle's node is left out.
    for (std::size_t steps = 0; !broken; ++steps) {
        const std::vector<NodeId>* path = m_pathAt[at];
        if (path == nullptr || steps > m_items.size()) {
            broken = true;
            break;
        }
        const bool forward = path->front() == at;
        for (std::size_t k = 0; k < path->size(); ++k) {
            const NodeId x = forward ? (*path)[k] : (*path)[path->size() - 1 - k];
            if (x < n) order.push_back(x);
        }
        const NodeId last = forward ? path->back() : path->front();
        const NodeId next = path->size() == 1 ? Other(at, from) : m_crossNbr[2 * last];
        from = last;
        at = next;
        if (from == u0 && at == v0) break;
    }
    for (const Paths* p : chosen)
        for (const auto& path : p->paths) m_pathAt[path.front()] = m_pathAt[path.back()] = nullptr;
    if (broken || order.size() != n || !CheckCycle(*m_g, order).hamiltonian) return false;
    cycle = std::move(order);
    return true;
}

}  // namespace hcp
