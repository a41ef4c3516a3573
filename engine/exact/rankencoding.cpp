// The rank model: the arc model plus a position for every node, in binary,
// that each arc increases by one except the arcs into a root node. A set
// of disjoint cycles cannot number itself that way unless it is a single
// cycle through the root, so every model the solver finds is a
// Hamiltonian cycle and no cut is ever needed: UNSAT proves there is none.
// It costs 4 clauses per arc and bit, O(E log N) in all, and pays where
// covers are many and cycles none, so the cut loop never runs out of
// covers to cut.
#include <cadical.hpp>

#include <memory>

#include "exact/coverencoding.h"
#include "exact/regionorder.h"

namespace hcp {

std::unique_ptr<CoverEncoding> MakeArcEncoding(const WorkGraph& w);

namespace {

class RankEncoding final : public CoverEncoding {
public:
    explicit RankEncoding(const WorkGraph& w) : m_w(w), m_arcs(MakeArcEncoding(w)) {}

    bool Encode(CaDiCaL::Solver& s, const std::stop_token& stop) override
    {
        if (!m_arcs->Encode(s, stop)) return false;
        const NodeId n = m_w.NodeCount();
        std::vector<NodeId> nodes(n);
        for (NodeId v = 0; v < n; ++v) nodes[v] = v;
        const std::vector<std::uint32_t> all(n, 1);
        int next = s.vars() + 1;
        std::uint64_t clauses = 0;
        const NodeId root = 0;
        return AddNumbering(
            s, m_w, nodes, all, 1, [&](std::uint32_t e, NodeId from) { return ArcCondition{Arc(e, from), 0}; }, next,
            clauses, root, stop);
    }

    std::vector<int> Seed(CaDiCaL::Solver& s, std::span<const NodeId> order) override { return m_arcs->Seed(s, order); }
    void ReadCover(CaDiCaL::Solver& s, std::vector<NodeId>& succ) override { m_arcs->ReadCover(s, succ); }
    std::uint64_t AddCut(CaDiCaL::Solver& s, std::span<const NodeId> set, const std::vector<std::uint32_t>& mark,
                         std::uint32_t stamp) override
    {
        return m_arcs->AddCut(s, set, mark, stamp);
    }
    std::uint64_t AddRegion(CaDiCaL::Solver& s, std::span<const NodeId> region, const std::vector<std::uint32_t>& mark,
                            std::uint32_t stamp) override
    {
        return m_arcs->AddRegion(s, region, mark, stamp);
    }
    std::uint64_t AddCycleBan(CaDiCaL::Solver& s, std::span<const NodeId> region,
                              const std::vector<std::uint32_t>& mark, std::uint32_t stamp,
                              std::uint32_t through) override
    {
        return m_arcs->AddCycleBan(s, region, mark, stamp, through);
    }

private:
    // The arc model's numbering: the arc out of 'from' along edge e.
    int Arc(std::uint32_t e, NodeId from) const
    {
        return static_cast<int>(2 * e + (m_w.EdgeAt(e).first == from ? 1 : 2));
    }

    const WorkGraph& m_w;
    std::unique_ptr<CoverEncoding> m_arcs;
};

}  // namespace

std::unique_ptr<CoverEncoding> MakeRankEncoding(const WorkGraph& w);
std::unique_ptr<CoverEncoding> MakeRankEncoding(const WorkGraph& w)
{
    return std::make_unique<RankEncoding>(w);
}

}  // namespace hcp
