#include "io/readlimits.h"

#include <unistd.h>

namespace hcp {

std::string UntouchedNodesProblem(std::uint64_t nodes, std::uint64_t edges)
{
    const std::uint64_t touched = edges > nodes / 2 ? nodes : 2 * edges;
    if (nodes - touched <= kMaxUntouchedNodes) return {};
    return std::to_string(nodes) + " nodes, but the " + std::to_string(edges) + (edges == 1 ? " edge" : " edges")
         + " listed touch at most "
         + std::to_string(touched) + " of them; at most " + std::to_string(kMaxUntouchedNodes)
         + " nodes without an edge are read";
}

std::uint64_t PhysicalMemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || size <= 0) return ~std::uint64_t{0};
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size);
}

}  // namespace hcp
