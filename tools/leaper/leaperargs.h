// The four numbers of the leaper command line, read strictly: each must be a
// whole decimal integer, the steps non-negative, the board at least 1 x 1 and
// small enough that every square gets a 16-bit node number.
#pragma once

#include <string>

namespace leaper {

struct LeaperArgs {
    int a = 0;   // step along one axis
    int b = 0;   // step along the other
    int m = 0;   // board rows
    int n = 0;   // board columns
};

// Largest board: node numbers are 16-bit signed.
constexpr long kMaxSquares = 32767;

// Reads a, b, m, n from the four texts. On failure returns false and sets
// error to a one-line description naming the argument at fault.
bool ParseLeaperArgs(const char* const texts[4], LeaperArgs& args, std::string& error);

// "leaper_a_b_m_n.hcp"
std::string LeaperFileName(const LeaperArgs& args);

}  // namespace leaper
