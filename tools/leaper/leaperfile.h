// Writing the leaper graph as a TSPLIB HCP file, in the same text as the
// engine's own writer: a temporary file next to the target is filled and
// renamed over it only when every byte is on disk, so a failure (full disk,
// signal) never leaves a cut file and never removes an older one.
#pragma once

#include <string>

#include "leaperargs.h"

namespace leaper {

enum class WriteFailure { None, Open, Write };

// Writes the graph of args to name. On failure returns the kind and sets
// error to the reason (the system's words).
WriteFailure WriteLeaperFile(const LeaperArgs& args, const std::string& name, std::string& error);

// Removes the temporary file of a write in progress; safe in a signal
// handler.
void RemovePartialFile();

}  // namespace leaper
