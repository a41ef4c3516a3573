// Everything hcpsolve takes from its command line, and the parser that
// fills it (with --help and --version).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/question.h"
#include "solve/solver.h"

namespace hcpsolve {

enum class Format { Text, Csv, Json };

// What --select writes to standard output: the graphs with a cycle (a path
// with --path*), those proved to have none, or those left undecided.
enum class Select { None, Hamiltonian, NoCycle, Undecided };

struct Options {
    std::vector<std::string> files;     // graphs to solve, in order
    std::string method{hcp::kDefaultMethod};   // a method registered with the engine
    std::uint32_t seed = 1;             // restart k fixes the seed clock to seed + k
    int restarts = 4;                   // restarts per file, stop at the first cycle
    int jobs = 1;                       // worker threads
    double timeLimit = 0;               // seconds per file, 0 = none
    int calls = 5;                      // Optimize calls per restart (method optimize)
    std::string outDir;                 // where tours go; empty = none written
    std::vector<std::string> verify;    // GRAPH TOUR, when checking a tour
    Format format = Format::Text;
    bool quiet = false;
    // The question asked of every graph (0-based ends), and the option as
    // typed ("--path-ends 3,7"), for the error of a graph it does not fit.
    hcp::Question question;
    std::string questionOption;
    Select select = Select::None;       // with a selection, graphs go to standard output
    std::string resultsFile;            // --results: where result lines go then; empty = standard error
};

// Parses the command line. Returns -1 when the program should go on with
// opts filled, otherwise the exit status to end with (after --help,
// --version, or a one-line usage error on the standard error stream).
int ParseOptions(int argc, char** argv, Options& opts);

}  // namespace hcpsolve
