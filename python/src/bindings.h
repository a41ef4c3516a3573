// The parts of the tourvane module, each bound by its own file.
#pragma once

#include <pybind11/pybind11.h>

namespace pyhcp {

namespace py = pybind11;

void BindResult(py::module_& m);   // pyresult.cpp
void BindGraph(py::module_& m);    // graphbinding.cpp
void BindSolve(py::module_& m);    // solvebinding.cpp
void BindRead(py::module_& m);     // readbinding.cpp (after BindGraph)
void BindTour(py::module_& m);     // tourbinding.cpp

}  // namespace pyhcp
