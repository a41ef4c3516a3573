#include "console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unistd.h>

#include "io/messagetext.h"

namespace hcpsolve {

namespace {

bool g_quiet = false;
bool g_progressShown = false;   // a progress line stands on the terminal
int g_outputErrno = 0;          // why the standard output stream failed
bool g_outputReported = false;

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
    std::fprintf(stderr, "hcpsolve: error: %s\n", hcp::EscapeControls(message).c_str());
    std::fflush(stderr);
}

void PrintWarning(const std::string& message)
{
    if (g_quiet) return;
    std::lock_guard<std::mutex> lock(ConsoleMutex());
    ClearLineLocked();
    std::fprintf(stderr, "hcpsolve: warning: %s\n", hcp::EscapeControls(message).c_str());
    std::fflush(stderr);
}

bool WriteResultLine(const std::string& line)
{
    errno = 0;
    const bool ok = std::fwrite(line.data(), 1, line.size(), stdout) == line.size()
                 && std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!ok && g_outputErrno == 0) g_outputErrno = errno != 0 ? errno : EIO;
    return ok;
}

bool PutResultLine(const std::string& line)
{
    errno = 0;
    const bool ok = std::fwrite(line.data(), 1, line.size(), stdout) == line.size()
                 && std::fputc('\n', stdout) != EOF && !std::ferror(stdout);
    if (!ok && g_outputErrno == 0) g_outputErrno = errno != 0 ? errno : EIO;
    return ok;
}

bool FlushResults()
{
    errno = 0;
    const bool ok = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!ok && g_outputErrno == 0) g_outputErrno = errno != 0 ? errno : EIO;
    return ok;
}

void ReportOutputFailure()
{
    if (g_outputReported) return;
    g_outputReported = true;
    PrintError(std::string("cannot write the results to standard output: ")
                   + std::strerror(g_outputErrno != 0 ? g_outputErrno : EIO),
               true);
}

void ShowProgress(const std::string& text)
{
    std::lock_guard<std::mutex> lock(ConsoleMutex());
    ClearLineLocked();
    if (!text.empty()) {
        std::fputs(hcp::EscapeControls(text).c_str(), stderr);
        g_progressShown = true;
    }
    std::fflush(stderr);
}

}  // namespace hcpsolve
