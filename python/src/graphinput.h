// Turning what a Python caller passes as a graph into a solver graph, and
// the solver's 0-based orders back into the caller's own node labels.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>

#include "core/graph.h"

namespace pyhcp {

namespace py = pybind11;

// A solver graph together with the label of each of its nodes. For a
// tourvane.Graph the graph is the caller's own object (held, not copied)
// and node k is labelled k.
class LabelledGraph {
public:
    // Accepts a tourvane.Graph, a networkx-style graph (anything with .nodes
    // and .edges; directed when its is_directed() says so) or an iterable
    // of (u, v) pairs of hashable labels (undirected). Raises TypeError for
    // anything else and ValueError for pairs that are not pairs.
    static LabelledGraph FromPython(py::handle graph);

    const hcp::Graph& Graph() const { return m_borrowed ? *m_borrowed : *m_owned; }
    // The caller's labels of the nodes of order, in that order.
    py::list Labels(const std::vector<hcp::NodeId>& order) const;
    // The label of every node, or None when node k is labelled k.
    py::object AllLabels() const;
    // The node labelled label, or nothing when no node is (for a
    // tourvane.Graph: label is not an integer in 0..n-1).
    std::optional<hcp::NodeId> Find(py::handle label) const;

private:
    static LabelledGraph FromNetworkx(py::handle graph);
    // Reads graph's _adj (and a digraph's _pred) when laid out as networkx
    // does; false otherwise, with nothing read.
    static bool FromNetworkxAdjacency(py::handle graph, py::handle labels, bool directed,
                                      std::vector<hcp::Edge>& edges);
    static LabelledGraph FromPairs(py::handle pairs);

    py::object m_keepAlive;                 // the tourvane.Graph borrowed from
    const hcp::Graph* m_borrowed = nullptr;
    std::optional<hcp::Graph> m_owned;
    py::list m_labels;                      // label of node k
    mutable py::object m_index;             // {label: k}, made when first needed
    bool m_identity = true;                 // node k is labelled k
};

// Reads one (u, v) pair: a sequence of exactly two items. Raises ValueError
// naming the item otherwise.
std::pair<py::object, py::object> ReadPair(py::handle item);

}  // namespace pyhcp
