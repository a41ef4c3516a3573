#include "verify.h"

#include <cstdio>
#include <memory>

#include "console.h"
#include "graph/bitgraph.h"
#include "graphload.h"
#include "ordercheck.h"
#include "resultformat.h"
#include "tourfile.h"

namespace hcpsolve {

int RunVerify(const Options& opts)
{
    const std::string& graphPath = opts.verify[0];
    const std::string& tourPath = opts.verify[1];
    // Without a verdict line the reason is the only output, so it is shown
    // even with --quiet.
    std::string error;
    std::unique_ptr<CBitGraph> graph = LoadGraphFile(graphPath, error);
    if (!graph) {
        PrintError(error, true);
        return 2;
    }
    TourFile tour;
    if (!ReadTourFile(tourPath, tour, error)) {
        PrintError(error, true);
        return 2;
    }
    const int n = graph->GetDim();
    if (tour.dimension >= 0 && tour.dimension != n) {
        PrintError(tourPath + ": DIMENSION " + std::to_string(tour.dimension) + " does not match the "
                       + std::to_string(n) + " nodes of " + graphPath,
                   true);
        return 2;
    }
    for (std::size_t k = 0; k < tour.nodes.size(); ++k) {
        if (tour.nodes[k] > n) {
            PrintError(tourPath + ":" + std::to_string(tour.lines[k]) + ": node "
                           + std::to_string(tour.nodes[k]) + " is outside 1.." + std::to_string(n)
                           + " of " + graphPath,
                       true);
            return 2;
        }
    }

    const OrderCheck check = CheckOrder(*graph, tour.nodes);
    VerifyResult r;
    r.graph = graphPath;
    r.tour = tourPath;
    r.n = n;
    r.gaps = check.gaps;
    r.detail = check.problem;
    if (!check.permutation)
        r.verdict = "NOT_PERMUTATION";
    else
        r.verdict = check.hamiltonian ? "HAMILTONIAN" : "NOT_HAMILTONIAN";

    const std::string header = VerifyHeader(opts.format);
    if (!header.empty()) std::printf("%s\n", header.c_str());
    const std::string line = FormatVerify(opts.format, r);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return check.hamiltonian ? 0 : 1;
}

}  // namespace hcpsolve
