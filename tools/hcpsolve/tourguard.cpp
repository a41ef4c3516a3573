#include "tourguard.h"

#include <filesystem>
#include <set>

#include "core/cyclecheck.h"
#include "io/tourfile.h"

namespace hcpsolve {

std::vector<std::string> TourPaths(const std::string& dir, const std::vector<std::string>& inputs,
                                   std::vector<bool>& renamed)
{
    std::vector<std::string> paths;
    std::set<std::string> taken;
    renamed.assign(inputs.size(), false);
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const std::string base = hcp::TourPathFor(dir, inputs[k]);
        std::string path = base;
        const std::string stem = base.substr(0, base.size() - 5);   // without ".tour"
        for (int n = 2; taken.count(path) != 0; ++n) path = stem + "-" + std::to_string(n) + ".tour";
        renamed[k] = path != base;
        taken.insert(path);
        paths.push_back(path);
    }
    return paths;
}

int ExistingTourGaps(const std::string& path, const hcp::Graph& graph)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return -1;
    try {
        const hcp::Tour tour = hcp::ReadTour(path, graph.NodeCount());
        const hcp::CycleCheck check = hcp::CheckCycle(graph, tour.order);
        return check.permutation ? check.gaps : -1;
    } catch (const std::exception&) {
        return -1;   // unreadable or not a tour: nothing worth keeping
    }
}

}  // namespace hcpsolve
