// SatSearch: the complete search on an incremental SAT solver. It asks for
// a successor for every node (one arc out of and one into each, no edge
// both ways), splits the answer into subcycles, splices them by 2-opt
// exchanges and, while more than one is left, adds for each a clause that
// some arc must leave it and one must enter it, then asks again. The
// relaxation only grows stronger, so UNSAT proves that there is no cycle.
#pragma once

#include <optional>

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"
#include "exact/coverencoding.h"
#include "exact/workgraph.h"

namespace hcp {

// Runs on the working graph w a Reduction left: both models side by side,
// or only the one given. The result's
// order is a cycle of g or, when stopped, the best cycle cover as one order.
// A work limit (conflicts plus the per-call charge, over all models; 0 =
// none) ends the search with Unknown once spent, for a caller that gives
// the SAT search its turn among other methods. When workSpent is given it
// receives the work the search used, in the same units.
SolveResult RunSatSearch(const WorkGraph& w, const SolveOptions& options, std::optional<SatModel> only,
                         std::uint64_t workLimit = 0, std::uint64_t* workSpent = nullptr);

}  // namespace hcp
