// tourvane.solve and tourvane.methods.
#include "bindings.h"

#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graphinput.h"
#include "interruptible.h"
#include "patharg.h"
#include "pyresult.h"
#include "questionarg.h"
#include "solve/solver.h"

namespace pyhcp {

namespace {

Result Solve(py::handle graph, const std::string& method, py::handle seed, py::handle timeLimit,
             py::handle path, py::handle ends)
{
    hcp::SolveOptions options;
    options.seed = IndexArgument(seed, std::numeric_limits<std::uint64_t>::max(), "seed");
    if (!timeLimit.is_none()) {
        // float("2") would accept a string; a time limit is a number.
        if (!PyNumber_Check(timeLimit.ptr()) || PyUnicode_Check(timeLimit.ptr()))
            throw py::type_error("time_limit must be a number of seconds or None, not "
                                 + std::string(Py_TYPE(timeLimit.ptr())->tp_name));
        const double t = py::float_(py::reinterpret_borrow<py::object>(timeLimit));
        if (!(t > 0))
            throw py::value_error("time_limit must be a positive number of seconds or None (got "
                                  + py::repr(timeLimit).cast<std::string>() + ")");
        if (std::isfinite(t)) options.timeLimit = t;
    }
    const LabelledGraph input = LabelledGraph::FromPython(graph);
    options.question = QuestionArgument(input, path, ends);
    const hcp::SolveResult r = SolveInterruptibly(input.Graph(), method, options);
    return Result::From(r, input);
}

std::vector<std::string> MethodNames()
{
    std::vector<std::string> names;
    for (const hcp::Method* m : hcp::Methods()) names.emplace_back(m->Name());
    return names;
}

}  // namespace

void BindSolve(py::module_& m)
{
    m.def("solve", &Solve, py::arg("graph"), py::arg("method") = std::string(hcp::kDefaultMethod), py::arg("seed") = 1,
          py::arg("time_limit") = py::none(), py::kw_only(), py::arg("path") = false,
          py::arg("ends") = py::none(),
          R"(Looks for a Hamiltonian cycle, or with path=True or ends a Hamiltonian path.

graph is one of
  - a networkx graph: its nodes, with any hashable labels, in the order
    G.nodes lists them. A DiGraph (or MultiDiGraph) is directed: a cycle
    or path follows its arcs;
  - an iterable of (u, v) pairs of hashable labels (undirected): the nodes
    are the labels that appear, numbered in the order they first appear (a
    node that is in no pair does not exist);
  - a tourvane.Graph (directed when built by Graph.from_arcs or read from
    a directed file): the nodes are 0..n-1.
Self-loops are ignored and repeated edges (arcs) count once.

path=True asks for a Hamiltonian path with free ends instead of a cycle.
ends=(s, t) asks for a path from s to t, ends=(s, None) for one starting
at s, ends=(None, None) for free ends; s and t are node labels as above
(node numbers for a tourvane.Graph). Giving ends implies path=True. The
path is Result.path, first node to last; Verdict.HAMILTONIAN then means a
path was found and NO_CYCLE that none exists.

method names a registered method (see tourvane.methods()); "auto" picks the
engine's choice. The same graph, method and seed give the same result.
time_limit is in seconds (None: no limit); when it runs out the verdict is
UNKNOWN unless a cycle was found. The solve runs without the GIL; Ctrl-C
stops it and raises KeyboardInterrupt.

Every tour and path returned has been checked against the graph, and
NO_CYCLE is only returned with a proof (see Result.reason).

Raises TypeError for a graph of another kind or a path that is not a
bool, ValueError for an unknown method, a bad pair, a negative seed, a
time limit that is not positive, and ends that are not a pair of
different nodes of the graph.)");
    m.def("methods", &MethodNames,
          "The names of the registered solve methods, in registration order.");
}

}  // namespace pyhcp
