// Large graph families built in memory, for the benchmarks and tests of
// the large-graph search: knight boards and cubic graphs with a hidden
// Hamiltonian cycle.
#pragma once

#include <numeric>
#include <utility>
#include <vector>

#include "core/graph.h"
#include "large/random64.h"

namespace hcp {

// Square (r, c) of a rows x cols board is node r*cols + c.
inline Graph KnightBoard(std::uint32_t rows, std::uint32_t cols)
{
    std::vector<Edge> e;
    e.reserve(static_cast<std::size_t>(rows) * cols * 4);
    static const int d[4][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}};
    for (std::uint32_t r = 0; r < rows; ++r)
        for (std::uint32_t c = 0; c < cols; ++c)
            for (const auto& s : d) {
                const long r2 = long(r) + s[0], c2 = long(c) + s[1];
                if (r2 < long(rows) && c2 >= 0 && c2 < long(cols))
                    e.emplace_back(r * cols + c, static_cast<NodeId>(r2 * cols + c2));
            }
    return Graph::FromEdges(rows * cols, e);
}

// A cycle through all n nodes (n even, n >= 8) plus a random perfect
// matching on the cycle's nodes, with the nodes relabelled at random so
// the cycle cannot be read off the numbering. Every node has degree 3.
// 'cycle', when given, receives the hidden cycle.
inline Graph HiddenCycleCubic(NodeId n, std::uint64_t seed, std::vector<NodeId>* cycle = nullptr)
{
    Random64 rng(seed);
    std::vector<NodeId> label(n);
    std::iota(label.begin(), label.end(), 0u);
    for (NodeId i = n - 1; i > 0; --i) std::swap(label[i], label[rng.Below(i + 1)]);
    // Pair positions of the cycle at random; a pair of cycle neighbours or
    // a pair already used would lower a degree, so such pairs trade a
    // partner with a random other pair until none is left.
    std::vector<NodeId> mate(n);
    std::iota(mate.begin(), mate.end(), 0u);
    for (NodeId i = n - 1; i > 0; --i) std::swap(mate[i], mate[rng.Below(i + 1)]);
    auto bad = [&](NodeId k) {
        const NodeId x = mate[2 * k], y = mate[2 * k + 1];
        const NodeId diff = x > y ? x - y : y - x;
        return diff == 1 || diff == n - 1;
    };
    for (bool again = true; again;) {
        again = false;
        for (NodeId k = 0; k < n / 2; ++k)
            if (bad(k)) {
                std::swap(mate[2 * k + 1], mate[2 * rng.Below(n / 2) + 1]);
                again = true;
            }
    }
    std::vector<Edge> e;
    e.reserve(static_cast<std::size_t>(n) * 3 / 2);
    for (NodeId i = 0; i < n; ++i) e.emplace_back(label[i], label[(i + 1) % n]);
    for (NodeId k = 0; k < n / 2; ++k) e.emplace_back(label[mate[2 * k]], label[mate[2 * k + 1]]);
    if (cycle != nullptr) *cycle = label;
    return Graph::FromEdges(n, e);
}

}  // namespace hcp
