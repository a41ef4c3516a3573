#include "exact/satlane.h"

#include <algorithm>

namespace hcp {

std::uint64_t SliceFor(const SatLane& lane, std::span<const std::unique_ptr<SatLane>> lanes,
                       std::uint64_t slice)
{
    if (lane.model == SatModel::Ranks) return slice;
    std::size_t leader = SIZE_MAX;
    for (const auto& other : lanes)
        if (other->model != SatModel::Ranks) leader = std::min(leader, other->fewest);
    if (leader == SIZE_MAX) return slice;
    const bool behind = lane.fewest == SIZE_MAX ? lane.Work() >= kCoverlessWork : lane.fewest > 2 * leader;
    return behind ? std::max<std::uint64_t>(slice / 2, 1) : slice;
}

}   // namespace hcp
