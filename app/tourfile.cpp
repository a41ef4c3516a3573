#include "tourfile.h"

#include <exception>

#include "io/tourfile.h"

namespace app {

std::string CycleTextFromOrder(std::span<const hcp::NodeId> order)
{
    std::string text = "{";
    for (hcp::NodeId v : order) {
        text += ' ';
        text += std::to_string(std::uint64_t{v} + 1);
    }
    text += " }";
    return text;
}

bool ReadTourFile(const std::string& path, std::string& text, std::string* error, bool* isPath)
{
    try {
        const hcp::Tour tour = hcp::ReadTour(path);
        text = CycleTextFromOrder(tour.order);
        if (isPath)
            *isPath = hcp::TourCommentSaysPath(tour.comment);
        return true;
    } catch (const std::exception& e) {
        if (error)
            *error = e.what();
        return false;
    }
}

}  // namespace app
