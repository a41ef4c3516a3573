#include "exact/satlane.h"

#include <algorithm>

namespace hcp {

std::uint64_t SliceFor(const SatLane& lane, std::span<const std::unique_ptr<SatLane>> lanes,
                       std::uint64_t slice)
{
    if (lane.model == SatModel::Ranks || lane.fewest == SIZE_MAX) return slice;
    std::size_t leader = SIZE_MAX;
    for (const auto& other : lanes)
        if (other->model != SatModel::Ranks) leader = std::min(leader, other->fewest);
    return leader != SIZE_MAX && lane.fewest > 2 * leader ? std::max<std::uint64_t>(slice / 2, 1) : slice;
}

}   // namespace hcp
