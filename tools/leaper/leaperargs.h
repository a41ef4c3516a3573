// The four numbers of the leaper command line, read strictly: each must be a
// whole decimal integer, the steps non-negative, the board at least 1 x 1 and
// small enough that every square gets a node number of the engine's graph
// type (32 bits).
#pragma once

#include <string>

#include "core/leapergraph.h"

namespace leaper {

using LeaperArgs = hcp::LeaperShape;

// Largest board: node numbers are unsigned 32-bit. The file is written as
// it is generated, so memory sets no lower limit.
constexpr long long kMaxSquares = 4294967295LL;
// Largest board the legacy engine and the desktop program can hold.
constexpr long long kLegacyMaxSquares = 32767;

// Reads a, b, m, n from the four texts. On failure returns false and sets
// error to a one-line description naming the argument at fault.
bool ParseLeaperArgs(const char* const texts[4], LeaperArgs& args, std::string& error);

// "leaper_a_b_m_n.hcp"
std::string LeaperFileName(const LeaperArgs& args);

}  // namespace leaper
