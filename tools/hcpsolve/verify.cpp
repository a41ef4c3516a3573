#include "verify.h"

#include <cstdio>
#include <exception>

#include "console.h"
#include "core/cyclecheck.h"
#include "core/question.h"
#include "io/graphfile.h"
#include "resultformat.h"
#include "io/tourfile.h"

namespace hcpsolve {

namespace {

// "first gap 2-4": the first link of the order (1-based) that is no edge
// (no arc u->w in a directed graph). A path has no closing link.
std::string FirstGap(const hcp::Graph& g, const std::vector<hcp::NodeId>& order, bool path)
{
    const std::size_t links = path && !order.empty() ? order.size() - 1 : order.size();
    for (std::size_t k = 0; k < links; ++k) {
        const hcp::NodeId u = order[k];
        const hcp::NodeId w = order[(k + 1) % order.size()];
        if (u == w || !g.HasEdge(u, w))
            return "first gap " + std::to_string(u + 1) + "-" + std::to_string(w + 1);
    }
    return "";
}

}  // namespace

int RunVerify(const Options& opts)
{
    const std::string& graphPath = opts.verify[0];
    const std::string& tourPath = opts.verify[1];
    // Without a verdict line the reason is the only output, so it is shown
    // even with --quiet.
    hcp::Graph graph;
    try {
        // Any format the solver reads; a stream must hold one graph.
        graph = hcp::ReadGraph(graphPath);
    } catch (const std::exception& e) {
        PrintError(e.what(), true);
        return 2;
    }
    const int n = static_cast<int>(graph.NodeCount());
    const hcp::Question& question = opts.question;
    const std::string problem = hcp::QuestionProblem(graph, question);
    if (!problem.empty()) {
        PrintError(graphPath + ": " + opts.questionOption + " does not fit the graph: " + problem, true);
        return 2;
    }
    hcp::Tour tour;
    try {
        // Bounded by the graph: a node beyond it is an error at its line.
        tour = hcp::ReadTour(tourPath, graph.NodeCount());
    } catch (const std::exception& e) {
        PrintError(e.what(), true);
        return 2;
    }
    if (tour.dimension >= 0 && tour.dimension != n) {
        PrintError(tourPath + ": DIMENSION " + std::to_string(tour.dimension) + " does not match the "
                       + std::to_string(n) + " nodes of " + graphPath,
                   true);
        return 2;
    }
    const std::vector<hcp::NodeId>& order = tour.order;

    const bool path = question.IsPath();
    const hcp::CycleCheck check = hcp::CheckOrder(graph, order, question);
    VerifyResult r;
    r.graph = graphPath;
    r.tour = tourPath;
    r.n = n;
    r.gaps = check.gaps;
    if (!check.permutation) {
        r.verdict = "NOT_PERMUTATION";
        r.detail = check.problem;
    } else {
        r.verdict = check.hamiltonian ? (path ? "HAMILTONIAN_PATH" : "HAMILTONIAN")
                                      : (path ? "NOT_HAMILTONIAN_PATH" : "NOT_HAMILTONIAN");
        const std::string gap = FirstGap(graph, order, path);
        if (check.hamiltonian)
            r.detail.clear();
        else if (!path && n < (graph.Directed() ? 2 : 3))
            r.detail = graph.Directed() ? "a digraph of fewer than 2 nodes has no cycle"
                                        : "a graph of fewer than 3 nodes has no cycle";
        else if (!gap.empty())
            r.detail = gap;
        else
            r.detail = check.problem;   // a fixed edge the tour skips, or a path end elsewhere
        // A path's tour checked as a cycle fails at its closing link.
        if (!check.hamiltonian && !path && hcp::TourCommentSaysPath(tour.comment))
            r.detail += std::string(r.detail.empty() ? "" : "; ") + "the tour says it is a path: check it with --path";
    }

    const std::string header = VerifyHeader(opts.format);
    if ((!header.empty() && !WriteResultLine(header)) || !WriteResultLine(FormatVerify(opts.format, r))) {
        ReportOutputFailure();
        return 2;
    }
    return check.hamiltonian ? 0 : 1;
}

}  // namespace hcpsolve
