// Two searches side by side on two threads. Each side gets the caller's
// options with a stop token that the caller's token and the other side's
// definite answer both trigger, progress reports serialised between the
// two, and (on the second thread) diagnostics held back until the race
// ends, so two threads never write to the caller's stream at once. An
// exception thrown on either side stops the other and is rethrown to the
// caller once both have ended.
#pragma once

#include <functional>

#include "core/options.h"
#include "core/result.h"
#include "export.h"

namespace hcp {

struct RaceSide {
    // The search, under the options the race hands it.
    std::function<SolveResult(const SolveOptions&)> run;
    // True when this side only answers through a complete method; with
    // both sides definite, such an answer wins over the other side's.
    bool complete = false;
};

struct RaceOutcome {
    SolveResult first;      // what the calling thread's side returned
    SolveResult second;     // what the second thread's side returned
    // The side whose answer counts: 1 when only the second side is definite,
    // or both are and only the second is complete; 0 otherwise.
    int winner = 0;
    // The counting answer, with the other side's work added to its
    // statistics and, when it is undecided, the better order of the two.
    SolveResult Take();
};

// Runs first on the calling thread and second on a new one, both until they
// return. Which side wins may depend on timing; every answer of either side
// is sound, so the verdict does not.
TOURKERN_API RaceOutcome Race(const RaceSide& first, const RaceSide& second, const SolveOptions& options);

}  // namespace hcp
