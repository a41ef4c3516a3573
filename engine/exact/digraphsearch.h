// DigraphSearch: the complete method on a digraph's own arcs. The cheap
// proofs go first (digraphproofs.h); fixed arcs then narrow the graph (a
// node keeps only its fixed arc out, the head only that arc in); graphs of
// at most 20 nodes go to a programme over node subsets, larger ones to an
// incremental SAT search: one variable per arc, one arc out of and one
// into every node, no arc pair both ways, and for every subcycle of an
// answer a clause that an arc must leave it and one must enter it, until
// the answer is one cycle or the clauses are unsatisfiable.
#pragma once

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"
#include "export.h"

namespace hcp {

enum class DigraphEngine {
    Auto,               // the subset programme up to 20 nodes, then SAT
    DynamicProgramme,   // the subset programme (at most 20 nodes)
    Sat                 // always the SAT search
};

// The result's order follows the arcs; NoCycle comes with its reason;
// Unknown when stopped or the model does not fit options.memoryBudget.
TOURKERN_API SolveResult RunDigraphSearch(const Graph& d, const SolveOptions& options,
                                          DigraphEngine engine = DigraphEngine::Auto);

}  // namespace hcp
