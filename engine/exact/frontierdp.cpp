#include "exact/frontierdp.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace hcp {

namespace {

constexpr std::uint32_t kNone = ~std::uint32_t{0};

std::uint64_t Hash(const std::uint8_t* p, std::uint32_t size)
{
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
    return h ^ (h >> 29);
}

}  // namespace

std::uint32_t FrontierDp::Plan(const WorkGraph& w)
{
    const NodeId n = w.NodeCount();
    m_graph = &w;
    m_events.clear();
    m_map.clear();
    m_width = 0;
    if (n < 3) return 0;
    // The order grows one connected set: next comes the candidate (a node
    // next to the set) that leaves the fewest open nodes, then the one with
    // the most neighbours in the set, then the one found first, which on a
    // ring of small pieces walks round the ring with a front of constant
    // width.
    std::vector<std::uint32_t> pos(n, kNone);
    std::vector<std::uint32_t> unseen(n);
    for (NodeId v = 0; v < n; ++v) unseen[v] = w.Degree(v);
    std::vector<std::uint32_t> found(n, kNone);
    std::vector<NodeId> candidates;
    NodeId start = 0;
    for (NodeId v = 1; v < n; ++v)
        if (w.Degree(v) < w.Degree(start)) start = v;
    std::uint32_t discovered = 0;
    found[start] = discovered++;
    candidates.push_back(start);
    auto score = [&](NodeId x) {
        // Open nodes after x joins: +1 for x unless all its neighbours are
        // in, -1 for each open neighbour whose last unseen neighbour is x.
        std::int64_t delta = unseen[x] > 0 ? 1 : 0;
        std::int64_t inSet = 0;
        for (NodeId y : w.Neighbors(x))
            if (pos[y] != kNone) {
                ++inSet;
                if (unseen[y] == 1) --delta;
            }
        return std::make_tuple(delta, -inSet, found[x]);
    };
    std::vector<std::uint32_t> remaining(n), forcedLeft(n, 0);
    for (NodeId v = 0; v < n; ++v) {
        remaining[v] = w.Degree(v);
        for (std::uint32_t e : w.EdgeIds(v)) forcedLeft[v] += w.Forced(e) ? 1 : 0;
    }
    // The open nodes in slot order, and each node's slot.
    std::vector<NodeId> open;
    std::vector<std::uint32_t> slot(n, kNone);
    // Layouts before each event, flat; an event's map is filled in when the
    // next layout is known.
    std::vector<std::uint32_t> layoutStart;
    std::vector<NodeId> layouts;
    std::vector<std::uint8_t> leaving;   // per event: which slots leave (bit 0: u, bit 1: v)

    std::uint32_t order = 0;
    std::vector<NodeId> back;
    while (!candidates.empty()) {
        std::size_t best = 0;
        auto bestScore = score(candidates[0]);
        for (std::size_t c = 1; c < candidates.size(); ++c) {
            const auto sc = score(candidates[c]);
            if (sc < bestScore) {
                bestScore = sc;
                best = c;
            }
        }
        const NodeId v = candidates[best];
        candidates[best] = candidates.back();
        candidates.pop_back();
        pos[v] = order++;
        slot[v] = static_cast<std::uint32_t>(open.size());
        open.push_back(v);
        m_width = std::max<std::uint32_t>(m_width, static_cast<std::uint32_t>(open.size()));
        if (m_width > kMaxWidth) return m_width;
        back.clear();
        for (NodeId u : w.Neighbors(v)) {
            --unseen[u];
            if (pos[u] != kNone) {
                back.push_back(u);
                continue;
            }
            if (found[u] == kNone) {
                found[u] = discovered++;
                candidates.push_back(u);
            }
        }
        std::sort(back.begin(), back.end(), [&](NodeId a, NodeId b) { return pos[a] < pos[b]; });
        for (NodeId u : back) {
            Event ev{};
            ev.edge = w.Find(u, v);
            ev.slotU = static_cast<std::uint8_t>(slot[u]);
            ev.slotV = static_cast<std::uint8_t>(slot[v]);
            ev.width = static_cast<std::uint32_t>(open.size());
            const bool forced = w.Forced(ev.edge);
            ev.remainingU = --remaining[u];
            ev.remainingV = --remaining[v];
            ev.forcedLeftU = forcedLeft[u] -= forced ? 1 : 0;
            ev.forcedLeftV = forcedLeft[v] -= forced ? 1 : 0;
            ev.lastU = ev.remainingU == 0;
            ev.lastV = ev.remainingV == 0;
            ev.everyNodeSeen = order == n;
            layoutStart.push_back(static_cast<std::uint32_t>(layouts.size()));
            layouts.insert(layouts.end(), open.begin(), open.end());
            m_events.push_back(ev);
            // Leaving nodes go from the open list now; the map is built below.
            for (NodeId x : {u, v})
                if (remaining[x] == 0) {
                    open.erase(open.begin() + slot[x]);
                    slot[x] = kNone;
                    for (std::uint32_t i = 0; i < open.size(); ++i) slot[open[i]] = i;
                }
        }
    }
    if (order < n) return m_width = kMaxWidth + 1;   // not connected: left to the proofs
    // Maps: event k's layout to event k+1's (the last event maps to nothing).
    std::vector<std::uint32_t> at(n, kNone);
    for (std::size_t k = 0; k < m_events.size(); ++k) {
        Event& ev = m_events[k];
        ev.mapStart = static_cast<std::uint32_t>(m_map.size());
        const bool last = k + 1 == m_events.size();
        ev.nextWidth = last ? 0 : m_events[k + 1].width;
        if (!last)
            for (std::uint32_t i = 0; i < ev.nextWidth; ++i) at[layouts[layoutStart[k + 1] + i]] = i;
        for (std::uint32_t i = 0; i < ev.width; ++i) {
            const NodeId x = layouts[layoutStart[k] + i];
            m_map.push_back(last || at[x] == kNone ? kFree : static_cast<std::uint8_t>(at[x]));
        }
        if (!last)
            for (std::uint32_t i = 0; i < ev.nextWidth; ++i) at[layouts[layoutStart[k + 1] + i]] = kNone;
    }
    return m_width;
}

