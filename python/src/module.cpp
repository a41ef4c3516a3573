// The tourvane extension module: the engine's solver, graph and file formats
// for Python. The package's __init__.py re-exports what is bound here.
#include <pybind11/pybind11.h>

#include <stdexcept>

#include "bindings.h"
#include "io/graphfile.h"

namespace py = pybind11;

PYBIND11_MODULE(_core, m)
{
    m.doc() = "Hamiltonian cycles and paths of graphs and digraphs: the Tourvane engine for Python.";
    // The engine's file errors name the file and the problem: keep the
    // message, give it the exception class Python code expects.
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const hcp::ReadOutOfMemory& e) {
            PyErr_SetString(PyExc_MemoryError, e.what());
        } catch (const hcp::FileError& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        } catch (const hcp::FormatError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        }
    });
    pyhcp::BindResult(m);
    pyhcp::BindGraph(m);
    pyhcp::BindRead(m);
    pyhcp::BindSolve(m);
    pyhcp::BindTour(m);
    m.attr("__version__") = TOURVANE_VERSION;
}
