// The graph of an (a, b)-leaper on an m x n board: two squares are joined
// when one move of a squares along one axis and b along the other leads
// from one to the other. Square (r, c), counted from 0, is node r*n + c
// (files count from 1). The one generator of the system: the solver graph,
// the leaper tool's files and the desktop program's boards all come from
// EarlierLeaperMoves.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "core/graph.h"
#include "export.h"
#include "io/hcpwriter.h"

namespace hcp {

struct LeaperShape {
    int a = 0;   // step along one axis
    int b = 0;   // step along the other
    int m = 0;   // board rows
    int n = 0;   // board columns

    std::uint64_t Squares() const { return static_cast<std::uint64_t>(m) * static_cast<std::uint64_t>(n); }
    bool operator==(const LeaperShape&) const = default;
};

// The squares joined to square s (0-based) that come before it in
// row-major order, largest first: the order in which HCP files list the
// edges of a node. At most four; s is 0..m*n-1.
TOURKERN_API void EarlierLeaperMoves(const LeaperShape& shape, std::uint64_t s, std::vector<std::uint64_t>& out);

// Throws std::invalid_argument for a negative step, a side below 1, or
// more squares than node numbers hold.
TOURKERN_API Graph LeaperGraph(int a, int b, int m, int n);

// Writes the board's HCP file to os as it is generated, so no graph is
// held and boards of up to 2^32 - 1 squares can be written; false when the
// stream failed. Throws std::invalid_argument as LeaperGraph does.
TOURKERN_API bool WriteLeaperHcp(std::ostream& os, const LeaperShape& shape, const HcpWriteInfo& info);

}  // namespace hcp
