// File names from Python: str, bytes or os.PathLike, passed to the engine
// as the bytes the operating system sees.
#pragma once

#include <pybind11/pybind11.h>

#include <string>

namespace pyhcp {

std::string PathArgument(pybind11::handle path);

// Converts a Python integer (or anything with __index__) to an integer in
// [0, limit]; ValueError names what (and the value) otherwise.
unsigned long long IndexArgument(pybind11::handle value, unsigned long long limit, const char* what);

}  // namespace pyhcp
