#include "graphinput.h"

#include <limits>
#include <string>
#include <vector>

#include "nxadjacency.h"

namespace pyhcp {

namespace {

// Node numbering of the caller's labels: the first label seen is node 0.
class LabelIndex {
public:
    // The node of label, or -1 when it has none yet.
    long long Find(py::handle label) const
    {
        PyObject* k = PyDict_GetItemWithError(m_index.ptr(), label.ptr());
        if (k == nullptr) {
            if (PyErr_Occurred()) throw py::error_already_set();   // unhashable label
            return -1;
        }
        return static_cast<long long>(PyLong_AsSsize_t(k));
    }
    // The node of label, numbering it when it is new.
    hcp::NodeId Add(py::handle label)
    {
        const long long found = Find(label);
        if (found >= 0) return static_cast<hcp::NodeId>(found);
        if (m_labels.size() >= std::numeric_limits<hcp::NodeId>::max() - 1)
            throw py::value_error("the graph has more nodes than node numbers hold");
        const auto node = static_cast<hcp::NodeId>(m_labels.size());
        m_index[label] = py::int_(node);
        m_labels.append(label);
        return node;
    }
    hcp::NodeId Count() const { return static_cast<hcp::NodeId>(m_labels.size()); }
    py::list Labels() const { return m_labels; }
    py::dict Index() const { return m_index; }

private:
    py::dict m_index;
    py::list m_labels;
};

std::string Repr(py::handle h)
{
    std::string s = py::repr(h).cast<std::string>();
    if (s.size() > 60) s = s.substr(0, 57) + "...";
    return s;
}

}  // namespace

std::pair<py::object, py::object> ReadPair(py::handle item)
{
    PyObject* p = item.ptr();
    if ((PyTuple_Check(p) && PyTuple_GET_SIZE(p) == 2))
        return {py::reinterpret_borrow<py::object>(PyTuple_GET_ITEM(p, 0)),
                py::reinterpret_borrow<py::object>(PyTuple_GET_ITEM(p, 1))};
    if (PyList_Check(p) && PyList_GET_SIZE(p) == 2)
        return {py::reinterpret_borrow<py::object>(PyList_GET_ITEM(p, 0)),
                py::reinterpret_borrow<py::object>(PyList_GET_ITEM(p, 1))};
    const std::string bad = "edge " + Repr(item) + " is not a pair (u, v)";
    // A string would be split into characters: refuse it rather than guess.
    if (PyUnicode_Check(p) || PyBytes_Check(p) || !py::isinstance<py::iterable>(item))
        throw py::value_error(bad);
    std::vector<py::object> ends;
    for (py::handle end : item) {
        if (ends.size() == 2) throw py::value_error(bad);
        ends.push_back(py::reinterpret_borrow<py::object>(end));
    }
    if (ends.size() != 2) throw py::value_error(bad);
    return {ends[0], ends[1]};
}

LabelledGraph LabelledGraph::FromPython(py::handle graph)
{
    if (py::isinstance<hcp::Graph>(graph)) {
        LabelledGraph lg;
        lg.m_keepAlive = py::reinterpret_borrow<py::object>(graph);
        lg.m_borrowed = &graph.cast<const hcp::Graph&>();
        return lg;
    }
    if (py::hasattr(graph, "nodes") && py::hasattr(graph, "edges")) return FromNetworkx(graph);
    const PyObject* p = graph.ptr();
    if (PyUnicode_Check(p) || PyBytes_Check(p) || PyDict_Check(p) || !py::isinstance<py::iterable>(graph))
        throw py::type_error("graph must be a networkx graph, an iterable of (u, v) pairs or a "
                             "tourvane.Graph, not " + std::string(Py_TYPE(p)->tp_name));
    return FromPairs(graph);
}

bool LabelledGraph::FromNetworkxAdjacency(py::handle graph, py::handle labels, bool directed,
                                          std::vector<hcp::Edge>& edges)
{
    if (!py::hasattr(graph, "_adj") || (directed && !py::hasattr(graph, "_pred"))) return false;
    std::vector<UnpairedEntry> unpaired;
    const bool read = directed ? ArcsFromNetworkxAdjacency(graph.attr("_adj"), graph.attr("_pred"), labels,
                                                           edges, unpaired)
                               : EdgesFromNetworkxAdjacency(graph.attr("_adj"), labels, edges, unpaired);
    if (!read) return false;
    if (unpaired.empty()) return true;
    // The keys of a dict: no label twice, so each gets its own number.
    LabelIndex index;
    for (py::handle label : labels) index.Add(label);
    for (const UnpairedEntry& e : unpaired) {
        const long long v = index.Find(e.key);
        if (v < 0)
            throw py::value_error("node " + Repr(labels[py::int_(e.row)]) + " has a neighbour "
                                  + Repr(e.key) + " that is not among the graph's nodes");
        edges.emplace_back(e.row, static_cast<hcp::NodeId>(v));
    }
    return true;
}

LabelledGraph LabelledGraph::FromNetworkx(py::handle graph)
{
    const bool directed = py::hasattr(graph, "is_directed") && py::bool_(graph.attr("is_directed")());
    auto labels = py::reinterpret_steal<py::list>(PySequence_List(graph.attr("nodes").ptr()));
    if (!labels) throw py::error_already_set();
    std::vector<hcp::Edge> edges;
    if (!FromNetworkxAdjacency(graph, labels, directed, edges)) {
        edges.clear();
        LabelIndex index;
        for (py::handle label : labels) {
            if (index.Find(label) >= 0)
                throw py::value_error("node " + Repr(label) + " is listed twice in the graph's nodes");
            index.Add(label);
        }
        for (py::handle item : graph.attr("edges")) {
            // A multigraph's edges are (u, v, key) triples.
            const bool triple = PyTuple_Check(item.ptr()) && PyTuple_GET_SIZE(item.ptr()) == 3;
            auto [u, v] = triple ? ReadPair(item[py::slice(0, 2, 1)]) : ReadPair(item);
            const long long iu = index.Find(u);
            const long long iv = index.Find(v);
            if (iu < 0 || iv < 0)
                throw py::value_error("edge " + Repr(item) + " names a node that is not among "
                                      "the graph's nodes");
            edges.emplace_back(static_cast<hcp::NodeId>(iu), static_cast<hcp::NodeId>(iv));
        }
    }
    if (static_cast<unsigned long long>(py::len(labels)) >= std::numeric_limits<hcp::NodeId>::max())
        throw py::value_error("the graph has more nodes than node numbers hold");
    const auto n = static_cast<hcp::NodeId>(py::len(labels));
    LabelledGraph lg;
    lg.m_owned = directed ? hcp::Graph::FromArcs(n, edges) : hcp::Graph::FromEdges(n, edges);
    lg.m_labels = labels;
    lg.m_identity = false;
    return lg;
}

LabelledGraph LabelledGraph::FromPairs(py::handle pairs)
{
    LabelIndex index;
    std::vector<hcp::Edge> edges;
    for (py::handle item : pairs) {
        auto [u, v] = ReadPair(item);
        const hcp::NodeId iu = index.Add(u);
        const hcp::NodeId iv = index.Add(v);
        edges.emplace_back(iu, iv);
    }
    LabelledGraph lg;
    lg.m_owned = hcp::Graph::FromEdges(index.Count(), edges);
    lg.m_labels = index.Labels();
    lg.m_index = index.Index();
    lg.m_identity = false;
    return lg;
}

py::list LabelledGraph::Labels(const std::vector<hcp::NodeId>& order) const
{
    py::list out(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        PyObject* label = m_identity ? PyLong_FromUnsignedLong(order[k])
                                     : PyList_GET_ITEM(m_labels.ptr(), order[k]);
        if (!m_identity) Py_INCREF(label);
        if (label == nullptr) throw py::error_already_set();
        PyList_SET_ITEM(out.ptr(), static_cast<Py_ssize_t>(k), label);
    }
    return out;
}

py::object LabelledGraph::AllLabels() const
{
    if (m_identity) return py::none();
    return m_labels;
}

std::optional<hcp::NodeId> LabelledGraph::Find(py::handle label) const
{
    if (m_identity) {
        // A node number: an int, not a float or a string that looks like one.
        if (!PyIndex_Check(label.ptr())) return std::nullopt;
        auto k = py::reinterpret_steal<py::object>(PyNumber_Index(label.ptr()));
        if (!k) throw py::error_already_set();
        const long long v = PyLong_AsLongLong(k.ptr());
        if (v == -1 && PyErr_Occurred()) {
            PyErr_Clear();   // beyond long long: no node has that number
            return std::nullopt;
        }
        if (v < 0 || static_cast<unsigned long long>(v) >= Graph().NodeCount()) return std::nullopt;
        return static_cast<hcp::NodeId>(v);
    }
    if (!m_index) {
        py::dict index;
        for (std::size_t k = 0; k < m_labels.size(); ++k) index[m_labels[k]] = py::int_(k);
        m_index = index;
    }
    PyObject* k = PyDict_GetItemWithError(m_index.ptr(), label.ptr());
    if (k == nullptr) {
        // An unhashable label is no node's label either.
        if (PyErr_Occurred() && !PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
        PyErr_Clear();
        return std::nullopt;
    }
    return static_cast<hcp::NodeId>(PyLong_AsSsize_t(k));
}

}  // namespace pyhcp
