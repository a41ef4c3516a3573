// ModelBudget: which SAT models of the cover the search can afford on a
// working graph, in memory and in the time to build them.
#pragma once

#include <optional>
#include <string>

#include "core/options.h"
#include "exact/coverencoding.h"
#include "exact/workgraph.h"

namespace hcp {

struct ModelBudget {
    bool arcs = false, edges = false;
    std::string reason;   // why neither is built
};

// Chooses the models that fit the memory budget and leave at least half
// of the time limit for searching; both when both fit, else the cheaper.
ModelBudget PlanModels(const WorkGraph& w, const SolveOptions& options, std::optional<SatModel> only);

}  // namespace hcp
