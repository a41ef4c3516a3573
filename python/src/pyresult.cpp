#include "pyresult.h"

#include <cstdio>

#include "bindings.h"
#include "graphinput.h"

namespace pyhcp {

namespace {

// A long tour would flood a notebook cell: show its start and its length.
std::string ShortList(py::handle list)
{
    constexpr Py_ssize_t kShown = 6;
    const Py_ssize_t n = PyList_GET_SIZE(list.ptr());
    if (n <= kShown + 2) return py::repr(list).cast<std::string>();
    std::string s = "[";
    for (Py_ssize_t k = 0; k < kShown; ++k)
        s += py::repr(PyList_GET_ITEM(list.ptr(), k)).cast<std::string>() + ", ";
    return s + "... " + std::to_string(n) + " nodes]";
}

}  // namespace

Result Result::From(const hcp::SolveResult& r, const LabelledGraph& graph)
{
    Result out;
    out.goal = r.goal;
    out.verdict = r.verdict;
    if (r.order.empty()) {
        out.order = py::none();
        out.gaps = py::none();
    } else {
        out.order = graph.Labels(r.order);
        out.gaps = py::int_(r.gaps);
    }
    // Solve has already checked a Hamiltonian order against the graph and
    // the question.
    const bool found = r.verdict == hcp::Verdict::Hamiltonian;
    out.tour = found && r.goal == hcp::Goal::Cycle ? out.order : py::none();
    out.path = found && r.goal == hcp::Goal::Path ? out.order : py::none();
    out.reason = r.reason;
    out.method = r.method;
    out.seed = r.seed;
    out.stopped = r.stopped;
    out.seconds = r.seconds;
    out.labels = graph.AllLabels();
    return out;
}

std::string Result::Repr() const
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", this->seconds);
    std::string s = "Result(verdict=" + std::string(hcp::VerdictWord(verdict, goal))
                  + ", method=" + py::repr(py::str(method)).cast<std::string>()
                  + ", gaps=" + py::repr(gaps).cast<std::string>() + ", seconds=" + seconds;
    if (!reason.empty()) s += ", reason=" + py::repr(py::str(reason)).cast<std::string>();
    if (stopped) s += ", stopped=True";
    if (!tour.is_none()) s += ", tour=" + ShortList(tour);
    if (!path.is_none()) s += ", path=" + ShortList(path);
    return s + ")";
}

py::object Result::Label(long long number) const
{
    const long long count = labels.is_none() ? -1 : static_cast<long long>(py::len(labels));
    if (number < 1 || (count >= 0 && number > count))
        throw py::index_error("no node " + std::to_string(number) + " in the graph solved");
    if (labels.is_none()) return py::int_(number - 1);
    return labels[py::int_(number - 1)];
}

void BindResult(py::module_& m)
{
    py::enum_<hcp::Verdict>(m, "Verdict", "What a solve concluded about a graph.")
        .value("HAMILTONIAN", hcp::Verdict::Hamiltonian,
               "A cycle (for the path question: a path) through every node was found and "
               "checked against the graph.")
        .value("NO_CYCLE", hcp::Verdict::NoCycle,
               "Proved: the graph has no Hamiltonian cycle (for the path question: no "
               "Hamiltonian path with the given ends).")
        .value("UNKNOWN", hcp::Verdict::Unknown,
               "Neither: stopped, out of time, or the method cannot prove absence.");

    py::class_<Result>(m, "Result", "The outcome of tourvane.solve.")
        .def_property_readonly(
            "question", [](const Result& r) { return r.goal == hcp::Goal::Path ? "path" : "cycle"; },
            "What was asked: 'cycle' or 'path'.")
        .def_readonly("verdict", &Result::verdict,
                      "HAMILTONIAN, NO_CYCLE or UNKNOWN. For the path question HAMILTONIAN "
                      "means a path was found (Result.path) and NO_CYCLE that no path exists; "
                      "repr shows these as HAMILTONIAN_PATH and NO_PATH.")
        .def_readonly("tour", &Result::tour,
                      "The Hamiltonian cycle as a list of the caller's node labels (each node "
                      "once; the last joins the first), or None unless a cycle was asked for "
                      "and found. In a directed graph each node is followed by a successor.")
        .def_readonly("path", &Result::path,
                      "The Hamiltonian path as a list of the caller's node labels, first node "
                      "to last (each node once, no closing link), or None unless a path was "
                      "asked for and found. With ends it starts at s (and ends at t).")
        .def_readonly("order", &Result::order,
                      "The best order reached, in the caller's labels, even when it has gaps: "
                      "cyclic for the cycle question, open (first to last) for the path "
                      "question; the same list as tour or path when one was found. None when "
                      "the method built none (a proof, or an early stop).")
        .def_readonly("gaps", &Result::gaps,
                      "Links of order that are not edges (arcs), 0 for an answer, or None "
                      "without an order. A path has no closing link; an end that is not "
                      "where ends puts it counts as a gap.")
        .def_readonly("reason", &Result::reason,
                      "Why there is no cycle or path (NO_CYCLE), or what ended the search "
                      "(UNKNOWN), in the engine's words; Result.label turns a node number in "
                      "it into the caller's label.")
        .def_readonly("method", &Result::method, "The method that decided.")
        .def_readonly("seed", &Result::seed, "The seed the run used.")
        .def_readonly("stopped", &Result::stopped,
                      "True when the time limit or a stop request ended the solve.")
        .def_readonly("seconds", &Result::seconds, "Wall time of the solve in the engine.")
        .def("label", &Result::Label, py::arg("number"),
             "The caller's label of the node that reason calls `number`: reasons count "
             "nodes from 1 in the order solve read them (the graph's nodes, or the order "
             "of first appearance in an edge list; node k of a tourvane.Graph is number "
             "k+1).")
        .def("__repr__", &Result::Repr);
}

}  // namespace pyhcp
