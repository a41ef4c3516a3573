// TSPLIB TOUR files: writing a checked order atomically, and reading tours
// written by this tool or by other programs.
#pragma once

#include <string>
#include <vector>

namespace hcpsolve {

// Writes the tour lines (NAME, TYPE, COMMENT with H, DIMENSION,
// TOUR_SECTION, one "  node" line each, -1, EOF) to path through a temporary
// file in the same folder that is renamed at the end, so that no reader ever
// sees half a tour. Returns false with error set when it cannot.
bool WriteTourFile(const std::string& path, const std::string& name,
                   const std::vector<int>& order, int gaps, std::string& error);

// The part of a tour file that a check needs.
struct TourFile {
    long dimension = -1;            // DIMENSION, -1 when absent
    std::vector<int> nodes;         // TOUR_SECTION up to the closing -1
    std::vector<int> lines;         // file line of each node
};

// Reads a tour: header keywords ("KEY : value" or "KEY: value") in any
// order, TOUR_SECTION, node numbers separated by blanks or line ends (several
// to a line allowed), -1, and an optional EOF. On failure returns false with
// error as "file:line: problem".
bool ReadTourFile(const std::string& path, TourFile& tour, std::string& error);

// DIR/NAME.tour for the graph file path: its file name up to the last dot.
std::string TourPathFor(const std::string& dir, const std::string& graphPath);

}  // namespace hcpsolve
