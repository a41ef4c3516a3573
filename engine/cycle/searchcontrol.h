// Options and counters a caller can hand to the search drivers: a stop
// request settable from another thread, counters of the work done, and the
// choice of the plain list-based search that the fast one is checked
// against.
#pragma once

#include <cstdint>
#include <stop_token>

namespace hcp {

struct SearchStats {
    std::uint64_t optimizeCalls = 0;   // Optimize calls made
    std::uint64_t loopSteps = 0;       // main-loop steps over all calls
};

struct SearchControl {
    std::stop_token stop;              // checked once per main-loop step
    SearchStats* stats = nullptr;      // counters are added here if set
    bool listBased = false;            // run the plain list-based search
    // With stats set, the drivers end as on a stop request once the steps
    // counted there reach this many; 0 means no limit. Steps, not seconds,
    // so a limited run repeats.
    std::uint64_t stepLimit = 0;

    // A stop request, or the step limit reached with `pending` steps of
    // the running call not yet counted.
    bool Stopped(std::uint64_t pending = 0) const
    {
        return stop.stop_requested()
               || (stepLimit != 0 && stats != nullptr && stats->loopSteps + pending >= stepLimit);
    }
};

}  // namespace hcp
