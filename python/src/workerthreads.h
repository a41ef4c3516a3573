// Threads for the solves of Python calls, kept between calls. A thread per
// call cost more than converting a 1,000-node graph: creating it faults in
// a fresh stack and ending it hands the stack back to the kernel.
#pragma once

#include <functional>

namespace pyhcp {

// Runs task on an idle worker thread, or on a new one when none is idle.
// The task must not throw. Workers idle for half a minute end. Safe after
// fork(): the child starts a pool of its own.
void RunOnWorker(std::function<void()> task);

}  // namespace pyhcp