FrontierDp::Outcome FrontierDp::Run(const WorkGraph& w, StopWatch& stop, std::uint64_t stateLimit)
{
    m_cycle.clear();
    m_states = 0;
    m_graph = &w;
    if (m_width > kMaxWidth || m_events.empty()) return Outcome::TooLarge;
    m_layers.assign(1, Layer{});
    m_layers[0].bytes.assign(m_events[0].width, kFree);
    m_layers[0].parent.push_back(kNone);
    m_layers[0].took.push_back(0);
    m_states = 1;
    std::uint8_t t[256];
    std::uint8_t mapped[256];
    for (std::size_t k = 0; k < m_events.size(); ++k) {
        const Event& ev = m_events[k];
        const Layer& from = m_layers[k];
        Layer to;
        const std::size_t count = from.parent.size();
        std::size_t tableSize = 64;
        while (tableSize < 4 * count) tableSize *= 2;
        m_table.assign(tableSize, kNone);
        const bool forced = w.Forced(ev.edge);
        const std::uint8_t* map = m_map.data() + ev.mapStart;
        const std::uint32_t a = ev.slotU, b = ev.slotV;
        auto degree = [](std::uint8_t x, std::uint32_t self) -> std::uint32_t {
            return x == kFree ? 0 : x == kDone ? 2 : (x == self ? 0 : 1);
        };
        for (std::size_t s = 0; s < count; ++s) {
            if (stop.Stopped()) return Outcome::Stopped;
            const std::uint8_t* st = from.bytes.data() + s * ev.width;
            for (int take = 0; take < 2; ++take) {
                if (!take && forced) continue;
                std::memcpy(t, st, ev.width);
                if (take) {
                    if (t[a] == kDone || t[b] == kDone) continue;
                    if (t[a] != kFree && t[a] == b) {
                        // Closing a path into a cycle: only the last one.
                        if (!ev.everyNodeSeen) continue;
                        bool all = true;
                        for (std::uint32_t i = 0; i < ev.width && all; ++i)
                            all = i == a || i == b || t[i] == kDone;
                        if (!all) continue;
                        Trace(k, static_cast<std::uint32_t>(s));
                        return Outcome::Found;
                    }
                    const std::uint32_t endA = t[a] == kFree ? a : t[a];
                    const std::uint32_t endB = t[b] == kFree ? b : t[b];
                    t[a] = t[a] == kFree ? t[a] : kDone;
                    t[b] = t[b] == kFree ? t[b] : kDone;
                    if (t[a] == kFree) t[a] = static_cast<std::uint8_t>(endB);
                    if (t[b] == kFree) t[b] = static_cast<std::uint8_t>(endA);
                    t[endA] = static_cast<std::uint8_t>(endB);
                    t[endB] = static_cast<std::uint8_t>(endA);
                    if (t[a] == kDone && ev.forcedLeftU > 0) continue;
                    if (t[b] == kDone && ev.forcedLeftV > 0) continue;
                }
                if (degree(t[a], a) + ev.remainingU < 2 || degree(t[b], b) + ev.remainingV < 2) continue;
                if (k + 1 == m_events.size()) continue;
                // Into the next layout: places renumbered, new nodes free.
                std::memset(mapped, kFree, ev.nextWidth);
                for (std::uint32_t i = 0; i < ev.width; ++i) {
                    if (map[i] == kFree) continue;
                    const std::uint8_t x = t[i];
                    mapped[map[i]] = x == kFree || x == kDone ? x : map[x];
                }
                const std::uint64_t h = Hash(mapped, ev.nextWidth);
                std::size_t p = h & (tableSize - 1);
                bool fresh = true;
                while (m_table[p] != kNone) {
                    if (std::memcmp(to.bytes.data() + std::size_t{m_table[p]} * ev.nextWidth, mapped, ev.nextWidth) == 0) {
                        fresh = false;
                        break;
                    }
                    p = (p + 1) & (tableSize - 1);
                }
                if (!fresh) continue;
                if (++m_states > stateLimit) return Outcome::TooLarge;
                const auto index = static_cast<std::uint32_t>(to.parent.size());
                to.bytes.insert(to.bytes.end(), mapped, mapped + ev.nextWidth);
                to.parent.push_back(static_cast<std::uint32_t>(s));
                to.took.push_back(static_cast<std::uint8_t>(take));
                m_table[p] = index;
                if (4 * to.parent.size() > tableSize) {
                    // Grow and re-insert.
                    tableSize *= 2;
                    m_table.assign(tableSize, kNone);
                    for (std::uint32_t i = 0; i < to.parent.size(); ++i) {
                        std::size_t q = Hash(to.bytes.data() + std::size_t{i} * ev.nextWidth, ev.nextWidth) & (tableSize - 1);
                        while (m_table[q] != kNone) q = (q + 1) & (tableSize - 1);
                        m_table[q] = i;
                    }
                }
            }
        }
        if (to.parent.empty()) return Outcome::None;
        m_layers.push_back(std::move(to));
    }
    return Outcome::None;
}

// The cycle's edges are the closing edge and every edge a state on the
// way took; walking them from any node gives the order.
void FrontierDp::Trace(std::size_t event, std::uint32_t state)
{
    const WorkGraph& w = *m_graph;
    const NodeId n = w.NodeCount();
    std::vector<NodeId> partner(2 * static_cast<std::size_t>(n), n);
    auto add = [&](std::uint32_t e) {
        const Edge& edge = w.EdgeAt(e);
        for (auto [x, y] : {std::pair{edge.first, edge.second}, std::pair{edge.second, edge.first}})
            partner[2 * x + (partner[2 * x] == n ? 0 : 1)] = y;
    };
    add(m_events[event].edge);
    for (std::size_t k = event; k > 0; --k) {
        if (m_layers[k].took[state]) add(m_events[k - 1].edge);
        state = m_layers[k].parent[state];
    }
    m_cycle.clear();
    NodeId prev = n, v = 0;
    for (NodeId i = 0; i < n; ++i) {
        m_cycle.push_back(v);
        const NodeId next = partner[2 * v] != prev ? partner[2 * v] : partner[2 * v + 1];
        prev = v;
        v = next;
    }
}

}  // namespace hcp
