#include "leapergraph.h"

#include "graph/bitgraph.h"

namespace leaper {

// Each square generates its at most four forward moves directly, so the cost
// is O(m*n) instead of testing all (m*n)^2/2 pairs. "Forward" means towards
// squares later in row-major order: one or more rows down, or, for a move
// along the row (a step of 0), to the right. Every move is found once from
// its earlier square, exactly the pairs the pairwise rule joins; the file
// writer orders the edge lines itself, so the output is the same.
void AddLeaperMoves(CBitGraph& graph, const LeaperArgs& args)
{
    const int steps[4][2] = {
        {args.a, args.b}, {args.a, -args.b}, {args.b, args.a}, {args.b, -args.a}};
    for (int r = 1; r <= args.m; ++r) {
        for (int c = 1; c <= args.n; ++c) {
            const int from = (r - 1) * args.n + c;
            for (const auto& step : steps) {
                const int dr = step[0];
                const int dc = step[1];
                if (dr == 0 && dc <= 0) continue;   // not forward, or no move at all
                const long r2 = static_cast<long>(r) + dr;
                const long c2 = static_cast<long>(c) + dc;
                if (r2 > args.m || c2 < 1 || c2 > args.n) continue;
                const long to = (r2 - 1) * args.n + c2;
                graph.SetEdge(static_cast<short>(from), static_cast<short>(to));
            }
        }
    }
}

}  // namespace leaper
