// The outcome of one solve: the verdict, the best order reached, why a
// graph has no cycle, and what the work cost.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/graph.h"
#include "core/question.h"
#include "core/verdict.h"

namespace hcp {

// Work counters; a method fills those that apply to it.
struct SolveStats {
    std::uint64_t optimizeCalls = 0;    // legacy Optimize calls
    std::uint64_t loopSteps = 0;        // local-search steps
    std::uint64_t restarts = 0;         // starting orders tried
    std::uint64_t satCalls = 0;         // SAT solver calls
    std::uint64_t clausesAdded = 0;     // clauses added after the first call
    std::uint64_t subcyclesMerged = 0;  // subcycles joined without a SAT call
    std::uint64_t branches = 0;         // search-tree nodes of a complete search

    // The work of several runs (restarts, the threads of a race) together.
    SolveStats& operator+=(const SolveStats& o)
    {
        optimizeCalls += o.optimizeCalls;
        loopSteps += o.loopSteps;
        restarts += o.restarts;
        satCalls += o.satCalls;
        clausesAdded += o.clausesAdded;
        subcyclesMerged += o.subcyclesMerged;
        branches += o.branches;
        return *this;
    }
};

struct SolveResult {
    // What was asked: with Goal::Path, Hamiltonian means a path was found
    // and NoCycle that none exists.
    Goal goal = Goal::Cycle;
    Verdict verdict = Verdict::Unknown;
    // The best order reached: every node once when not empty, cyclic for the
    // cycle question, open (first to last, no closing link) for the path
    // question. With Hamiltonian it is the checked cycle or path. Empty when
    // the method built none (a proof, or a stop before any order existed).
    std::vector<NodeId> order;
    // Gaps of that order in the graph as given (0 for Hamiltonian); -1 when
    // there is no order.
    int gaps = -1;
    // For NoCycle, why, in words with 1-based node numbers ("node 17 has
    // degree 1"). For Unknown, what ended the search when that is useful.
    std::string reason;
    std::string method;           // the method that decided (for auto, the part)
    // The stage of that method that decided, where it has stages (the
    // complete method: "proofs", "frontier", "blocks", "sat", ...), or,
    // for Unknown, the stage it ended in; empty for methods without stages.
    std::string stage;
    std::uint64_t seed = 0;       // the seed of the run (restart) reported
    // The restart whose order or proof is reported (restart k runs with
    // seed + k); -1 when the result reports neither.
    int restart = -1;
    bool stopped = false;         // a stop request or the time budget ended it
    double seconds = 0.0;         // wall time of the solve
    SolveStats stats;
};

}  // namespace hcp
