// The edge model: literal e+1 says edge e is on the cover. Every node has
// exactly two chosen edges, so the chosen edges are disjoint cycles with
// no direction to choose and no 2-cycles to forbid: half the variables of
// the arc model, and a cut is a single clause.
#include <cadical.hpp>

#include <algorithm>

#include "exact/coverencoding.h"
#include "exact/cycleban.h"
#include "exact/regionorder.h"

namespace hcp {

std::unique_ptr<CoverEncoding> MakeArcEncoding(const WorkGraph& w);

namespace {

class EdgeEncoding final : public CoverEncoding {
public:
    explicit EdgeEncoding(const WorkGraph& w) : m_w(w), m_next(static_cast<int>(w.EdgeCount()) + 1) {}

    bool Encode(CaDiCaL::Solver& s, const std::stop_token& stop) override
    {
        m_true = m_next++;
        Clause(s, {m_true});
        std::vector<int> lits;
        for (NodeId v = 0; v < m_w.NodeCount(); ++v) {
            if ((v & 1023) == 0 && stop.stop_requested()) return false;
            lits.clear();
            for (std::uint32_t e : m_w.EdgeIds(v)) lits.push_back(Lit(e));
            ExactlyTwo(s, lits);
        }
        for (std::uint32_t e = 0; e < m_w.EdgeCount(); ++e)
            if (m_w.Forced(e)) Clause(s, {Lit(e)});
        m_chosen.resize(2 * static_cast<std::size_t>(m_w.NodeCount()));
        m_seen.resize(m_w.NodeCount());
        return true;
    }

    std::vector<int> Seed(CaDiCaL::Solver& s, std::span<const NodeId> order) override
    {
        std::vector<int> seeded;
        const std::size_t n = order.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t e = m_w.Find(order[i], order[(i + 1) % n]);
            if (e != WorkGraph::kNoEdge) {
                s.phase(Lit(e));
                seeded.push_back(Lit(e));
            }
        }
        return seeded;
    }

    void ReadCover(CaDiCaL::Solver& s, std::vector<NodeId>& succ) override
    {
        const NodeId n = m_w.NodeCount();
        for (NodeId v = 0; v < n; ++v) {
            int k = 0;
            const auto nbrs = m_w.Neighbors(v);
            const auto ids = m_w.EdgeIds(v);
            for (std::size_t i = 0; i < ids.size() && k < 2; ++i)
                if (s.val(Lit(ids[i])) > 0) m_chosen[2 * v + k++] = nbrs[i];
        }
        std::fill(m_seen.begin(), m_seen.end(), 0);
        for (NodeId v = 0; v < n; ++v) {
            if (m_seen[v]) continue;
            NodeId prev = m_chosen[2 * v + 1], x = v;
            do {
                m_seen[x] = 1;
                const NodeId next = m_chosen[2 * x] != prev ? m_chosen[2 * x] : m_chosen[2 * x + 1];
                succ[x] = next;
                prev = x;
                x = next;
            } while (x != v);
        }
    }

    // Two chosen edges must cross the boundary of the set (one is not
    // possible: every node has two). The solver cannot see that parity, so
    // a small cut is stated as "any one of its edges missing, another is
    // chosen"; a large one only as "one is chosen".
    std::uint64_t AddCut(CaDiCaL::Solver& s, std::span<const NodeId> set, const std::vector<std::uint32_t>& mark,
                         std::uint32_t stamp) override
    {
        m_cut.clear();
        for (NodeId u : set) {
            const auto nbrs = m_w.Neighbors(u);
            const auto ids = m_w.EdgeIds(u);
            for (std::size_t i = 0; i < nbrs.size(); ++i)
                if (mark[nbrs[i]] != stamp) m_cut.push_back(Lit(ids[i]));
        }
        if (m_cut.size() < 2 || m_cut.size() > kPairCut) {
            for (int l : m_cut) s.add(l);
            s.add(0);
            return 1;
        }
        for (std::size_t skip = 0; skip < m_cut.size(); ++skip) {
            for (std::size_t i = 0; i < m_cut.size(); ++i)
                if (i != skip) s.add(m_cut[i]);
            s.add(0);
        }
        return m_cut.size();
    }

