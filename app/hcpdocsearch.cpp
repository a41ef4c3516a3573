// The document's cycle search on a worker thread.
#include <ostream>

#include <QTimer>

#include "graph/seedclock.h"
#include "hcpdoc.h"
#include "outcome.h"
#include "ruledout.h"

void CHcpDoc::OnFindCycle()
{
    if (IsSearching() || GetNodeCount() < 2)
        return;
    m_job = std::make_unique<SearchJob>();
    m_job->graph = hcp::Graph::FromBitGraph(*m_pCycle);
    m_searchStart = std::chrono::steady_clock::now();
    // Seeded from the engine's clock, as every search of the desktop program.
    const std::uint64_t seed = hcp::SeedClockMillis();
    SearchJob* job = m_job.get();
    m_worker = std::jthread([this, job, seed](std::stop_token stop) {
        job->result = app::FindCycle(job->graph, stop, seed, &job->report);
        // Back on the document's thread; dropped if the document is gone.
        QMetaObject::invokeMethod(this, [this] { FinishSearch(); }, Qt::QueuedConnection);
    });
    m_statusTimer->start();
    emit statusMessage(QStringLiteral("Searching for a Hamiltonian cycle (Esc cancels)"));
    emit searchStarted();
}

void CHcpDoc::CancelSearch()
{
    if (m_worker.joinable())
        m_worker.request_stop();
}

void CHcpDoc::StopSearch()
{
    if (!IsSearching())
        return;
    CancelSearch();
    if (m_solve)
        FinishSolve();
    else
        FinishSearch();
}

double CHcpDoc::SearchSeconds() const
{
    if (!IsSearching())
        return 0.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_searchStart).count();
}

void CHcpDoc::FinishSearch()
{
    if (!m_job)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_statusTimer->stop();
    std::unique_ptr<SearchJob> job = std::move(m_job);
    m_lastSearch = std::move(job->result);
    // Only the order reached comes back: the solver worked on its own copy,
    // and the document's graph stays as it was opened, so Save writes what
    // was read. Edges the reduction rules out are remembered to be drawn
    // apart.
    m_ruledOut = app::ReductionRuledOut(*m_pCycle);
    m_lastSearch.edgesCut = static_cast<unsigned>(m_ruledOut.size());
    if (!m_lastSearch.order.empty()) {
        std::list<short> path;
        for (hcp::NodeId v : m_lastSearch.order)
            path.push_back(static_cast<short>(v + 1));
        m_pCycle->Restore(&path);
    } else if (m_lastSearch.verdict != hcp::Verdict::NoCycle && m_lastSearch.reason.empty()) {
        // Stopped before the first order: the document keeps its own, and
        // the log and status line report that order's gaps.
        m_lastSearch.h = m_pCycle->CalcPathLen();
    }
    const std::string report = job->report.str();
    if (!report.empty())
        WriteLog(QString::fromStdString(report));
    WriteLog(QString::fromStdString(app::FindCycleLogLine(m_lastSearch)));
    LayoutCycle(m_pCycle->m_path);
    if (m_lastSearch.verdict == hcp::Verdict::NoCycle)
        m_lastOutcome = QStringLiteral("No Hamiltonian cycle: %1").arg(QString::fromStdString(m_lastSearch.reason));
    else
        m_lastOutcome = QString::fromStdString(
            app::FindCycleOutcome(m_lastSearch.h, m_lastSearch.seconds, m_lastSearch.cancelled));
    WriteLog(m_lastOutcome);
    emit statusMessage(m_lastOutcome);
    emit searchFinished();
}

void CHcpDoc::WriteLog(const QString& line)
{
    if (m_pLogStream)
        *m_pLogStream << line.toStdString() << '\n' << std::flush;
    emit logLine(line);
}
