// tourvane.Graph: the engine's solver graph, nodes numbered 0..n-1.
#include "bindings.h"

#include <pybind11/stl.h>

#include <limits>
#include <string>
#include <vector>

#include "core/graph.h"
#include "core/leapergraph.h"
#include "graphinput.h"
#include "io/readlimits.h"
#include "patharg.h"

namespace pyhcp {

namespace {

constexpr unsigned long long kMaxNodes = std::numeric_limits<hcp::NodeId>::max() - 1;

// The nodes alone take some 24 bytes each. Linux promises memory it does
// not have and kills the process that then touches it, so a count beyond
// the machine is refused before anything is allocated.
void CheckNodesFit(unsigned long long n)
{
    const std::uint64_t physical = hcp::PhysicalMemoryBytes();
    if (n <= physical / hcp::kGraphBytesPerNode) return;
    const auto gb = [](double bytes) { return std::to_string(static_cast<long long>(bytes / 1e9 + 0.5)); };
    PyErr_SetString(PyExc_MemoryError, ("a graph of " + std::to_string(n) + " nodes needs about "
                                        + gb(static_cast<double>(n) * hcp::kGraphBytesPerNode)
                                        + " GB, more than the " + gb(static_cast<double>(physical))
                                        + " GB of this computer")
                                           .c_str());
    throw py::error_already_set();
}

// The node count and the pairs of from_edges and from_arcs, as node numbers.
std::pair<hcp::NodeId, std::vector<hcp::Edge>> PairsArgument(py::handle count, py::handle edges,
                                                             const char* what)
{
    const auto n = static_cast<hcp::NodeId>(IndexArgument(count, kMaxNodes, "the node count"));
    CheckNodesFit(n);
    std::vector<hcp::Edge> list;
    for (py::handle item : edges) {
        auto [u, v] = ReadPair(item);
        const unsigned long long last = n == 0 ? 0 : n - 1;
        const auto outside = [&] {
            return py::value_error(what + (" " + py::repr(item).cast<std::string>())
                                   + " names a node outside 0.." + std::to_string(last)
                                   + (n == 0 ? " (the graph has no nodes)" : ""));
        };
        unsigned long long iu = 0, iv = 0;
        try {
            iu = IndexArgument(u, kMaxNodes, "a node");
            iv = IndexArgument(v, kMaxNodes, "a node");
        } catch (const py::value_error&) {
            throw outside();
        }
        if (iu >= n || iv >= n) throw outside();
        list.emplace_back(static_cast<hcp::NodeId>(iu), static_cast<hcp::NodeId>(iv));
    }
    return {n, std::move(list)};
}

hcp::Graph FromEdges(py::handle count, py::handle edges)
{
    const auto [n, list] = PairsArgument(count, edges, "edge");
    return hcp::Graph::FromEdges(n, list);
}

hcp::Graph FromArcs(py::handle count, py::handle arcs)
{
    const auto [n, list] = PairsArgument(count, arcs, "arc");
    return hcp::Graph::FromArcs(n, list);
}

hcp::NodeId NodeArgument(const hcp::Graph& g, py::handle v)
{
    const auto k = IndexArgument(v, kMaxNodes, "a node");
    if (k >= g.NodeCount())
        throw py::index_error("node " + std::to_string(k) + " is not in a graph of "
                              + std::to_string(g.NodeCount()) + " nodes");
    return static_cast<hcp::NodeId>(k);
}

py::list EdgeList(const std::vector<hcp::Edge>& edges)
{
    py::list out(edges.size());
    for (std::size_t k = 0; k < edges.size(); ++k)
        out[k] = py::make_tuple(edges[k].first, edges[k].second);
    return out;
}

std::string Repr(const hcp::Graph& g)
{
    std::string s = "Graph(";
    if (!g.Name().empty()) s += "name=" + py::repr(py::str(g.Name())).cast<std::string>() + ", ";
    if (g.Directed()) s += "directed, ";
    return s + "nodes=" + std::to_string(g.NodeCount()) + (g.Directed() ? ", arcs=" : ", edges=")
           + std::to_string(g.EdgeCount()) + ")";
}

py::object ToNetworkx(const hcp::Graph& g)
{
    py::object nx = py::module_::import("networkx");
    py::object out = nx.attr(g.Directed() ? "DiGraph" : "Graph")();
    if (!g.Name().empty()) out.attr("graph")["name"] = g.Name();
    out.attr("add_nodes_from")(py::module_::import("builtins").attr("range")(g.NodeCount()));
    out.attr("add_edges_from")(EdgeList(g.Edges()));
    return out;
}

}  // namespace

void BindGraph(py::module_& m)
{
    py::class_<hcp::Graph>(m, "Graph",
                           "A simple graph on nodes 0..n-1, as the solver holds it: undirected, "
                           "or directed (arcs u -> v) when built by Graph.from_arcs or read "
                           "from a digraph6 or DHCP file.\n\n"
                           "Build one with Graph.read, Graph.from_edges, Graph.from_arcs or "
                           "tourvane.leaper; a graph never changes once built. A tour or path of "
                           "it is a list of node numbers 0..n-1.")
        .def(py::init<>(), "The graph with no nodes.")
        .def_static("from_edges", &FromEdges, py::arg("n"), py::arg("edges"),
                    "The graph on nodes 0..n-1 with the given (u, v) edges.\n\n"
                    "Self-loops are dropped and repeated edges merged; a node outside 0..n-1 "
                    "raises ValueError, and so does n above 4,294,967,294. MemoryError when "
                    "n nodes (some 24 bytes each) or the edges do not fit in memory.")
        .def_static("from_arcs", &FromArcs, py::arg("n"), py::arg("arcs"),
                    "The directed graph on nodes 0..n-1 with the given (u, v) arcs, each "
                    "from u to v; (u, v) and (v, u) are two arcs.\n\n"
                    "Self-loops are dropped and repeated arcs merged; errors as from_edges.")
        .def_property_readonly("directed", &hcp::Graph::Directed,
                               "True for a directed graph (from_arcs, a digraph6 or DHCP file).")
        .def_property_readonly("node_count", &hcp::Graph::NodeCount, "Number of nodes.")
        .def_property_readonly("edge_count", &hcp::Graph::EdgeCount,
                               "Number of edges; of arcs in a directed graph.")
        .def("__len__", &hcp::Graph::NodeCount)
        // Read-only, like the rest: a solve reads the graph without the GIL,
        // so nothing may change it from another thread meanwhile.
        .def_property_readonly(
            "name", [](const hcp::Graph& g) { return g.Name(); },
            "The name a file gave the graph (TSPLIB NAME), or ''.")
        .def("edges", [](const hcp::Graph& g) { return EdgeList(g.Edges()); },
             "Every edge once, as (u, v) with u < v, in ascending order; in a directed graph "
             "every arc (tail, head), ascending.")
        .def_property_readonly(
            "fixed_edges", [](const hcp::Graph& g) { return EdgeList(g.FixedEdges()); },
            "Edges (arcs) every cycle must use (from a file's FIXED_EDGES_SECTION).")
        .def(
            "neighbors",
            [](const hcp::Graph& g, py::handle v) {
                const auto row = g.Neighbors(NodeArgument(g, v));
                return std::vector<hcp::NodeId>(row.begin(), row.end());
            },
            py::arg("v"), "The neighbours of node v, ascending; its successors in a directed graph.")
        .def(
            "in_neighbors",
            [](const hcp::Graph& g, py::handle v) {
                const auto row = g.InNeighbors(NodeArgument(g, v));
                return std::vector<hcp::NodeId>(row.begin(), row.end());
            },
            py::arg("v"),
            "The predecessors of node v in a directed graph, ascending; its neighbours in an "
            "undirected one.")
        .def(
            "degree", [](const hcp::Graph& g, py::handle v) { return g.Degree(NodeArgument(g, v)); },
            py::arg("v"), "The number of neighbours of node v; its out-degree in a directed graph.")
        .def(
            "in_degree", [](const hcp::Graph& g, py::handle v) { return g.InDegree(NodeArgument(g, v)); },
            py::arg("v"), "The number of arcs into node v; its degree in an undirected graph.")
        .def(
            "has_edge",
            [](const hcp::Graph& g, py::handle u, py::handle v) {
                return g.HasEdge(NodeArgument(g, u), NodeArgument(g, v));
            },
            py::arg("u"), py::arg("v"),
            "True when u and v are joined; in a directed graph, when the arc u -> v exists.")
        .def("to_networkx", &ToNetworkx,
             "The same graph as a networkx.Graph on nodes 0..n-1 (a networkx.DiGraph when "
             "directed; imports networkx).")
        .def("__eq__", [](const hcp::Graph& a, py::object b) {
            return py::isinstance<hcp::Graph>(b) && a == b.cast<const hcp::Graph&>();
        })
        .def("__repr__", &Repr);
    m.attr("Graph").attr("__hash__") = py::none();

    m.def(
        "leaper",
        [](int a, int b, int rows, int cols) {
            hcp::Graph g = hcp::LeaperGraph(a, b, rows, cols);
            g.SetName("leaper_" + std::to_string(a) + "_" + std::to_string(b) + "_"
                      + std::to_string(rows) + "_" + std::to_string(cols));
            return g;
        },
        py::arg("a"), py::arg("b"), py::arg("m"), py::arg("n"),
        "The graph of an (a, b)-leaper on an m x n board: square (row r, column c), counted "
        "from 0, is node r*n + c, joined to the squares one move of a along one axis and b "
        "along the other away. (1, 2) is the knight, (0, 1) the grid.");
}

}  // namespace pyhcp
