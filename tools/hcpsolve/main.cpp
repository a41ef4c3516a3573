// hcpsolve: searches TSPLIB HCP graph files for Hamiltonian cycles, one
// result line per file, or checks a tour file against a graph.
#include "batch.h"
#include "console.h"
#include "interrupt.h"
#include "options.h"
#include "verify.h"

int main(int argc, char** argv)
{
    hcpsolve::Options opts;
    const int status = hcpsolve::ParseOptions(argc, argv, opts);
    if (status >= 0) return status;
    hcpsolve::SetConsoleQuiet(opts.quiet);
    if (!opts.verify.empty()) return hcpsolve::RunVerify(opts);
    hcpsolve::InstallInterruptHandler();
    return hcpsolve::RunBatch(opts);
}
