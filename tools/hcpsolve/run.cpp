#include "run.h"

#include <filesystem>

#include "console.h"
#include "pipeline.h"
#include "resultformat.h"

namespace hcpsolve {

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
    const std::string header = ResultHeader(opts.format, opts.question);
    if (!header.empty() && !WriteResultLine(header)) {
        ReportOutputFailure();
        return 2;
    }
    const int status = RunPipeline(opts);
    // Result lines nobody received are a failure of the run.
    if (status != 2 && !FlushResults()) {
        ReportOutputFailure();
        return 2;
    }
    return status;
}

}  // namespace hcpsolve
