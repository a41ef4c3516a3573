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

// Whether --select passes r's graph on. An input that gave no graph (an
// unreadable entry, a read cut short) is never passed on.
bool Picks(Select select, const FileResult& r)
{
    switch (select) {
    case Select::None: return false;
    case Select::Hamiltonian: return r.verdict == Verdict::Hamiltonian;
    case Select::NoCycle: return r.verdict == Verdict::NoCycle;
    case Select::Undecided: return r.verdict == Verdict::NotFound;
    }
    return false;
}

}  // namespace

ResultWriter::ResultWriter(const Options& opts) : m_opts(opts), m_keepsBestOrder(KeepsBestOrder(opts.method)) {}

void ResultWriter::Emit(const FileResult& r, const hcp::Graph* graph, const std::string& tourWanted,
                        const std::string& graphText)
{
    if (m_failed) return;
    if (!graphText.empty() && Picks(m_opts.select, r)) {
        ++m_selected;
        if (!PutSelectedGraph(graphText)) {
            m_failed = true;
            ReportSelectionFailure();
            return;
        }
    }
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
    if (m_opts.select != Select::None && !FlushSelectedGraphs()) {
        m_failed = true;
        ReportSelectionFailure();
    } else if (!FlushResults()) {
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
