#include "interrupt.h"

#include <atomic>
#include <csignal>
#include <signal.h>

namespace hcpsolve {

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

extern "C" void OnInterrupt(int sig)
{
    g_interrupted.store(true);
    // The next one gets the default action.
    std::signal(sig, SIG_DFL);
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
}

bool InterruptRequested() { return g_interrupted.load(); }

}  // namespace hcpsolve
