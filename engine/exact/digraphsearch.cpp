#include "exact/digraphsearch.h"

#include <cadical.hpp>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "core/cyclecheck.h"
#include "exact/arcstructure.h"
#include "exact/digraphproofs.h"
#include "exact/satclauses.h"

namespace hcp {

namespace {

constexpr NodeId kSubsetLimit = 20;
constexpr NodeId kNone = ~NodeId{0};
// Bytes CaDiCaL takes per arc of a digraph model, about what the
// undirected arc model takes per edge direction.
constexpr std::uint64_t kBytesPerArc = 1200;

std::string Num(NodeId v) { return std::to_string(std::uint64_t{v} + 1); }

// The digraph in which a fixed arc u -> v is u's only arc out and v's only
// arc in; its Hamiltonian cycles are those of d that use every fixed arc.
// Empty reason: narrowed; else why no cycle can use all the fixed arcs.
std::string Narrow(const Graph& d, Graph& out)
{
    const NodeId n = d.NodeCount();
    std::vector<NodeId> next(n, kNone), prev(n, kNone);
    for (const Edge& a : d.FixedEdges()) {
        if (next[a.first] != kNone) return "node " + Num(a.first) + " has two fixed arcs out";
        if (prev[a.second] != kNone) return "node " + Num(a.second) + " has two fixed arcs in";
        next[a.first] = a.second;
        prev[a.second] = a.first;
    }
    std::vector<Edge> arcs;
    arcs.reserve(d.EdgeCount());
    for (NodeId u = 0; u < n; ++u)
        for (NodeId v : d.Neighbors(u))
            if ((next[u] == kNone || next[u] == v) && (prev[v] == kNone || prev[v] == u))
                arcs.emplace_back(u, v);
    out = Graph::FromArcs(n, arcs);
    return {};
}

// Held and Karp over subsets that hold node 0: ends[mask] is the set of
// nodes at which a path from node 0 through exactly the nodes of mask can
// end. O(2^N N) words.
std::vector<NodeId> SubsetProgramme(const Graph& d, const std::stop_token& stop, bool& stopped)
{
    const NodeId n = d.NodeCount();
    std::vector<std::uint32_t> pred(n, 0);
    for (NodeId v = 0; v < n; ++v)
        for (NodeId u : d.InNeighbors(v)) pred[v] |= 1u << u;
    const std::uint32_t full = (n == 32 ? ~0u : (1u << n) - 1);
    std::vector<std::uint32_t> ends(std::size_t{1} << n, 0);
    ends[1] = 1;
    for (std::uint32_t mask = 1; mask <= full; mask += 2) {
        if ((mask & 0xFFFF) == 1 && stop.stop_requested()) {
            stopped = true;
            return {};
        }
        if (ends[mask] == 0) continue;
        for (NodeId v = 1; v < n; ++v) {
            const std::uint32_t bit = 1u << v;
            if ((mask & bit) == 0 && (pred[v] & ends[mask]) != 0) ends[mask | bit] |= bit;
        }
    }
    std::uint32_t mask = full;
    std::uint32_t closing = 0;
    for (NodeId v = 0; v < n; ++v)
        if (d.HasEdge(v, 0)) closing |= 1u << v;
    std::uint32_t last = ends[full] & closing;
    if (last == 0) return {};
    std::vector<NodeId> order;
    NodeId v = static_cast<NodeId>(__builtin_ctz(last));
    while (true) {
        order.push_back(v);
        if (v == 0) break;
        mask &= ~(1u << v);
        const std::uint32_t before = ends[mask] & pred[v];
        v = static_cast<NodeId>(__builtin_ctz(before));
    }
    std::reverse(order.begin(), order.end());
    return order;
}

SolveResult SatCycle(const Graph& d, const SolveOptions& options)
{
    SolveResult r;
    const NodeId n = d.NodeCount();
    const std::size_t m = d.EdgeCount();
    std::uint64_t memory = options.memoryBudget;
    if (memory == 0) {
        const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
        memory = std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max(0L, pages)) * std::max(0L, size) / 2,
                                         std::uint64_t{2} << 30);
    }
    memory /= static_cast<std::uint64_t>(std::max(1, options.memoryShares));
    if (kBytesPerArc * m > memory || 3 * m + 16 > static_cast<std::size_t>(INT_MAX)) {
        r.reason = "the SAT model would need about " + std::to_string(kBytesPerArc * m / 1048576)
                   + " MB, more than the memory budget";
        return r;
    }
    // Literal k + 1 is the arc at position k of the successor rows.
    const auto offsets = d.Offsets();
    auto arc = [&](NodeId u, std::size_t i) { return static_cast<int>(offsets[u] + i + 1); };
    auto arcTo = [&](NodeId u, NodeId v) {
        const auto row = d.Neighbors(u);
        const auto it = std::lower_bound(row.begin(), row.end(), v);
        return arc(u, static_cast<std::size_t>(it - row.begin()));
    };
    CaDiCaL::Solver s;
    s.set("quiet", 1);
    s.set("seed", static_cast<int>((options.seed - 1) & 0x7fffffff));
    StopTerminator terminator(options.stop);
    s.connect_terminator(&terminator);
    int next = static_cast<int>(m) + 1;
    std::vector<int> lits;
    for (NodeId u = 0; u < n; ++u) {
        lits.clear();
        for (std::size_t i = 0; i < d.Degree(u); ++i) lits.push_back(arc(u, i));
        AddExactlyOne(s, lits, next);
        lits.clear();
        for (NodeId w : d.InNeighbors(u)) lits.push_back(arcTo(w, u));
        AddExactlyOne(s, lits, next);
        if (n > 2)
            for (NodeId v : d.Neighbors(u))
                if (u < v && d.HasEdge(v, u)) AddClause(s, {-arcTo(u, v), -arcTo(v, u)});
    }
    // Phases: every variable false (CaDiCaL's default, true, sets a
    // counter's "one seen" and so rules out the rest of its row), then the
    // links of a starting order, or else a cover of arcs with distinct
    // heads, true: the first call starts from a cover.
    for (int v = 1; v < next; ++v) s.phase(-v);
    if (options.startOrder.size() == n) {
        for (NodeId i = 0; i < n; ++i) {
            const NodeId u = options.startOrder[i], v = options.startOrder[(i + 1) % n];
            if (u < n && v < n && d.HasEdge(u, v)) s.phase(arcTo(u, v));
        }
    } else {
        const ArcMatching cover = MatchArcs(d);
        for (NodeId u = 0; u < n; ++u)
            if (cover.head[u] != kUnmatched) s.phase(arcTo(u, cover.head[u]));
    }
    std::vector<NodeId> succ(n), mark(n, 0), cycle;
    NodeId stamp = 0;
    for (;;) {
        if (options.stop.stop_requested()) return r;
        const int status = s.solve();
        ++r.stats.satCalls;
        if (status == 20) {
            r.verdict = Verdict::NoCycle;
            r.reason = "the complete search found no cycle (SAT on arcs, " + std::to_string(r.stats.satCalls)
                       + " calls)";
            return r;
        }
        if (status != 10) return r;   // stopped
        for (NodeId u = 0; u < n; ++u)
            for (std::size_t i = 0; i < d.Degree(u); ++i)
                if (s.val(arc(u, i)) > 0) {
                    succ[u] = d.Neighbors(u)[i];
                    break;
                }
        // Split the cover into its cycles; cut each when there are several.
        std::vector<std::vector<NodeId>> cycles;
        std::vector<bool> seen(n, false);
        for (NodeId start = 0; start < n; ++start) {
            if (seen[start]) continue;
            cycle.clear();
            for (NodeId v = start; !seen[v]; v = succ[v]) {
                seen[v] = true;
                cycle.push_back(v);
            }
            cycles.push_back(cycle);
        }
        if (cycles.size() == 1) {
            r.verdict = Verdict::Hamiltonian;
            r.order = std::move(cycles[0]);
            return r;
        }
        for (const auto& c : cycles) {
            ++stamp;
            for (NodeId v : c) mark[v] = stamp;
            for (NodeId u : c)
                for (std::size_t i = 0; i < d.Degree(u); ++i)
                    if (mark[d.Neighbors(u)[i]] != stamp) s.add(arc(u, i));
            s.add(0);
            for (NodeId v : c)
                for (NodeId w : d.InNeighbors(v))
                    if (mark[w] != stamp) s.add(arcTo(w, v));
            s.add(0);
            r.stats.clausesAdded += 2;
        }
        if (r.order.empty() || cycles.size() < static_cast<std::size_t>(r.gaps)) {
            r.order.clear();
            for (const auto& c : cycles) r.order.insert(r.order.end(), c.begin(), c.end());
            r.gaps = static_cast<int>(cycles.size());
        }
    }
}

}  // namespace

