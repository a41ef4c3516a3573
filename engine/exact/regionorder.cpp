#include "exact/regionorder.h"

#include <cadical.hpp>

#include <initializer_list>

namespace hcp {

namespace {

// A clause under the arc's condition: the condition's literals negated,
// then lits.
void Under(CaDiCaL::Solver& s, ArcCondition c, std::initializer_list<int> lits)
{
    s.add(-c.first);
    if (c.second != 0) s.add(-c.second);
    for (int l : lits) s.add(l);
    s.add(0);
}

}  // namespace

bool AddNumbering(CaDiCaL::Solver& s, const WorkGraph& w, std::span<const NodeId> nodes,
                  const std::vector<std::uint32_t>& mark, std::uint32_t stamp,
                  const std::function<ArcCondition(std::uint32_t e, NodeId from)>& arc, int& next,
                  std::uint64_t& clauses, NodeId root, const std::stop_token& stop)
{
    if (root == kNoRoot && nodes.size() < 3) return true;
    int bits = 1;
    while ((std::size_t{1} << bits) < nodes.size()) ++bits;
    // A node's position bits at base + i (i < bits), and Carry(v, i) = "the
    // low i bits are all ones" at the next bits slots (1 <= i <= bits).
    std::vector<int> base(w.NodeCount(), 0);
    for (NodeId v : nodes) {
        base[v] = next;
        next += 2 * bits;
    }
    auto position = [&](NodeId v, int i) { return base[v] + i; };
    auto carry = [&](NodeId v, int i) { return base[v] + bits + i - 1; };
    auto clause = [&](std::initializer_list<int> lits) {
        for (int l : lits) s.add(l);
        s.add(0);
        ++clauses;
    };
    if (root != kNoRoot)
        for (int i = 0; i < bits; ++i) clause({-position(root, i)});
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        if ((k & 1023) == 0 && stop.stop_requested()) return false;
        const NodeId v = nodes[k];
        clause({-carry(v, 1), position(v, 0)});
        clause({carry(v, 1), -position(v, 0)});
        for (int i = 1; i < bits; ++i) {
            clause({-carry(v, i + 1), carry(v, i)});
            clause({-carry(v, i + 1), position(v, i)});
            clause({carry(v, i + 1), -carry(v, i), -position(v, i)});
        }
    }
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        if ((k & 1023) == 0 && stop.stop_requested()) return false;
        const NodeId u = nodes[k];
        const auto nbrs = w.Neighbors(u);
        const auto ids = w.EdgeIds(u);
        for (std::size_t j = 0; j < ids.size(); ++j) {
            const NodeId v = nbrs[j];
            if (mark[v] != stamp || v == root) continue;
            const ArcCondition c = arc(ids[j], u);
            // position(v) = position(u) + 1, bit by bit, with no overflow.
            Under(s, c, {position(v, 0), position(u, 0)});
            Under(s, c, {-position(v, 0), -position(u, 0)});
            for (int i = 1; i < bits; ++i) {
                const int pv = position(v, i), pu = position(u, i), cu = carry(u, i);
                Under(s, c, {-pv, pu, cu});
                Under(s, c, {pv, -pu, cu});
                Under(s, c, {pv, pu, -cu});
                Under(s, c, {-pv, -pu, -cu});
            }
            Under(s, c, {-carry(u, bits)});
            clauses += 4 * static_cast<std::uint64_t>(bits) - 1;
        }
    }
    return true;
}

}  // namespace hcp
