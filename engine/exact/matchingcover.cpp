#include "exact/matchingcover.h"

#include <limits>

namespace hcp {

namespace {

constexpr NodeId kFree = std::numeric_limits<NodeId>::max();
constexpr std::uint32_t kFar = std::numeric_limits<std::uint32_t>::max();

// Hopcroft-Karp with the depth-first phase on an explicit stack: the
// augmenting paths of a long sparse graph can be as long as the graph.
class Matcher {
public:
    Matcher(const WorkGraph& w, StopWatch& stop) : m_w(w), m_stop(stop) {}

    bool Run()
    {
        const NodeId n = m_w.NodeCount();
        m_outTo.assign(n, kFree);
        m_inFrom.assign(n, kFree);
        // A greedy start matches most nodes at once.
        for (NodeId u = 0; u < n; ++u)
            for (NodeId v : m_w.Neighbors(u))
                if (m_inFrom[v] == kFree) {
                    m_outTo[u] = v;
                    m_inFrom[v] = u;
                    break;
                }
        while (Layer()) {
            if (m_stop.StoppedNow()) return false;
            m_cursor.assign(n, 0);
            for (NodeId u = 0; u < n; ++u)
                if (m_outTo[u] == kFree) Augment(u);
        }
        return true;
    }

    std::vector<NodeId>& Succ() { return m_outTo; }

private:
    // Breadth-first layers from the free out-nodes; true when some free
    // in-node is reachable.
    bool Layer()
    {
        const NodeId n = m_w.NodeCount();
        m_dist.assign(n, kFar);
        m_queue.clear();
        for (NodeId u = 0; u < n; ++u)
            if (m_outTo[u] == kFree) {
                m_dist[u] = 0;
                m_queue.push_back(u);
            }
        bool found = false;
        for (std::size_t head = 0; head < m_queue.size(); ++head) {
            const NodeId u = m_queue[head];
            for (NodeId v : m_w.Neighbors(u)) {
                const NodeId next = m_inFrom[v];
                if (next == kFree) {
                    found = true;
                } else if (m_dist[next] == kFar) {
                    m_dist[next] = m_dist[u] + 1;
                    m_queue.push_back(next);
                }
            }
        }
        return found;
    }

    void Augment(NodeId root)
    {
        m_path.clear();
        m_path.push_back(root);
        while (!m_path.empty()) {
            const NodeId u = m_path.back();
            const auto row = m_w.Neighbors(u);
            bool advanced = false;
            while (m_cursor[u] < row.size()) {
                const NodeId v = row[m_cursor[u]++];
                const NodeId next = m_inFrom[v];
                if (next == kFree) {
                    // Flip the path: each out-node on it takes the in-node
                    // its cursor just passed.
                    for (std::size_t i = m_path.size(); i-- > 0;) {
                        const NodeId x = m_path[i];
                        const NodeId to = m_w.Neighbors(x)[m_cursor[x] - 1];
                        m_outTo[x] = to;
                        m_inFrom[to] = x;
                    }
                    return;
                }
                if (m_dist[next] == m_dist[u] + 1) {
                    m_path.push_back(next);
                    advanced = true;
                    break;
                }
            }
            if (!advanced) {
                m_dist[u] = kFar;   // a dead end for the rest of this phase
                m_path.pop_back();
            }
        }
    }

    const WorkGraph& m_w;
    StopWatch& m_stop;
    std::vector<NodeId> m_outTo, m_inFrom, m_queue, m_path;
    std::vector<std::uint32_t> m_dist, m_cursor;
};

}  // namespace

MatchingOutcome MatchSuccessors(const WorkGraph& w, StopWatch& stop, std::vector<NodeId>& succ, NodeId& unmatched)
{
    Matcher m(w, stop);
    if (!m.Run()) return MatchingOutcome::Stopped;
    succ.swap(m.Succ());
    for (NodeId v = 0; v < w.NodeCount(); ++v)
        if (succ[v] == kFree) {
            unmatched = v;
            return MatchingOutcome::Deficient;
        }
    return MatchingOutcome::Perfect;
}

}  // namespace hcp
