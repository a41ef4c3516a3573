#include "interrupt.h"

#include <atomic>
#include <csignal>
#include <signal.h>

#include "io/atomicfile.h"

namespace hcpsolve {

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

extern "C" void OnInterrupt(int sig)
{
    if (!g_interrupted.exchange(true)) return;
    // The second one ends the program at once, leaving no temporary of a
    // file being written (a tour, the results file) behind.
    hcp::RemovePendingTemporaries();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// A reader that went away (`| head`) ends the program as it would any
// filter, but not with a temporary of the results file left behind.
extern "C" void OnBrokenPipe(int sig)
{
    hcp::RemovePendingTemporaries();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

}  // namespace

void InstallInterruptHandler()
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A caller that ignores SIGPIPE gets write errors instead, as before.
    struct sigaction pipe {};
    sigaction(SIGPIPE, nullptr, &pipe);
    if (pipe.sa_handler != SIG_IGN) {
        action.sa_handler = OnBrokenPipe;
        sigaction(SIGPIPE, &action, nullptr);
    }
}

bool InterruptRequested() { return g_interrupted.load(); }

}  // namespace hcpsolve
