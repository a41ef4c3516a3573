#include "tourfile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace app {
namespace {

// One line without its end; false at the end of the input.
bool ReadLine(std::istream& in, std::string& line)
{
    line.clear();
    int c = in.get();
    if (c == EOF)
        return false;
    while (c != EOF) {
        if (c == '\n')
            break;
        if (c == '\r') {
            // The carriage return takes the next character with it.
            in.get();
            break;
        }
        line.push_back(static_cast<char>(c));
        c = in.get();
    }
    return true;
}

// The leading decimal integer of line (blanks and a sign allowed), 0 when
// there is none, cut to its low 16 bits as a signed value.
short LeadingShort(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    unsigned long value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i)
        value = value * 10 + static_cast<unsigned>(line[i] - '0');
    if (negative)
        value = 0ul - value;
    return static_cast<short>(static_cast<unsigned short>(value & 0xFFFFu));
}

}  // namespace

std::string TourTextFromStream(std::istream& in)
{
    std::string line;
    bool found = false;
    while (ReadLine(in, line)) {
        if (line == "TOUR_SECTION") {
            found = true;
            break;
        }
    }
    std::string text = "{";
    if (found) {
        while (ReadLine(in, line)) {
            if (line == "-1")
                break;
            text += ' ';
            text += std::to_string(LeadingShort(line));
        }
    }
    text += " }";
    return text;
}

bool ReadTourFile(const std::string& path, std::string& text, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = path + ": cannot open file: " + std::strerror(errno);
        return false;
    }
    std::string result = TourTextFromStream(in);
    if (in.bad()) {
        if (error)
            *error = path + ": read error";
        return false;
    }
    text = result;
    return true;
}

}  // namespace app
