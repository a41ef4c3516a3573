// The complete method on two threads: the two ways of stating a cycle cover
// (arcs, edges) each get a thread, and the first definite answer stops the
// other. Neither model wins everywhere -- on some graphs one needs a few
// calls where the other needs thousands -- so running both side by side
// takes about the better of the two on every graph.
#pragma once

#include "core/graph.h"
#include "core/options.h"
#include "core/result.h"

namespace hcp {

// Both models, side by side; options.threads is not looked at. The verdict
// never depends on which thread answers first; the cycle may. Both answers
// are sound, and the arc model's is taken when both have one.
SolveResult RaceCoverModels(const Graph& g, const SolveOptions& options);

}  // namespace hcp
