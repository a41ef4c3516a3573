#include "exact/modelbudget.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace hcp {

namespace {

// What a model costs, measured on knight boards of 60,000 to 250,000
// nodes (CaDiCaL's arrays grow with the variables and the clauses): bytes
// and microseconds to build, per edge of the working graph.
constexpr double kArcBytesPerEdge = 2300, kEdgeBytesPerEdge = 2900;
constexpr double kArcBuildMicros = 4.0, kEdgeBuildMicros = 6.0;

std::uint64_t MachineMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size) : 0;
}

}  // namespace

ModelBudget PlanModels(const WorkGraph& w, const SolveOptions& options, std::optional<SatModel> only)
{
    std::uint64_t memory = options.memoryBudget;
    if (memory == 0) memory = std::min<std::uint64_t>(MachineMemory() / 2, std::uint64_t{2} << 30);
    if (memory == 0) memory = std::uint64_t{2} << 30;
    memory /= static_cast<std::uint64_t>(std::max(1, options.memoryShares));
    const double m = static_cast<double>(w.EdgeCount());
    const double arcBytes = kArcBytesPerEdge * m, edgeBytes = kEdgeBytesPerEdge * m;
    const double limit = options.timeLimit > 0 ? 0.5 * options.timeLimit : 1e300;
    auto fits = [&](double bytes, double micros, double spent) {
        return bytes <= static_cast<double>(memory) && (micros * m * 1e-6 + spent) <= limit;
    };
    ModelBudget b;
    const bool wantArcs = !only || *only != SatModel::Edges;   // the rank model costs about what arcs do
    const bool wantEdges = !only || *only == SatModel::Edges;
    if (wantArcs && wantEdges && arcBytes + edgeBytes <= static_cast<double>(memory)
        && fits(arcBytes + edgeBytes, kArcBuildMicros + kEdgeBuildMicros, 0)) {
        b.arcs = b.edges = true;
        return b;
    }
    if (wantArcs && fits(arcBytes, kArcBuildMicros, 0)) {
        b.arcs = true;
        return b;
    }
    if (wantEdges && fits(edgeBytes, kEdgeBuildMicros, 0)) {
        b.edges = true;
        return b;
    }
    const double need = wantArcs ? arcBytes : edgeBytes;
    const double seconds = (wantArcs ? kArcBuildMicros : kEdgeBuildMicros) * m * 1e-6;
    if (need > static_cast<double>(memory))
        b.reason = "the SAT model would need about " + std::to_string(static_cast<std::uint64_t>(need / 1048576))
                   + " MB, more than the " + std::to_string(memory / 1048576) + " MB it may take";
    else
        b.reason = "building the SAT model would take about " + std::to_string(static_cast<int>(seconds + 0.5))
                   + " s, more than half the time limit";
    return b;
}

}  // namespace hcp
