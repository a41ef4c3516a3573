// The outcome of tourvane.solve as Python sees it: the engine's result with
// its orders translated into the caller's own node labels.
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "core/question.h"
#include "core/result.h"
#include "core/verdict.h"

namespace pyhcp {

namespace py = pybind11;

class LabelledGraph;

struct Result {
    hcp::Goal goal = hcp::Goal::Cycle;   // what was asked
    hcp::Verdict verdict = hcp::Verdict::Unknown;
    py::object tour;        // the checked cycle in the caller's labels, or None
    py::object path;        // the checked path (first to last) in the caller's labels, or None
    py::object order;       // the best order reached (maybe with gaps), or None
    py::object gaps;        // gaps of order, or None without an order
    std::string reason;
    std::string method;
    std::uint64_t seed = 0;
    bool stopped = false;
    double seconds = 0.0;
    py::object labels;      // the caller's label of solver node k, or None: k itself

    static Result From(const hcp::SolveResult& r, const LabelledGraph& graph);
    // Result(verdict=HAMILTONIAN, method='exist', gaps=0, ..., tour=[a, b, ... 900 nodes]);
    // for a path question verdict=HAMILTONIAN_PATH or NO_PATH, and path=[...].
    std::string Repr() const;
    // The caller's label of the node a reason calls `number` (from 1).
    py::object Label(long long number) const;
};

}  // namespace pyhcp
