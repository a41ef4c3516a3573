#include "core/leapergraph.h"

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace hcp {

// Each square generates only its forward moves (to squares later in row
// order), so every edge is found once and the cost is O(m*n) rather than a
// test of every pair.
Graph LeaperGraph(int a, int b, int m, int n)
{
    if (a < 0 || b < 0)
        throw std::invalid_argument("leaper steps must not be negative (got " + std::to_string(a)
                                    + ", " + std::to_string(b) + ")");
    if (m < 1 || n < 1)
        throw std::invalid_argument("a board needs at least 1 x 1 squares (got "
                                    + std::to_string(m) + " x " + std::to_string(n) + ")");
    const long long squares = static_cast<long long>(m) * n;
    if (squares >= static_cast<long long>(std::numeric_limits<NodeId>::max()))
        throw std::invalid_argument("a " + std::to_string(m) + " x " + std::to_string(n)
                                    + " board has more squares than node numbers hold");
    const int steps[4][2] = {{a, b}, {a, -b}, {b, a}, {b, -a}};
    std::vector<Edge> edges;
    for (long long r = 0; r < m; ++r) {
        for (long long c = 0; c < n; ++c) {
            for (const auto& step : steps) {
                const long long dr = step[0];
                const long long dc = step[1];
                if (dr == 0 && dc <= 0) continue;   // backward, or no move at all
                const long long r2 = r + dr;
                const long long c2 = c + dc;
                if (r2 >= m || c2 < 0 || c2 >= n) continue;
                edges.emplace_back(static_cast<NodeId>(r * n + c), static_cast<NodeId>(r2 * n + c2));
            }
        }
    }
    // (a, b) and (b, a) with a == b, or a zero step, name some moves twice;
    // FromEdges merges them.
    return Graph::FromEdges(static_cast<NodeId>(squares), edges);
}

}  // namespace hcp
