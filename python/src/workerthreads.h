// Threads for the solves of Python calls, kept between calls. A thread per
// call cost more than converting a 1,000-node graph: creating it faults in
// a fresh stack and ending it hands the stack back to the kernel.
#pragma once

#include <functional>

namespace pyhcp {

// Runs work on an idle worker thread, or on a new one when none is idle,
// then done on the same thread once the worker is idle again: a caller that
// waits for done and calls again at once gets the same worker, not a new
// one. Neither may throw. Workers idle for half a minute end. Safe after
// fork(): the child starts a pool of its own.
void RunOnWorker(std::function<void()> work, std::function<void()> done);

}  // namespace pyhcp
