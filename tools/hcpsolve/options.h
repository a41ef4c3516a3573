// Everything hcpsolve takes from its command line, and the parser that
// fills it (with --help and --version).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solve/solver.h"

namespace hcpsolve {

enum class Format { Text, Csv, Json };

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
};

// Parses the command line. Returns -1 when the program should go on with
// opts filled, otherwise the exit status to end with (after --help,
// --version, or a one-line usage error on the standard error stream).
int ParseOptions(int argc, char** argv, Options& opts);

}  // namespace hcpsolve
