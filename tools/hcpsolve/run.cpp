#include "run.h"

#include <filesystem>
#include <ostream>

#include "console.h"
#include "io/atomicfile.h"
#include "pipeline.h"
#include "resultformat.h"

namespace hcpsolve {

namespace {

// The header line, the pipeline, and a last flush of the results wherever
// they go.
int RunToResults(const Options& opts)
{
    const std::string header = ResultHeader(opts.format, opts.question);
    if (!header.empty() && !WriteResultLine(header)) {
        ReportOutputFailure();
        return 2;
    }
    const int status = RunPipeline(opts);
    // Result lines or selected graphs nobody received are a failure of the run.
    if (status != 2 && opts.select != Select::None && !FlushSelectedGraphs()) {
        ReportSelectionFailure();
        return 2;
    }
    if (status != 2 && !FlushResults()) {
        ReportOutputFailure();
        return 2;
    }
    return status;
}

}  // namespace

int RunAll(const Options& opts)
{
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
    if (opts.select == Select::None) return RunToResults(opts);
    if (opts.resultsFile.empty()) {
        SetResultsToStandardError();
        return RunToResults(opts);
    }
    // The results file is written as the run goes, under a temporary name
    // that becomes the file's when the run ends (interrupted too: it then
    // holds the results printed so far). A failed write leaves the old
    // file as it was.
    int status = 2;
    std::string reason;
    const hcp::AtomicWrite written = hcp::WriteFileAtomically(
        opts.resultsFile,
        [&](std::ostream& out) {
            SetResultsToStream(&out);
            status = RunToResults(opts);
            return out.good();
        },
        &reason);
    if (written != hcp::AtomicWrite::Ok) {
        PrintError("cannot write the results to " + opts.resultsFile + ": " + reason, true);
        return 2;
    }
    return status;
}

}  // namespace hcpsolve
