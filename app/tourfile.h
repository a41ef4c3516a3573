// Reads the TOUR_SECTION of a TSPLIB tour file into a cycle text such as
// "{ 3 1 2 }", one node per line up to the line "-1".
#pragma once

#include <istream>
#include <string>

namespace app {

// The cycle text of the tour in in. Lines end at a line feed, or at a
// carriage return together with the one character after it. Lines are
// skipped up to one that is exactly "TOUR_SECTION"; each later line up to
// "-1" gives its leading integer (low 16 bits, 0 when there is none).
// Without the section the text is "{ }".
std::string TourTextFromStream(std::istream& in);

// Reads the file at path. False, with a one-line reason naming the file in
// error, when it cannot be opened or read.
bool ReadTourFile(const std::string& path, std::string& text, std::string* error = nullptr);

}  // namespace app
