// The document's cycle search on a worker thread.
#include <ostream>

#include <QTimer>

#include "hcpdoc.h"
#include "outcome.h"
#include "ruledout.h"

void CHcpDoc::OnFindCycle()
{
    if (IsSearching() || GetNodeCount() < 2)
        return;
    m_job = std::make_unique<SearchJob>();
    m_job->work = std::make_unique<CCycle>(*m_pCycle);
    m_searchStart = std::chrono::steady_clock::now();
    SearchJob* job = m_job.get();
    m_worker = std::jthread([this, job](std::stop_token stop) {
        job->result = app::FindCycle(*job->work, stop);
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
    m_lastSearch = job->result;
    // Only the order reached comes back: the document's graph stays as it
    // was opened, so Save writes what was read. Edges the reduction cut on
    // the worker's copy are remembered to be drawn apart.
    m_ruledOut = app::ReductionRuledOut(*m_pCycle);
    if (m_pCycle->IsPermutation(job->work->m_path))
        m_pCycle->Restore(&job->work->m_path);
    if (!m_lastSearch.report.empty())
        WriteLog(QString::fromStdString(m_lastSearch.report));
    WriteLog(QString::fromStdString(app::FindCycleLogLine(m_lastSearch)));
    LayoutCycle(m_pCycle->m_path);
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