SolveResult RunDigraphSearch(const Graph& d, const SolveOptions& options, DigraphEngine engine)
{
    SolveResult r;
    r.method = "exact";
    r.seed = options.seed;
    if (std::string why = ProveNoDirectedCycle(d); !why.empty()) {
        r.verdict = Verdict::NoCycle;
        r.reason = std::move(why);
        return r;
    }
    Graph narrow;
    if (std::string why = Narrow(d, narrow); !why.empty()) {
        r.verdict = Verdict::NoCycle;
        r.reason = std::move(why);
        return r;
    }
    if (!d.FixedEdges().empty())
        if (std::string why = ProveNoDirectedCycle(narrow); !why.empty()) {
            r.verdict = Verdict::NoCycle;
            r.reason = why + " once each fixed arc is its tail's only arc out and its head's only arc in";
            return r;
        }
    const NodeId n = d.NodeCount();
    const bool subsets = engine == DigraphEngine::DynamicProgramme
                         || (engine == DigraphEngine::Auto && n <= kSubsetLimit);
    if (subsets && n <= kSubsetLimit) {
        bool stopped = false;
        r.order = SubsetProgramme(narrow, options.stop, stopped);
        if (stopped) return r;
        if (r.order.empty()) {
            r.verdict = Verdict::NoCycle;
            r.reason = "no path through every node closes into a cycle (dynamic programme over node subsets)";
        } else {
            r.verdict = Verdict::Hamiltonian;
        }
    } else {
        SolveResult s = SatCycle(narrow, options);
        s.method = r.method;
        s.seed = r.seed;
        r = std::move(s);
    }
    if (r.verdict == Verdict::Hamiltonian && !CheckCycle(d, r.order).hamiltonian)
        throw std::logic_error("exact: the digraph search built an order that is not a cycle of the graph");
    if (r.verdict != Verdict::Hamiltonian) r.gaps = r.order.empty() ? -1 : CheckCycle(d, r.order).gaps;
    return r;
}

}  // namespace hcp
