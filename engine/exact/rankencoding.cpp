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
        m_bits = 1;
        while ((std::uint64_t{1} << m_bits) < n) ++m_bits;
        m_base = s.vars();
        const NodeId root = 0;
        for (int i = 0; i < m_bits; ++i) Clause(s, {-Position(root, i)});
        // Carry(v, i): the low i bits of v's position are all ones.
        for (NodeId v = 0; v < n; ++v) {
            if ((v & 1023) == 0 && stop.stop_requested()) return false;
            Clause(s, {-Carry(v, 1), Position(v, 0)});
            Clause(s, {Carry(v, 1), -Position(v, 0)});
            for (int i = 1; i < m_bits; ++i) {
                Clause(s, {-Carry(v, i + 1), Carry(v, i)});
                Clause(s, {-Carry(v, i + 1), Position(v, i)});
                Clause(s, {Carry(v, i + 1), -Carry(v, i), -Position(v, i)});
            }
        }
        for (NodeId u = 0; u < n; ++u) {
            if ((u & 1023) == 0 && stop.stop_requested()) return false;
            const auto nbrs = m_w.Neighbors(u);
            const auto ids = m_w.EdgeIds(u);
            for (std::size_t k = 0; k < ids.size(); ++k) {
                const NodeId v = nbrs[k];
                if (v == root) continue;
                const int x = Arc(ids[k], u);
                // Position(v) = Position(u) + 1, bit by bit, and no overflow.
                Clause(s, {-x, Position(v, 0), Position(u, 0)});
                Clause(s, {-x, -Position(v, 0), -Position(u, 0)});
                for (int i = 1; i < m_bits; ++i) {
                    const int pv = Position(v, i), pu = Position(u, i), c = Carry(u, i);
                    Clause(s, {-x, -pv, pu, c});
                    Clause(s, {-x, pv, -pu, c});
                    Clause(s, {-x, pv, pu, -c});
                    Clause(s, {-x, -pv, -pu, -c});
                }
                Clause(s, {-x, -Carry(u, m_bits)});
            }
        }
        return true;
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

private:
    // The arc model's numbering: the arc out of 'from' along edge e.
    int Arc(std::uint32_t e, NodeId from) const
    {
        return static_cast<int>(2 * e + (m_w.EdgeAt(e).first == from ? 1 : 2));
    }
    int Position(NodeId v, int i) const { return m_base + static_cast<int>(v) * 2 * m_bits + i + 1; }
    int Carry(NodeId v, int i) const { return m_base + static_cast<int>(v) * 2 * m_bits + m_bits + i; }

    static void Clause(CaDiCaL::Solver& s, std::initializer_list<int> lits)
    {
        for (int l : lits) s.add(l);
        s.add(0);
    }

    const WorkGraph& m_w;
    std::unique_ptr<CoverEncoding> m_arcs;
    int m_bits = 1;
    int m_base = 0;
};

}  // namespace

std::unique_ptr<CoverEncoding> MakeRankEncoding(const WorkGraph& w);
std::unique_ptr<CoverEncoding> MakeRankEncoding(const WorkGraph& w)
{
    return std::make_unique<RankEncoding>(w);
}

}  // namespace hcp
