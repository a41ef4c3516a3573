#include "tourguard.h"

#include <filesystem>
#include <mutex>
#include <set>

#include "console.h"
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

namespace {

// The gaps of the tour at path as an answer to question on graph (fixed
// edges it skips count as gaps), or -1 when there is no such file or it is not an order of
// the graph's nodes.
int ExistingTourGaps(const std::string& path, const hcp::Graph& graph, const hcp::Question& question)
{
    // Only a regular file is read: a FIFO there would wait for a writer,
    // and the save refuses it anyway.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return -1;
    try {
        const hcp::Tour tour = hcp::ReadTour(path, graph.NodeCount());
        const hcp::CycleCheck check = hcp::CheckOrder(graph, tour.order, question);
        return check.permutation ? check.gaps : -1;
    } catch (const std::exception&) {
        return -1;   // unreadable or not a tour: nothing worth keeping
    }
}

}  // namespace

TourWrite WriteTourKeepingBetter(const std::string& path, const hcp::Graph* graph, const FileResult& r)
{
    // A later run with another method must not replace a cycle by gaps.
    const int older = graph != nullptr ? ExistingTourGaps(path, *graph, r.question) : -1;
    if (older >= 0 && older < r.gaps) {
        PrintWarning(path + " already holds " + (older == 0 ? (r.question.IsPath() ? "a path" : "a cycle") : "a better order") + " of " + r.file
                     + " (H=" + std::to_string(older) + "); the order with H=" + std::to_string(r.gaps)
                     + " was not written over it");
        return TourWrite::KeptBetter;
    }
    hcp::TourInfo info;
    info.name = std::filesystem::path(r.file).filename().string();
    info.comment = hcp::TourComment(r.gaps, r.question.goal);
    try {
        hcp::WriteTour(path, r.order, info);
    } catch (const std::exception& e) {
        PrintError(e.what(), true);
        return TourWrite::Failed;
    }
    return TourWrite::Written;
}

}  // namespace hcpsolve
