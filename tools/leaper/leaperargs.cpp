#include "leaperargs.h"

#include <cerrno>
#include <cstdlib>

namespace leaper {

namespace {

const char* const kNames[4] = {"<a>", "<b>", "<m>", "<n>"};

// A whole decimal integer in int range: optional sign, digits, nothing else.
// Leading blanks are refused too, so that what is read is what was typed.
bool ReadInt(const char* text, int& value, std::string& why)
{
    const char* p = text;
    if (*p == '+' || *p == '-') ++p;
    if (*p < '0' || *p > '9') {
        why = "is not a decimal integer";
        return false;
    }
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (*end != '\0') {
        why = "is not a decimal integer";
        return false;
    }
    if (errno == ERANGE || v < -2147483647L - 1 || v > 2147483647L) {
        why = "is out of range";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

}  // namespace

bool ParseLeaperArgs(const char* const texts[4], LeaperArgs& args, std::string& error)
{
    int values[4];
    for (int k = 0; k < 4; ++k) {
        std::string why;
        if (!ReadInt(texts[k], values[k], why)) {
            error = "argument " + std::string(kNames[k]) + " \"" + texts[k] + "\" " + why;
            return false;
        }
    }
    for (int k = 0; k < 2; ++k) {
        if (values[k] < 0) {
            error = "step length " + std::string(kNames[k]) + " must not be negative (got "
                  + std::to_string(values[k]) + ")";
            return false;
        }
    }
    for (int k = 2; k < 4; ++k) {
        if (values[k] < 1) {
            error = "board size " + std::string(kNames[k]) + " must be at least 1 (got "
                  + std::to_string(values[k]) + ")";
            return false;
        }
    }
    long long squares = static_cast<long long>(values[2]) * values[3];
    if (squares > kMaxSquares) {
        error = "board " + std::to_string(values[2]) + " x " + std::to_string(values[3])
              + " has " + std::to_string(squares) + " squares, more than the "
              + std::to_string(kMaxSquares) + " nodes a graph can number";
        return false;
    }
    args.a = values[0];
    args.b = values[1];
    args.m = values[2];
    args.n = values[3];
    return true;
}

std::string LeaperFileName(const LeaperArgs& args)
{
    return "leaper_" + std::to_string(args.a) + "_" + std::to_string(args.b) + "_"
         + std::to_string(args.m) + "_" + std::to_string(args.n) + ".hcp";
}

}  // namespace leaper
