#include "interruptible.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>

#include "solve/solver.h"
#include "workerthreads.h"

namespace pyhcp {

namespace py = pybind11;

namespace {

// How often the waiting thread looks at pending signals: short enough that
// Ctrl-C feels immediate, long enough to cost nothing. Finished work wakes
// the waiter at once, so this adds no latency to the result.
constexpr auto kSignalPoll = std::chrono::milliseconds(50);

struct Outcome {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::exception_ptr error;
};

}  // namespace

void RunInterruptibly(std::stop_source& stop, const std::function<void()>& task)
{
    // Python runs signal handlers only on its main thread, between
    // bytecodes; the work therefore cannot stay on this thread, which has
    // to come back to the interpreter to notice a Ctrl-C. The worker is
    // handed its task while the GIL is held (the pool relies on that).
    Outcome outcome;
    std::optional<py::error_already_set> raised;
    std::exception_ptr error;
    RunOnWorker(
        [&] {
            try {
                task();
            } catch (...) {
                error = std::current_exception();
            }
        },
        [&] {
            // Nothing of the caller's is touched after this lock is
            // released: the caller may return as soon as it sees done.
            std::lock_guard<std::mutex> lock(outcome.mutex);
            outcome.error = error;
            outcome.done = true;
            outcome.finished.notify_all();
        });
    {
        py::gil_scoped_release release;
        std::unique_lock<std::mutex> lock(outcome.mutex);
        while (!outcome.finished.wait_for(lock, kSignalPoll, [&] { return outcome.done; })) {
            lock.unlock();
            {
                py::gil_scoped_acquire acquire;
                if (PyErr_CheckSignals() != 0) raised.emplace();   // takes the pending exception
            }
            lock.lock();
            if (raised) {
                stop.request_stop();
                outcome.finished.wait(lock, [&] { return outcome.done; });
                break;
            }
        }
    }
    if (raised) throw std::move(*raised);
    if (outcome.error) std::rethrow_exception(outcome.error);
}

hcp::SolveResult SolveInterruptibly(const hcp::Graph& graph, const std::string& method,
                                    hcp::SolveOptions options)
{
    std::stop_source stop;
    options.stop = stop.get_token();
    hcp::SolveResult result;
    RunInterruptibly(stop, [&] { result = hcp::Solve(graph, method, options); });
    return result;
}

}  // namespace pyhcp
