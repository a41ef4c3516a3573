#include "exact/coverrepair.h"

#include "core/cyclecheck.h"
#include "large/gapsearch.h"
#include "large/random64.h"

namespace hcp {

bool CoverRepair::TryClose(const CycleCover& cover, std::uint64_t steps, StopWatch& stop,
                           std::vector<NodeId>& cycle)
{
    const NodeId n = m_w.NodeCount();
    if (n < 3 || steps == 0 || stop.StoppedNow()) return false;
    if (m_plain.NodeCount() == 0) {
        // The forced edges go along as fixed edges: the gap search ignores
        // them, and the one cycle check then turns down a cycle that skips one.
        std::vector<Edge> edges(m_w.EdgeCount()), forced;
        for (std::uint32_t e = 0; e < m_w.EdgeCount(); ++e) {
            edges[e] = m_w.EdgeAt(e);
            if (m_w.Forced(e)) forced.push_back(edges[e]);
        }
        m_plain = Graph::FromEdges(n, edges);
        m_plain.SetFixedEdges(std::move(forced));
    }
    std::vector<NodeId> order;
    cover.Order(order);
    // Each attempt its own stream: a cover met again is worked differently.
    Random64 rng(m_seed + m_attempts);
    ++m_attempts;
    GapSearch search(m_plain, order, rng);
    search.SetStepLimit(steps);
    const bool closed = search.Run(stop, {});
    m_steps += search.Stats().steps;
    if (!closed) return false;
    std::vector<NodeId> found = search.Order();
    // Nodes of degree 2 take their forced edges anyway, but a fixed edge
    // between two nodes of higher degree may be skipped, and such a cycle
    // is no answer.
    if (!CheckCycle(m_plain, found).hamiltonian) return false;
    cycle = std::move(found);
    return true;
}

}  // namespace hcp
