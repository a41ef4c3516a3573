#include "solve/questionforms.h"

#include <algorithm>
#include <cctype>

namespace hcp {

namespace {

std::string Num(std::uint64_t v) { return std::to_string(v + 1); }

}  // namespace

PathForm::PathForm(const Graph& g, const Question& q) : m_g(g), m_q(q), m_n(g.NodeCount())
{
    const NodeId n = m_n, x = n, y = n + 1;
    std::vector<Edge> links = g.Edges();
    const bool two = q.from && !q.to;   // one given end: x and y
    if (g.Directed()) {
        // x -> first nodes, last nodes -> x.
        for (NodeId v = 0; v < n; ++v) {
            if (!q.from || v == *q.from) links.emplace_back(x, v);
            if (!q.to || v == *q.to) links.emplace_back(v, x);
        }
        m_form = Graph::FromArcs(n + 1, links);
    } else if (q.to) {
        links.emplace_back(*q.from, x);
        links.emplace_back(*q.to, x);
        m_form = Graph::FromEdges(n + 1, links);
    } else if (two) {
        links.emplace_back(*q.from, y);
        links.emplace_back(x, y);
        for (NodeId v = 0; v < n; ++v)
            if (v != *q.from) links.emplace_back(v, x);
        m_form = Graph::FromEdges(n + 2, links);
    } else {
        for (NodeId v = 0; v < n; ++v) links.emplace_back(v, x);
        m_form = Graph::FromEdges(n + 1, links);
    }
    m_form.SetFixedEdges(g.FixedEdges());
    m_form.SetName(g.Name());
}

std::vector<NodeId> PathForm::ToPath(std::span<const NodeId> cycle) const
{
    const std::size_t k = cycle.size();
    std::vector<NodeId> path;
    if (k == 0) return path;
    // Start after the added node x, in the direction that puts y (or the
    // given first node) next to it on the far side.
    std::size_t at = 0;
    while (at < k && cycle[at] != m_n) ++at;
    if (at == k) at = 0;
    bool forward = true;
    if (!m_g.Directed() && m_q.from) {
        const NodeId next = cycle[(at + 1) % k];
        const NodeId lead = m_q.to ? *m_q.from : m_n + 1;
        forward = next == lead;
    }
    for (std::size_t i = 1; i < k; ++i) {
        const NodeId v = cycle[forward ? (at + i) % k : (at + k - i) % k];
        if (v < m_n) path.push_back(v);
    }
    return path;
}

std::string PathForm::Reason(const std::string& formReason) const
{
    // The added nodes are no nodes of the caller's: a reason that names
    // one is told without its detail.
    const std::size_t added = m_form.NodeCount() - m_n;
    bool names = false;
    for (std::size_t k = 0; k < added && !names; ++k) {
        const std::string num = Num(m_n + k);
        for (std::size_t at = formReason.find(num); at != std::string::npos && !names;
             at = formReason.find(num, at + 1)) {
            const bool before = at == 0 || !std::isdigit(static_cast<unsigned char>(formReason[at - 1]));
            const std::size_t end = at + num.size();
            const bool after = end == formReason.size() || !std::isdigit(static_cast<unsigned char>(formReason[end]));
            names = before && after;
        }
    }
    const std::string how = added == 2 ? "two added nodes that close the path" : "an added node that closes the path";
    if (names) return "no cycle passes through " + how + " (a proof on the graph with " + (added == 2 ? "them" : "it") + ")";
    return formReason + " (asked as a cycle through " + how + ")";
}

SplitForm::SplitForm(const Graph& d) : m_n(d.NodeCount())
{
    std::vector<Edge> edges;
    edges.reserve(2 * static_cast<std::size_t>(m_n) + d.EdgeCount());
    for (NodeId v = 0; v < m_n; ++v) {
        edges.emplace_back(3 * v, 3 * v + 1);
        edges.emplace_back(3 * v + 1, 3 * v + 2);
    }
    for (NodeId u = 0; u < m_n; ++u)
        for (NodeId v : d.Neighbors(u)) edges.emplace_back(3 * u + 2, 3 * v);
    m_form = Graph::FromEdges(3 * m_n, edges);
    std::vector<Edge> fixed;
    for (const Edge& a : d.FixedEdges()) fixed.emplace_back(3 * a.first + 2, 3 * a.second);
    m_form.SetFixedEdges(std::move(fixed));
    m_form.SetName(d.Name());
}

std::vector<NodeId> SplitForm::ToCycle(std::span<const NodeId> order) const
{
    // The digraph's nodes in the order their middle nodes come, read in
    // the direction in which the order leaves a middle node for its out.
    std::vector<NodeId> cycle;
    if (order.empty()) return cycle;
    const std::size_t k = order.size();
    bool forward = true;
    for (std::size_t i = 0; i < k; ++i)
        if (order[i] % 3 == 1) {
            const NodeId next = order[(i + 1) % k];
            forward = next == order[i] + 1 || order[(i + k - 1) % k] == order[i] - 1;
            break;
        }
    for (std::size_t i = 0; i < k; ++i) {
        const NodeId v = order[forward ? i : k - 1 - i];
        if (v % 3 == 1) cycle.push_back(v / 3);
    }
    return cycle;
}

std::vector<NodeId> SplitForm::FromCycle(std::span<const NodeId> order) const
{
    std::vector<NodeId> out;
    out.reserve(3 * order.size());
    for (NodeId v : order) {
        out.push_back(3 * v);
        out.push_back(3 * v + 1);
        out.push_back(3 * v + 2);
    }
    return out;
}

std::string SplitForm::Reason(const std::string& formReason) const
{
    return formReason + " (asked of the undirected graph in which node v is the chain 3v-2, 3v-1, 3v"
                        " and an arc u -> v the edge 3u - 3v-2)";
}

}  // namespace hcp
