// Reads a TSPLIB HCP file, solves it with the named method (default
// "exist"), prints the verdict and writes a found cycle as a tour file.
//   solve_graph GRAPH.hcp [METHOD] [TOUR]
#include <iostream>
#include <string>

#include "io/graphfile.h"
#include "io/tourfile.h"
#include "solve/solver.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: solve_graph GRAPH.hcp [" << hcp::MethodNameList() << "] [TOUR]\n";
        return 2;
    }
    try {
        const hcp::Graph g = hcp::ReadGraph(argv[1]);
        hcp::SolveOptions options;
        options.seed = 1;          // the same seed gives the same result
        options.timeLimit = 60.0;  // seconds
        const hcp::SolveResult r = hcp::Solve(g, argc > 2 ? argv[2] : "exist", options);
        std::cout << argv[1] << ": " << g.NodeCount() << " nodes, " << g.EdgeCount() << " edges, "
                  << hcp::VerdictName(r.verdict) << " by " << r.method;
        if (r.verdict == hcp::Verdict::NoCycle) std::cout << " (" << r.reason << ")";
        if (r.gaps >= 0) std::cout << ", fewest gaps " << r.gaps;
        std::cout << "\n";
        if (r.verdict == hcp::Verdict::Hamiltonian && argc > 3)
            hcp::WriteTour(argv[3], r.order, {g.Name(), hcp::TourComment(0)});
        return r.verdict == hcp::Verdict::Hamiltonian ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "solve_graph: error: " << e.what() << "\n";
        return 2;
    }
}
