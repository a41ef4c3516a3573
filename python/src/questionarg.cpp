#include "questionarg.h"

#include <optional>
#include <string>
#include <vector>

#include "graphinput.h"

namespace pyhcp {

namespace {

std::string Shown(py::handle h)
{
    std::string s = py::repr(h).cast<std::string>();
    if (s.size() > 60) s = s.substr(0, 57) + "...";
    return s;
}

// The two items of ends; a string is refused rather than split.
std::vector<py::object> EndItems(py::handle ends)
{
    const auto bad = [&] {
        return py::value_error("ends must be a pair (s, t) or (s, None) of node labels, not " + Shown(ends));
    };
    PyObject* p = ends.ptr();
    if (PyUnicode_Check(p) || PyBytes_Check(p) || PyDict_Check(p) || !py::isinstance<py::iterable>(ends))
        throw bad();
    std::vector<py::object> items;
    for (py::handle item : ends) {
        if (items.size() == 2) throw bad();
        items.push_back(py::reinterpret_borrow<py::object>(item));
    }
    if (items.size() != 2) throw bad();
    return items;
}

hcp::NodeId EndNode(const LabelledGraph& graph, py::handle label, const char* which)
{
    const std::optional<hcp::NodeId> node = graph.Find(label);
    if (node) return *node;
    std::string message = "ends: " + Shown(label) + " (the path's " + which + " node) is not a node of the graph";
    if (graph.AllLabels().is_none()) {
        const hcp::NodeId n = graph.Graph().NodeCount();
        message += n == 0 ? " (it has no nodes)" : " (its nodes are 0.." + std::to_string(n - 1) + ")";
    }
    throw py::value_error(message);
}

}  // namespace

hcp::Question QuestionArgument(const LabelledGraph& graph, py::handle path, py::handle ends)
{
    if (!PyBool_Check(path.ptr()))
        throw py::type_error("path must be True or False, not " + Shown(path));
    if (ends.is_none()) return path.ptr() == Py_True ? hcp::Question::Path() : hcp::Question::Cycle();
    const std::vector<py::object> items = EndItems(ends);
    hcp::Question q = hcp::Question::Path();
    if (items[0].is_none()) {
        if (!items[1].is_none())
            throw py::value_error("ends: a path with a given last node needs its first node too; "
                                  "ends=(s, None) fixes the first alone");
        return q;
    }
    q.from = EndNode(graph, items[0], "first");
    if (!items[1].is_none()) {
        q.to = EndNode(graph, items[1], "last");
        if (*q.to == *q.from)
            throw py::value_error("ends: a path needs two different ends, not " + Shown(items[0])
                                  + " twice");
    }
    const std::string problem = hcp::QuestionProblem(graph.Graph(), q);
    if (!problem.empty()) throw py::value_error("ends: " + problem);
    return q;
}

}  // namespace pyhcp
