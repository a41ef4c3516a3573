// What a caller tells a solve: the seed, how to stop it, how long it may
// take, where its progress and diagnostics go, and the knobs of the named
// methods. Every field has a default that gives a sound, repeatable run.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <stop_token>
#include <vector>

#include "core/graph.h"
#include "core/question.h"

namespace hcp {

// A progress report, sent from the solving thread.
struct Progress {
    int gaps = -1;                // fewest gaps reached so far (-1: none yet)
    double seconds = 0.0;         // since the solve began
    std::uint64_t work = 0;       // the method's own work count
    const char* phase = "";       // "local search", "sat", ...
};

// How the exact method's SAT search states a cycle cover (see
// exact/coverencoding.h): each model wins on some graphs, so by default
// both take turns (on large graphs after the edge model has run alone for
// a while).
enum class CoverModel : std::uint8_t {
    Both,    // arcs and edges in turn
    Arcs,    // a variable for each direction of each edge
    Edges    // a variable for each edge
};

struct SolveOptions {
    // A cycle (the default) or a path, and the path's given ends.
    Question question;
    // The same seed and graph give the same result on every run.
    std::uint64_t seed = 1;
    // A stop request from another thread ends the solve with what it has.
    std::stop_token stop;
    // Wall-clock budget in seconds for the whole solve; 0 means none.
    double timeLimit = 0.0;
    // Called now and then (at most a few times a second) when set.
    std::function<void(const Progress&)> progress;
    // Where the methods write diagnostics and legacy progress reports; null
    // drops them. Never std::cerr behind the caller's back.
    std::ostream* log = nullptr;

    // Knobs of the methods; each says which method reads it.
    int restarts = 1;             // exist/min/optimize: starting orders, seed + k
    int optimizeCalls = 5;        // optimize: Optimize calls per restart
    bool shuffleStart = true;     // optimize: shuffled (true) or 1..N start
    bool reduceGraph = true;      // optimize: degree-2 reduction before searching
    // exist/min/optimize: local-search steps one restart may take before it
    // ends with the order it has; 0 means no limit.
    std::uint64_t stepLimit = 0;
    std::uint64_t workBudget = 0; // auto: local-search work before the exact method; 0 = default
    int threads = 1;              // auto: threads it may use side by side
    std::vector<NodeId> startOrder;  // a starting order or phase hint (exact, auto)
    CoverModel coverModel = CoverModel::Both;  // exact: the SAT models it runs
    // exact: bytes its SAT models may take; a model estimated to need more
    // is not built. 0: half the machine's memory, at most 2 GB.
    std::uint64_t memoryBudget = 0;
    // exact: how many solves run at once and share that budget (the sides
    // of a race, the graphs a batch solves side by side); each plans with
    // its share.
    int memoryShares = 1;
};

}  // namespace hcp
