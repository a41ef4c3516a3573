// Scripted use without a window, for papers and checks:
//   Tourvane32 [--find-cycle | --solve] [--path | --path-from S | --path-ends S,T]
//              [--layout circle|board|force] --export OUT.png|OUT.svg|OUT.pdf GRAPH
// opens the graph, asks for a cycle or a path, does the work, writes the
// picture, prints the outcome line and ends with 0 when a cycle (path) was
// found, 1 when not, 2 on errors.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/question.h"
#include "graphlayoutkind.h"

namespace app {

struct ScriptArgs {
    enum class Work { None, FindCycle, Solve };
    Work work = Work::None;
    std::optional<LayoutKind> layout;   // unset: the circle
    // The question: a cycle, or a path with the ends as typed (1-based,
    // checked against the graph once it is read).
    hcp::Goal goal = hcp::Goal::Cycle;
    std::string pathEnds;
    std::string output;
    std::string graph;
};

// Exit statuses.
constexpr int kScriptCycle = 0;
constexpr int kScriptNoCycle = 1;
constexpr int kScriptError = 2;

// Whether the arguments ask for the scripted export (they hold --export).
bool WantsScriptedExport(const std::vector<std::string>& args);

// Reads the arguments (without the program name). False with a one-line
// error when they are not a valid scripted call.
bool ParseScriptArgs(const std::vector<std::string>& args, ScriptArgs& out, std::string& error);

// The usage lines --help prints for the scripted export.
const char* ScriptUsage();

// Does the work; needs a QGuiApplication. The outcome line goes to out,
// errors (one line naming the file) to err.
int RunScriptedExport(const ScriptArgs& args, std::ostream& out, std::ostream& err);

}  // namespace app
