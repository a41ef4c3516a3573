// The standard streams shared by the threads: error lines and the progress
// line a terminal shows, serialised so they never interleave; the result
// lines wherever they go; and the graphs a selection passes on.
#pragma once

#include <iosfwd>
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

// Where result lines go: standard output unless told otherwise. --select
// sends them to standard error (then no progress line is drawn between
// them), or to a file's stream, whose failure the caller reports with the
// file's name once the file is closed.
void SetResultsToStandardError();
void SetResultsToStream(std::ostream* out);

// Writes line and a line end to the results and flushes them. False when
// that failed (full disk, closed pipe): the caller reports it with
// ReportOutputFailure and ends with status 2.
bool WriteResultLine(const std::string& line);
// The same without the flush, for many lines in a row (FlushResults then).
bool PutResultLine(const std::string& line);
// Flushes the results; false when anything written to them (checked or
// not) was lost.
bool FlushResults();
// "cannot write the results to standard output: reason", once (nothing
// for a file's stream).
void ReportOutputFailure();

// The graphs --select passes on, exactly as given, to standard output.
// False when the write failed: the caller reports it with
// ReportSelectionFailure and ends with status 2.
bool PutSelectedGraph(const std::string& text);
// Flushes the standard output stream after PutSelectedGraph.
bool FlushSelectedGraphs();
// "cannot write the selected graphs to standard output: reason", once.
void ReportSelectionFailure();

// Replaces the terminal's progress line; empty text clears it.
void ShowProgress(const std::string& text);

}  // namespace hcpsolve
