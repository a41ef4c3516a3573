#include "resultwriter.h"


#include "console.h"
#include "solve/solver.h"
#include "tourguard.h"

namespace hcpsolve {

namespace {

bool KeepsBestOrder(const std::string& method)
{
    const hcp::Method* m = hcp::FindMethod(method);
    return m != nullptr && m->KeepsBestOrder();
}

}  // namespace

ResultWriter::ResultWriter(const Options& opts) : m_opts(opts), m_keepsBestOrder(KeepsBestOrder(opts.method)) {}

void ResultWriter::Emit(const FileResult& r, const hcp::Graph* graph, const std::string& tourWanted)
{
    if (m_failed) return;
    if (r.verdict == Verdict::Error) {
        ++m_errors;
        // The lines before it first, so that on a terminal the error stands
        // next to its ERROR line.
        Flush(true);
        PrintError(r.error);
    } else if (r.verdict != Verdict::Hamiltonian) {
        ++m_notHamiltonian;
    }
    FileResult shown;
    const FileResult* line = &r;
    // Only checked orders are written: a cycle, or the best order of a
    // method that is run for it (min), its gaps in the comment line.
    if (!tourWanted.empty() && !r.order.empty() && (r.verdict == Verdict::Hamiltonian || m_keepsBestOrder))
        WriteTour(r, graph, tourWanted, shown, line);
    if (ProgressWanted()) ShowProgress("");
    const std::string text = FormatResult(m_opts.format, *line);
    const bool written = PutResultLine(text);
    ++m_printed;
    if (!written) {
        m_failed = true;
        ReportOutputFailure();
        return;
    }
    Flush(ProgressWanted());
}

void ResultWriter::Flush(bool force)
{
    if (m_failed) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastFlush < std::chrono::milliseconds(100)) return;
    m_lastFlush = now;
    if (!FlushResults()) {
        // Nobody can see the results: the run stops here.
        m_failed = true;
        ReportOutputFailure();
    }
}

// Tours of one run never share a file, and a better tour already on disk
// is kept.
void ResultWriter::WriteTour(const FileResult& r, const hcp::Graph* graph, const std::string& wanted,
                             FileResult& shown, const FileResult*& line)
{
    bool renamed = false;
    const std::string path = ClaimTourPath(wanted, renamed);
    switch (WriteTourKeepingBetter(path, graph, r)) {
    case TourWrite::Written:
        if (renamed) {
            shown = r;
            shown.tourShown = path;
            line = &shown;
        }
        break;
    case TourWrite::KeptBetter:
        break;
    case TourWrite::Failed:
        ++m_errors;
        break;
    }
}

}  // namespace hcpsolve
