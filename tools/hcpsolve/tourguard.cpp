#include "tourguard.h"

#include <filesystem>
#include <mutex>
#include <set>

#include "core/cyclecheck.h"
#include "io/tourfile.h"

namespace hcpsolve {

std::string ClaimTourPath(const std::string& wanted, bool& renamed)
{
    static std::mutex lock;
    static std::set<std::string> taken;
    std::lock_guard<std::mutex> hold(lock);
    std::string path = wanted;
    const bool tour = wanted.size() > 5 && wanted.compare(wanted.size() - 5, 5, ".tour") == 0;
    const std::string stem = tour ? wanted.substr(0, wanted.size() - 5) : wanted;
    for (int n = 2; taken.count(path) != 0; ++n) path = stem + "-" + std::to_string(n) + (tour ? ".tour" : "");
    renamed = path != wanted;
    taken.insert(path);
    return path;
}

std::vector<std::string> TourPaths(const std::string& dir, const std::vector<std::string>& inputs,
                                   std::vector<bool>& renamed)
{
    std::vector<std::string> paths;
    renamed.assign(inputs.size(), false);
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        bool moved = false;
        paths.push_back(ClaimTourPath(hcp::TourPathFor(dir, inputs[k]), moved));
        renamed[k] = moved;
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
