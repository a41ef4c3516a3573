// The document's cycle search on a worker thread.
#include <ostream>

#include <QTimer>

#include "hcpdoc.h"

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
    if (!m_job)
        return;
    CancelSearch();
    FinishSearch();
}

double CHcpDoc::SearchSeconds() const
{
    if (!m_job)
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
    // The worker's copy, with the order it reached (and any edges the
    // reduction cut), becomes the document's graph.
    m_pCycle = std::move(job->work);
    if (m_lastSearch.edgesCut > 0)
        SetModifiedFlag(true);
    if (!m_lastSearch.report.empty())
        WriteLog(QString::fromStdString(m_lastSearch.report));
    WriteLog(QString::fromStdString(app::FindCycleLogLine(m_lastSearch)));
    LayoutCycle(m_pCycle->m_path);
    emit statusMessage(QStringLiteral("H=%1 after %2 s%3")
                           .arg(m_lastSearch.h)
                           .arg(m_lastSearch.seconds, 0, 'f', 2)
                           .arg(m_lastSearch.cancelled ? QStringLiteral(", cancelled") : QString()));
    emit searchFinished();
}

void CHcpDoc::WriteLog(const QString& line)
{
    if (m_pLogStream)
        *m_pLogStream << line.toStdString() << '\n' << std::flush;
    emit logLine(line);
}
