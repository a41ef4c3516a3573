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
    std::uint64_t share = 1;
    if (lane.fewest == SIZE_MAX)
        share = lane.Work() >= kCoverlessWork ? 4 : 1;
    else if (lane.fewest > kFarBehind * leader)
        share = 4;
    else if (lane.fewest > 2 * leader)
        share = 2;
    return std::max<std::uint64_t>(slice / share, 1);
}

}   // namespace hcp
