#include "run.h"

#include <cstdio>
#include <filesystem>

#include "batch.h"
#include "console.h"
#include "interrupt.h"
#include "resultformat.h"
#include "stream.h"

namespace hcpsolve {

int RunAll(const Options& given)
{
    Options opts = given;
    // auto restarts by itself, within its work budget; running it again
    // with the next seed would only repeat the decision.
    if (opts.method == "auto") opts.restarts = 1;

    if (!opts.outDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(opts.outDir, ec);
        if (ec || !std::filesystem::is_directory(opts.outDir, ec)) {
            PrintError("cannot use output folder " + opts.outDir + ": "
                           + (ec ? ec.message() : std::string("not a folder")),
                       true);
            return 2;
        }
    }
    const std::string header = ResultHeader(opts.format);
    if (!header.empty() && !WriteResultLine(header)) {
        ReportOutputFailure();
        return 2;
    }

    bool errors = false, notHamiltonian = false;
    std::size_t i = 0;
    while (i < opts.files.size()) {
        if (InterruptRequested()) return 130;
        if (IsSourceInput(opts.files[i])) {
            SourceTally tally;
            RunSource(opts, opts.files[i], tally);
            errors = errors || tally.errors > 0;
            notHamiltonian = notHamiltonian || tally.notHamiltonian > 0;
            if (tally.outputFailed) return 2;
            if (tally.interrupted) {
                PrintError("interrupted", true);
                return 130;
            }
            ++i;
            continue;
        }
        Options files = opts;
        files.files.clear();
        while (i < opts.files.size() && !IsSourceInput(opts.files[i])) files.files.push_back(opts.files[i++]);
        const int status = RunBatch(files);
        if (status == 130) return 130;
        errors = errors || status == 2;
        notHamiltonian = notHamiltonian || status == 1;
    }
    // Result lines nobody received are a failure of the run, whichever
    // input wrote them.
    if (!FlushResults()) {
        ReportOutputFailure();
        return 2;
    }
    if (errors) return 2;
    return notHamiltonian ? 1 : 0;
}

}  // namespace hcpsolve
