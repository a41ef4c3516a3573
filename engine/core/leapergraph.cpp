#include "core/leapergraph.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

namespace hcp {

namespace {

void CheckShape(const LeaperShape& s, std::uint64_t maxSquares)
{
    if (s.a < 0 || s.b < 0)
        throw std::invalid_argument("leaper steps must not be negative (got " + std::to_string(s.a) + ", "
                                    + std::to_string(s.b) + ")");
    if (s.m < 1 || s.n < 1)
        throw std::invalid_argument("a board needs at least 1 x 1 squares (got " + std::to_string(s.m) + " x "
                                    + std::to_string(s.n) + ")");
    if (s.Squares() > maxSquares)
        throw std::invalid_argument("a " + std::to_string(s.m) + " x " + std::to_string(s.n)
                                    + " board has more squares than node numbers hold");
}

}  // namespace

// A move leads "forward" when it goes one or more rows down, or along the
// row to the right; every edge is found once, backwards from its later
// square, so no graph needs to be held and the cost is O(m*n) rather than
// a test of every pair.
void EarlierLeaperMoves(const LeaperShape& shape, std::uint64_t s, std::vector<std::uint64_t>& out)
{
    out.clear();
    const std::int64_t n = shape.n;
    const std::int64_t r = static_cast<std::int64_t>(s / static_cast<std::uint64_t>(n));
    const std::int64_t c = static_cast<std::int64_t>(s % static_cast<std::uint64_t>(n));
    const std::int64_t a = shape.a;
    const std::int64_t b = shape.b;
    const std::int64_t steps[4][2] = {{a, b}, {a, -b}, {b, a}, {b, -a}};
    for (const auto& step : steps) {
        const std::int64_t dr = step[0];
        const std::int64_t dc = step[1];
        if (dr == 0 && dc <= 0) continue;   // not forward, or no move at all
        const std::int64_t r0 = r - dr;
        const std::int64_t c0 = c - dc;
        if (r0 < 0 || c0 < 0 || c0 >= n) continue;
        out.push_back(static_cast<std::uint64_t>(r0 * n + c0));
    }
    // (a, b) and (b, a) with a == b, or a zero step, name some moves twice.
    std::sort(out.begin(), out.end(), std::greater<>());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

Graph LeaperGraph(int a, int b, int m, int n)
{
    const LeaperShape shape{a, b, m, n};
    CheckShape(shape, std::numeric_limits<NodeId>::max() - 1);
    std::vector<Edge> edges;
    std::vector<std::uint64_t> earlier;
    for (std::uint64_t s = 1; s < shape.Squares(); ++s) {
        EarlierLeaperMoves(shape, s, earlier);
        for (std::uint64_t t : earlier) edges.emplace_back(static_cast<NodeId>(t), static_cast<NodeId>(s));
    }
    return Graph::FromEdges(static_cast<NodeId>(shape.Squares()), edges);
}

bool WriteLeaperHcp(std::ostream& os, const LeaperShape& shape, const HcpWriteInfo& info)
{
    CheckShape(shape, std::numeric_limits<NodeId>::max());
    HcpWriter out(os, info, shape.Squares());
    std::vector<std::uint64_t> earlier;
    for (std::uint64_t s = shape.Squares(); s-- > 1;) {
        EarlierLeaperMoves(shape, s, earlier);
        for (std::uint64_t t : earlier) out.Edge(s + 1, t + 1);
    }
    return out.Finish();
}

}  // namespace hcp
