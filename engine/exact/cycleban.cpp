#include "exact/cycleban.h"

#include <cadical.hpp>

#include <initializer_list>
#include <stdexcept>

#include "exact/satclauses.h"

namespace hcp {

std::uint64_t AddCycleBan(CaDiCaL::Solver& s, const WorkGraph& w, std::span<const NodeId> region,
                          const std::vector<std::uint32_t>& mark, std::uint32_t stamp, std::uint32_t through,
                          const std::function<EdgeChosen(std::uint32_t e)>& chosen, int& next)
{
    std::uint64_t clauses = 0;
    auto clause = [&](std::initializer_list<int> lits) {
        AddClause(s, lits);
        ++clauses;
    };
    const auto [a, b] = w.EdgeAt(through);
    // Outside the region an end has no bit, and its clause would be empty:
    // the solver would answer that no cover is left.
    if (mark[a] != stamp || mark[b] != stamp) throw std::logic_error("exact: a cycle ban through an edge outside its region");
    std::vector<int> reached(w.NodeCount(), 0);
    for (NodeId v : region) reached[v] = next++;
    clause({reached[a]});
    for (NodeId u : region) {
        const auto nbrs = w.Neighbors(u);
        const auto ids = w.EdgeIds(u);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const NodeId v = nbrs[i];
            if (mark[v] != stamp || ids[i] == through) continue;
            // Each edge once, from its lower end; carried both ways.
            if (v < u) continue;
            const EdgeChosen c = chosen(ids[i]);
            for (int lit : {c.first, c.second}) {
                if (lit == 0) continue;
                clause({-lit, -reached[u], reached[v]});
                clause({-lit, -reached[v], reached[u]});
            }
        }
    }
    const EdgeChosen c = chosen(through);
    for (int lit : {c.first, c.second})
        if (lit != 0) clause({-lit, -reached[b]});
    // A decision that sets a bit only forbids more: it stays false until a
    // chosen edge carries it.
    for (NodeId v : region) s.phase(-reached[v]);
    return clauses;
}

}  // namespace hcp
