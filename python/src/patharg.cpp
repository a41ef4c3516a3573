#include "patharg.h"

namespace pyhcp {

namespace py = pybind11;

std::string PathArgument(py::handle path)
{
    // fsencode undoes the surrogate escapes of undecodable names, so any
    // name os.listdir returned reaches the same file.
    py::object encoded = py::module_::import("os").attr("fsencode")(path);
    return encoded.cast<std::string>();
}

unsigned long long IndexArgument(py::handle value, unsigned long long limit, const char* what)
{
    auto index = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (!index) throw py::error_already_set();   // TypeError: not an integer
    const auto shown = [&] { return " (got " + py::repr(index).cast<std::string>() + ")"; };
    const int negative = PyObject_RichCompareBool(index.ptr(), py::int_(0).ptr(), Py_LT);
    if (negative < 0) throw py::error_already_set();
    if (negative) throw py::value_error(std::string(what) + " must not be negative" + shown());
    const unsigned long long u = PyLong_AsUnsignedLongLong(index.ptr());
    const bool overflow = PyErr_Occurred() != nullptr;
    if (overflow) PyErr_Clear();
    if (overflow || u > limit)
        throw py::value_error(std::string(what) + " must be at most " + std::to_string(limit) + shown());
    return u;
}

}  // namespace pyhcp
