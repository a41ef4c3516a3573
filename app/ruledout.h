// The edges the degree-2 reduction rules out: edges no Hamiltonian cycle can
// use because both ends already have their two cycle edges forced. The
// search works on its own copy of the graph; this tells the picture which
// of the document's edges to draw apart, without changing the document.
#pragma once

#include <utility>
#include <vector>

class CBitGraph;

namespace app {

// The ruled-out edges of g (1-based, first < second, ascending); empty
// when the minimum degree is not 2, as the search reduces only then.
std::vector<std::pair<int, int>> ReductionRuledOut(const CBitGraph& g);

}  // namespace app