    // Edges carry no direction, so each edge inside the region gets one:
    // true runs from its lower end. At a node, two chosen edges inside the
    // region do not both come in; round a cycle that leaves every node one
    // in and one out. Without it, a cycle turned against itself at every
    // other node would number.
    std::uint64_t AddRegion(CaDiCaL::Solver& s, std::span<const NodeId> region, const std::vector<std::uint32_t>& mark,
                            std::uint32_t stamp) override
    {
        m_next = std::max(m_next, s.vars() + 1);
        std::vector<int> direction(m_w.EdgeCount(), 0);
        std::uint64_t clauses = 0;
        std::vector<std::uint32_t> inside;
        for (NodeId v : region) {
            inside.clear();
            const auto nbrs = m_w.Neighbors(v);
            const auto ids = m_w.EdgeIds(v);
            for (std::size_t i = 0; i < ids.size(); ++i)
                if (mark[nbrs[i]] == stamp) {
                    if (direction[ids[i]] == 0) direction[ids[i]] = m_next++;
                    inside.push_back(ids[i]);
                }
            // Into v along e: the direction literal, turned when v is e's lower end.
            auto into = [&](std::uint32_t e) { return m_w.EdgeAt(e).first == v ? -direction[e] : direction[e]; };
            for (std::size_t i = 0; i < inside.size(); ++i)
                for (std::size_t j = i + 1; j < inside.size(); ++j) {
                    const std::uint32_t e = inside[i], f = inside[j];
                    Clause(s, {-Lit(e), -Lit(f), -into(e), -into(f)});
                    ++clauses;
                }
        }
        AddNumbering(
            s, m_w, region, mark, stamp,
            [&](std::uint32_t e, NodeId from) {
                return ArcCondition{Lit(e), m_w.EdgeAt(e).first == from ? direction[e] : -direction[e]};
            },
            m_next, clauses);
        return clauses;
    }

    std::uint64_t AddCycleBan(CaDiCaL::Solver& s, std::span<const NodeId> region,
                              const std::vector<std::uint32_t>& mark, std::uint32_t stamp,
                              std::uint32_t through) override
    {
        m_next = std::max(m_next, s.vars() + 1);
        return hcp::AddCycleBan(
            s, m_w, region, mark, stamp, through, [](std::uint32_t e) { return EdgeChosen{Lit(e), 0}; }, m_next);
    }

private:
    static int Lit(std::uint32_t e) { return static_cast<int>(e + 1); }

    static void Clause(CaDiCaL::Solver& s, std::initializer_list<int> lits)
    {
        for (int l : lits) s.add(l);
        s.add(0);
    }

    // Exactly two of lits. A few literals: every triple excluded and every
    // literal's complement set hit. Many: a sequential counter whose
    // register c_j ("at least j among the first i") is defined both ways.
    void ExactlyTwo(CaDiCaL::Solver& s, const std::vector<int>& lits)
    {
        const std::size_t k = lits.size();
        if (k <= 6) {
            for (std::size_t i = 0; i < k; ++i) {
                for (std::size_t j = 0; j < k; ++j)
                    if (j != i) s.add(lits[j]);
                s.add(0);
                for (std::size_t j = i + 1; j < k; ++j)
                    for (std::size_t l = j + 1; l < k; ++l) Clause(s, {-lits[i], -lits[j], -lits[l]});
            }
            return;
        }
        int c[4] = {m_true, -m_true, -m_true, -m_true};   // at least 0, 1, 2, 3 so far
        for (int x : lits) {
            int next[4] = {m_true, 0, 0, 0};
            for (int j = 1; j <= 3; ++j) {
                const int v = m_next++;
                // v <-> c[j] or (c[j-1] and x)
                Clause(s, {-c[j], v});
                Clause(s, {-c[j - 1], -x, v});
                Clause(s, {-v, c[j], c[j - 1]});
                Clause(s, {-v, c[j], x});
                next[j] = v;
            }
            std::copy(next, next + 4, c);
        }
        Clause(s, {c[2]});
        Clause(s, {-c[3]});
    }

    static constexpr std::size_t kPairCut = 48;

    const WorkGraph& m_w;
    int m_next;
    int m_true = 0;
    std::vector<int> m_cut;
    std::vector<NodeId> m_chosen;
    std::vector<std::uint8_t> m_seen;
};

}  // namespace

std::unique_ptr<CoverEncoding> MakeRankEncoding(const WorkGraph& w);

std::unique_ptr<CoverEncoding> MakeCoverEncoding(SatModel model, const WorkGraph& w)
{
    if (model == SatModel::Edges) return std::make_unique<EdgeEncoding>(w);
    if (model == SatModel::Ranks) return MakeRankEncoding(w);
    return MakeArcEncoding(w);
}

}  // namespace hcp
