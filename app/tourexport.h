// Writing the document's order as a TSPLIB TOUR file, the format other
// TSP and HCP tools read (and Rearrange cycle reads back).
#pragma once

#include <list>
#include <string>

namespace app {

// The file's text: NAME, COMMENT (a Hamiltonian cycle, or the gaps the
// order still has), TYPE : TOUR, DIMENSION, TOUR_SECTION with one node a
// line, -1 and EOF.
std::string TourFileText(const std::string& name, int n, const std::list<short>& order, int gaps);

}  // namespace app
