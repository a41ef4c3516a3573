#include "console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <ostream>
#include <unistd.h>

#include "io/messagetext.h"

namespace hcpsolve {

namespace {

bool g_quiet = false;
bool g_progressShown = false;   // a progress line stands on the terminal
int g_outputErrno = 0;          // why the results' standard stream failed
bool g_outputReported = false;
int g_selectionErrno = 0;       // why the selected graphs could not be written
bool g_selectionReported = false;

// Where the result lines go.
enum class ResultsTo { Output, Error, Stream };
ResultsTo g_resultsTo = ResultsTo::Output;
std::ostream* g_resultsStream = nullptr;

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

bool ProgressWanted() { return !g_quiet && g_resultsTo != ResultsTo::Error && isatty(STDERR_FILENO) == 1; }

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

void SetResultsToStandardError() { g_resultsTo = ResultsTo::Error; }

void SetResultsToStream(std::ostream* out)
{
    g_resultsTo = ResultsTo::Stream;
    g_resultsStream = out;
}

namespace {

// Writes line and a line end to the results, flushed when asked.
bool PutLine(const std::string& line, bool flush)
{
    if (g_resultsTo == ResultsTo::Stream) {
        g_resultsStream->write(line.data(), static_cast<std::streamsize>(line.size())).put('\n');
        if (flush) g_resultsStream->flush();
        return g_resultsStream->good();
    }
    std::FILE* const out = g_resultsTo == ResultsTo::Error ? stderr : stdout;
    std::unique_lock<std::mutex> lock(ConsoleMutex(), std::defer_lock);
    if (out == stderr) lock.lock();
    errno = 0;
    const bool ok = std::fwrite(line.data(), 1, line.size(), out) == line.size() && std::fputc('\n', out) != EOF
                 && (!flush || std::fflush(out) == 0) && !std::ferror(out);
    if (!ok && g_outputErrno == 0) g_outputErrno = errno != 0 ? errno : EIO;
    return ok;
}

}  // namespace

bool WriteResultLine(const std::string& line) { return PutLine(line, true); }

bool PutResultLine(const std::string& line) { return PutLine(line, false); }

bool FlushResults()
{
    if (g_resultsTo == ResultsTo::Stream) return g_resultsStream->flush().good();
    std::FILE* const out = g_resultsTo == ResultsTo::Error ? stderr : stdout;
    errno = 0;
    const bool ok = std::fflush(out) == 0 && !std::ferror(out);
    if (!ok && g_outputErrno == 0) g_outputErrno = errno != 0 ? errno : EIO;
    return ok;
}

void ReportOutputFailure()
{
    if (g_outputReported || g_resultsTo == ResultsTo::Stream) return;
    g_outputReported = true;
    PrintError(std::string("cannot write the results to ")
                   + (g_resultsTo == ResultsTo::Error ? "standard error: " : "standard output: ")
                   + std::strerror(g_outputErrno != 0 ? g_outputErrno : EIO),
               true);
}

bool PutSelectedGraph(const std::string& text)
{
    errno = 0;
    const bool ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && !std::ferror(stdout);
    if (!ok && g_selectionErrno == 0) g_selectionErrno = errno != 0 ? errno : EIO;
    return ok;
}

bool FlushSelectedGraphs()
{
    errno = 0;
    const bool ok = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!ok && g_selectionErrno == 0) g_selectionErrno = errno != 0 ? errno : EIO;
    return ok;
}

void ReportSelectionFailure()
{
    if (g_selectionReported) return;
    g_selectionReported = true;
    PrintError(std::string("cannot write the selected graphs to standard output: ")
                   + std::strerror(g_selectionErrno != 0 ? g_selectionErrno : EIO),
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
