#include "leapergraph.h"

#include <algorithm>

namespace leaper {

// A move leads "forward" when it goes one or more rows down, or along the
// row to the right; every edge is found once, backwards from its later
// square, so no graph needs to be held and the cost is O(m*n).
void EarlierNeighbours(const LeaperArgs& args, std::uint64_t node, std::vector<std::uint64_t>& out)
{
    out.clear();
    const std::int64_t n = args.n;
    const std::int64_t r = static_cast<std::int64_t>((node - 1) / static_cast<std::uint64_t>(n)) + 1;
    const std::int64_t c = static_cast<std::int64_t>((node - 1) % static_cast<std::uint64_t>(n)) + 1;
    const std::int64_t steps[4][2] = {
        {args.a, args.b}, {args.a, -static_cast<std::int64_t>(args.b)},
        {args.b, args.a}, {args.b, -static_cast<std::int64_t>(args.a)}};
    for (const auto& step : steps) {
        const std::int64_t dr = step[0];
        const std::int64_t dc = step[1];
        if (dr == 0 && dc <= 0) continue;   // not forward, or no move at all
        const std::int64_t r0 = r - dr;
        const std::int64_t c0 = c - dc;
        if (r0 < 1 || c0 < 1 || c0 > n) continue;
        out.push_back(static_cast<std::uint64_t>((r0 - 1) * n + c0));
    }
    std::sort(out.begin(), out.end(), std::greater<>());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

}  // namespace leaper
