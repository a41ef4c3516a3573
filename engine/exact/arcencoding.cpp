// The arc model: literal 2e+1 is edge e = (u, v), u < v, used from u to v
// and 2e+2 from v to u. Every node has exactly one arc out and one in, and
// no edge is used both ways.
#include <cadical.hpp>

#include "exact/coverencoding.h"
#include "exact/cycleban.h"
#include "exact/regionorder.h"
#include "exact/satclauses.h"

namespace hcp {

namespace {

class ArcEncoding final : public CoverEncoding {
public:
    explicit ArcEncoding(const WorkGraph& w) : m_w(w), m_next(static_cast<int>(2 * w.EdgeCount()) + 1) {}

    bool Encode(CaDiCaL::Solver& s, const std::stop_token& stop) override
    {
        const NodeId n = m_w.NodeCount();
        for (std::uint32_t e = 0; e < m_w.EdgeCount(); ++e) {
            const int a = static_cast<int>(2 * e + 1), b = a + 1;
            AddClause(s, {-a, -b});
            if (m_w.Forced(e)) AddClause(s, {a, b});
        }
        std::vector<int> outs, ins;
        for (NodeId v = 0; v < n; ++v) {
            if ((v & 1023) == 0 && stop.stop_requested()) return false;
            outs.clear();
            ins.clear();
            const auto nbrs = m_w.Neighbors(v);
            const auto ids = m_w.EdgeIds(v);
            for (std::size_t i = 0; i < ids.size(); ++i) {
                outs.push_back(Arc(ids[i], v));
                ins.push_back(Arc(ids[i], nbrs[i]));
            }
            ExactlyOne(s, outs);
            ExactlyOne(s, ins);
        }
        BreakDirection(s);
        return true;
    }

    std::vector<int> Seed(CaDiCaL::Solver& s, std::span<const NodeId> order) override
    {
        // Turned so that it agrees with BreakDirection at the pivot.
        std::vector<int> seeded;
        const auto n = static_cast<NodeId>(order.size());
        NodeId p = 0;
        while (p < n && order[p] != m_pivot) ++p;
        if (p == n) return seeded;
        const bool reverse = order[(p + 1) % n] > order[(p + n - 1) % n];
        for (NodeId i = 0; i < n; ++i) {
            NodeId u = order[i], v = order[(i + 1) % n];
            if (reverse) std::swap(u, v);
            const std::uint32_t e = m_w.Find(u, v);
            if (e != WorkGraph::kNoEdge) {
                s.phase(Arc(e, u));
                seeded.push_back(Arc(e, u));
            }
        }
        return seeded;
    }

    void ReadCover(CaDiCaL::Solver& s, std::vector<NodeId>& succ) override
    {
        for (NodeId v = 0; v < m_w.NodeCount(); ++v) {
            const auto nbrs = m_w.Neighbors(v);
            const auto ids = m_w.EdgeIds(v);
            for (std::size_t i = 0; i < ids.size(); ++i)
                if (s.val(Arc(ids[i], v)) > 0) {
                    succ[v] = nbrs[i];
                    break;
                }
        }
    }

    // Some arc must leave the set, and some arc must enter it.
    std::uint64_t AddCut(CaDiCaL::Solver& s, std::span<const NodeId> set, const std::vector<std::uint32_t>& mark,
                         std::uint32_t stamp) override
    {
        for (int dir = 0; dir < 2; ++dir) {
            for (NodeId u : set) {
                const auto nbrs = m_w.Neighbors(u);
                const auto ids = m_w.EdgeIds(u);
                for (std::size_t i = 0; i < nbrs.size(); ++i)
                    if (mark[nbrs[i]] != stamp) s.add(dir == 0 ? Arc(ids[i], u) : Arc(ids[i], nbrs[i]));
            }
            s.add(0);
        }
        return 2;
    }

    std::uint64_t AddRegion(CaDiCaL::Solver& s, std::span<const NodeId> region, const std::vector<std::uint32_t>& mark,
                            std::uint32_t stamp) override
    {
        int next = s.vars() + 1;
        std::uint64_t clauses = 0;
        AddNumbering(
            s, m_w, region, mark, stamp, [&](std::uint32_t e, NodeId from) { return ArcCondition{Arc(e, from), 0}; },
            next, clauses);
        return clauses;
    }

    std::uint64_t AddCycleBan(CaDiCaL::Solver& s, std::span<const NodeId> region,
                              const std::vector<std::uint32_t>& mark, std::uint32_t stamp,
                              std::uint32_t through) override
    {
        int next = s.vars() + 1;
        return hcp::AddCycleBan(
            s, m_w, region, mark, stamp, through,
            [](std::uint32_t e) { return EdgeChosen{static_cast<int>(2 * e + 1), static_cast<int>(2 * e + 2)}; }, next);
    }

private:
    int Arc(std::uint32_t e, NodeId from) const
    {
        return static_cast<int>(2 * e + (m_w.EdgeAt(e).first == from ? 1 : 2));
    }

    void ExactlyOne(CaDiCaL::Solver& s, const std::vector<int>& lits) { AddExactlyOne(s, lits, m_next); }

    // Which way round the cycle runs is a free choice that doubles the
    // search; at one node of least degree the successor must come before
    // the predecessor in neighbour order.
    void BreakDirection(CaDiCaL::Solver& s)
    {
        m_pivot = 0;
        for (NodeId v = 1; v < m_w.NodeCount(); ++v)
            if (m_w.Degree(v) < m_w.Degree(m_pivot)) m_pivot = v;
        const auto ids = m_w.EdgeIds(m_pivot);
        const auto nbrs = m_w.Neighbors(m_pivot);
        if (ids.size() > 64) return;
        for (std::size_t i = 0; i < ids.size(); ++i)
            for (std::size_t j = i + 1; j < ids.size(); ++j)
                AddClause(s, {-Arc(ids[j], m_pivot), -Arc(ids[i], nbrs[i])});
    }

    const WorkGraph& m_w;
    int m_next;
    NodeId m_pivot = 0;
};

}  // namespace

std::unique_ptr<CoverEncoding> MakeArcEncoding(const WorkGraph& w);
std::unique_ptr<CoverEncoding> MakeArcEncoding(const WorkGraph& w)
{
    return std::make_unique<ArcEncoding>(w);
}

}  // namespace hcp
