#include "console.h"

#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace hcpsolve {

namespace {

bool g_quiet = false;
bool g_progressShown = false;   // a progress line stands on the terminal

// Erases the progress line so that the next text starts at column 0.
void ClearLineLocked()
{
    if (g_progressShown) {
        std::fputs("\r\033[K", stderr);
        g_progressShown = false;
    }
}

// Held while writing to the standard error stream.
std::mutex& ConsoleMutex()
{
    static std::mutex m;
    return m;
}

}  // namespace

void SetConsoleQuiet(bool quiet) { g_quiet = quiet; }

bool ProgressWanted() { return !g_quiet && isatty(STDERR_FILENO) == 1; }

void PrintError(const std::string& message, bool always)
{
    if (g_quiet && !always) return;
    std::lock_guard<std::mutex> lock(ConsoleMutex());
    ClearLineLocked();
    std::fprintf(stderr, "hcpsolve: error: %s\n", message.c_str());
    std::fflush(stderr);
}

void PrintWarning(const std::string& message)
{
    if (g_quiet) return;
    std::lock_guard<std::mutex> lock(ConsoleMutex());
    ClearLineLocked();
    std::fprintf(stderr, "hcpsolve: warning: %s\n", message.c_str());
    std::fflush(stderr);
}

void ShowProgress(const std::string& text)
{
    std::lock_guard<std::mutex> lock(ConsoleMutex());
    ClearLineLocked();
    if (!text.empty()) {
        std::fputs(text.c_str(), stderr);
        g_progressShown = true;
    }
    std::fflush(stderr);
}

}  // namespace hcpsolve
