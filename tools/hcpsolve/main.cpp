// hcpsolve: searches graphs and digraphs (TSPLIB HCP files, graph6/sparse6/
// digraph6 streams, DIMACS files, standard input) for Hamiltonian cycles or
// paths, one result line per graph (or, as a filter, passes on the graphs
// of one verdict), or checks a tour file against a graph.
#include "console.h"
#include "interrupt.h"
#include "options.h"
#include "run.h"
#include "verify.h"

int main(int argc, char** argv)
{
    hcpsolve::Options opts;
    const int status = hcpsolve::ParseOptions(argc, argv, opts);
    if (status >= 0) return status;
    hcpsolve::SetConsoleQuiet(opts.quiet);
    if (!opts.verify.empty()) return hcpsolve::RunVerify(opts);
    hcpsolve::InstallInterruptHandler();
    return hcpsolve::RunAll(opts);
}
