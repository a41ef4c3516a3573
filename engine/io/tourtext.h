// The text of a TSPLIB TOUR file as every writer of the engine lays it out:
// NAME, TYPE, COMMENT, DIMENSION, TOUR_SECTION, one "  node" line each, -1,
// EOF. No engine types, so the legacy tour output shares it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "export.h"

namespace hcp {

// nodes are written as nodes[k] + offset (1 for 0-based orders, 0 for
// orders already numbered from 1).
TOURKERN_API std::string TourText(std::string_view name, std::string_view comment, std::size_t dimension,
                                  std::span<const std::uint32_t> nodes, std::uint32_t offset);

}  // namespace hcp
