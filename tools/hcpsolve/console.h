// The standard error stream shared by the worker threads: error lines and the
// progress line a terminal shows, serialised so they never interleave.
#pragma once

#include <string>

namespace hcpsolve {

// Drops error reasons and progress (--quiet).
void SetConsoleQuiet(bool quiet);
// True when progress is wanted: not quiet and the standard error stream is a
// terminal.
bool ProgressWanted();

// "hcpsolve: error: message" on its own line. Shown even with --quiet when
// always is set (usage errors), otherwise dropped by --quiet.
void PrintError(const std::string& message, bool always = false);
void PrintWarning(const std::string& message);

// Writes line and a line end to the standard output stream and flushes it.
// False when that failed (full disk, closed pipe): the caller reports it
// with OutputFailure and ends with status 2.
bool WriteResultLine(const std::string& line);
// The same without the flush, for many lines in a row (FlushResults then).
bool PutResultLine(const std::string& line);
// Flushes the standard output stream; false when anything written to it
// (checked or not) was lost.
bool FlushResults();
// "cannot write the results to standard output: reason", once.
void ReportOutputFailure();

// Replaces the terminal's progress line; empty text clears it.
void ShowProgress(const std::string& text);

}  // namespace hcpsolve
