// The solver interface: every front end (hcpsolve, the desktop program, the
// Python module, the benchmarks) solves through Solve and names the method
// it wants. Solve runs the method on the caller's const graph under the
// caller's stop token and time budget, then checks what it returns: a
// Hamiltonian verdict only leaves here with a cycle verified on the graph.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/graph.h"
#include "core/method.h"
#include "core/options.h"
#include "core/result.h"
#include "export.h"

namespace hcp {

// The method a front end runs when its user names none.
inline constexpr std::string_view kDefaultMethod = "auto";

// Solves g with the named method. Throws std::invalid_argument for an
// unknown name, listing the known ones.
TOURKERN_API SolveResult Solve(const Graph& g, std::string_view method,
                               const SolveOptions& options = {});

// The method of that name, or null.
TOURKERN_API const Method* FindMethod(std::string_view name);
// Every registered method, in registration order.
TOURKERN_API std::vector<const Method*> Methods();
// "exist, min, optimize, ..." for messages and --help.
TOURKERN_API std::string MethodNameList();

// Adds a method (a later one of the same name replaces the earlier). The
// engine's own methods are registered before the first look-up; this is
// for tests and for callers with methods of their own.
TOURKERN_API void RegisterMethod(std::shared_ptr<const Method> method);

}  // namespace hcp
