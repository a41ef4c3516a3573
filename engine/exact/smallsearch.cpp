#include "exact/smallsearch.h"

#include <bit>

namespace hcp {

namespace {

constexpr std::uint64_t Bit(NodeId v) { return std::uint64_t{1} << v; }

}  // namespace

SmallSearch::Outcome SmallSearch::Run(const Reduction& r, StopWatch& stop)
{
    const NodeId n = r.NodeCount();
    m_nodes = n;
    m_branches = 0;
    m_stop = &stop;
    m_stopped = false;
    NodeId start = 0;
    for (NodeId v = 0; v < n; ++v) {
        m_adj[v] = 0;
        m_forced[v] = 0;
        for (NodeId w : r.Neighbors(v)) {
            m_adj[v] |= Bit(w);
            if (r.IsForced(v, w)) m_forced[v] |= Bit(w);
        }
        if (r.Degree(v) < r.Degree(start)) start = v;
    }
    m_start = start;
    m_path[0] = start;
    const std::uint64_t all = n == 64 ? ~std::uint64_t{0} : Bit(n) - 1;
    const std::uint64_t unvisited = all & ~Bit(start);
    // The cycle is searched in one direction only: the node closing it must
    // come after the first step in node order. A forced partner of the
    // start that is not the first step must be the one that closes.
    const std::uint64_t forced = m_forced[start];
    std::uint64_t firsts = m_adj[start];
    if (std::popcount(forced) == 2) firsts = forced & (~forced + 1);
    for (; firsts != 0; firsts &= firsts - 1) {
        const auto x = static_cast<NodeId>(std::countr_zero(firsts));
        std::uint64_t closers = m_adj[start] & ~(Bit(x) | (Bit(x) - 1));
        if ((forced & ~Bit(x)) != 0) closers &= forced & ~Bit(x);
        if (closers == 0) continue;
        if (Arrive(start, x, unvisited, closers, 1)) return Outcome::Found;
        if (m_stopped) return Outcome::Stopped;
    }
    return Outcome::None;
}

// x joins the path after 'from' at position depth.
bool SmallSearch::Arrive(NodeId from, NodeId x, std::uint64_t unvisited, std::uint64_t closers, int depth)
{
    if (++m_branches > m_branchLimit || m_stop->Stopped()) {
        m_stopped = true;
        return false;
    }
    m_path[static_cast<std::size_t>(depth)] = x;
    unvisited &= ~Bit(x);
    if (unvisited == 0)
        return (closers & Bit(x)) != 0 && (m_forced[x] & ~(Bit(from) | Bit(m_start))) == 0;
    // A forced edge of x must be the one it came by or lead further on.
    if ((m_forced[x] & ~(unvisited | Bit(from))) != 0) return false;
    closers &= ~Bit(x);
    if (closers == 0) return false;
    return Extend(x, unvisited, closers, depth + 1);
}

// Chooses the node after 'head'. Before branching it checks that every
// unvisited node still has two usable neighbours, that at most one of them
// depends on the head (and one on the start) to get its second, and that
// the unvisited nodes hang together.
bool SmallSearch::Extend(NodeId head, std::uint64_t unvisited, std::uint64_t closers, int depth)
{
    const NodeId start = m_start;
    const std::uint64_t open = unvisited | Bit(head);
    std::uint64_t needHead = 0, needStart = 0;
    std::uint8_t options[kMaxNodes];
    for (std::uint64_t rest = unvisited; rest != 0; rest &= rest - 1) {
        const auto w = static_cast<NodeId>(std::countr_zero(rest));
        const std::uint64_t usable = m_adj[w] & (open | ((closers & Bit(w)) != 0 ? Bit(start) : 0));
        const int count = std::popcount(usable);
        if (count < 2) return false;
        options[w] = static_cast<std::uint8_t>(count);
        if (count == 2) {
            if (usable & Bit(head)) needHead |= Bit(w);
            if (usable & Bit(start)) needStart |= Bit(w);
        }
    }
    if (std::popcount(needHead) > 1 || std::popcount(needStart) > 1) return false;
    if (needStart != 0) closers &= needStart;
    if (closers == 0) return false;
    std::uint64_t candidates = m_adj[head] & unvisited;
    if (needHead != 0) candidates &= needHead;
    if (const std::uint64_t f = m_forced[head] & unvisited; f != 0) {
        if (std::popcount(f) > 1) return false;
        candidates &= f;
    }
    if (candidates == 0) return false;

    std::uint64_t seen = unvisited & (~unvisited + 1), frontier = seen;
    while (frontier != 0) {
        const auto v = static_cast<NodeId>(std::countr_zero(frontier));
        frontier &= frontier - 1;
        const std::uint64_t fresh = m_adj[v] & unvisited & ~seen;
        seen |= fresh;
        frontier |= fresh;
    }
    if (seen != unvisited) return false;

    // Fewest remaining options first: those nodes are the likeliest to be
    // stranded later.
    NodeId order[kMaxNodes];
    int k = 0;
    for (; candidates != 0; candidates &= candidates - 1) {
        const auto x = static_cast<NodeId>(std::countr_zero(candidates));
        int i = k++;
        while (i > 0 && options[order[i - 1]] > options[x]) {
            order[i] = order[i - 1];
            --i;
        }
        order[i] = x;
    }
    for (int i = 0; i < k; ++i) {
        if (Arrive(head, order[i], unvisited, closers, depth)) return true;
        if (m_stopped) return false;
    }
    return false;
}

}  // namespace hcp
