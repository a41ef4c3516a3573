// The document's Solve command: the engine decides on a worker thread
// whether the graph has a Hamiltonian cycle, on its own copy of the graph.
#include <atomic>
#include <ostream>

#include <QTimer>

#include "hcpdoc.h"
#include "outcome.h"
#include "solve/solver.h"

void CHcpDoc::OnSolve()
{
    if (IsSearching())
        return;
    auto job = std::make_unique<SolveJob>();
    job->graph = hcp::Graph::FromBitGraph(*m_pCycle);
    job->method = app::SolveMethodName();
    m_solve = std::move(job);
    m_searchStart = std::chrono::steady_clock::now();
    SolveJob* j = m_solve.get();
    if (m_worker.joinable())
        m_worker.join();
    m_worker = std::jthread([this, j](std::stop_token stop) {
        hcp::SolveOptions options;
        options.stop = stop;
        options.progress = [j](const hcp::Progress& p) { j->gaps.store(p.gaps); };
        try {
            j->result = hcp::Solve(j->graph, j->method, options);
        } catch (const std::exception& e) {
            j->failure = e.what();
        }
        QMetaObject::invokeMethod(this, [this] { FinishSolve(); }, Qt::QueuedConnection);
    });
    m_statusTimer->start();
    emit statusMessage(StatusWhileRunning());
    emit searchStarted();
}

QString CHcpDoc::StatusWhileRunning() const
{
    if (m_solve)
        return QString::fromStdString(
            app::SolveProgressLine(m_solve->method, m_solve->gaps.load(), SearchSeconds()));
    return QStringLiteral("Searching for a Hamiltonian cycle: %1 s (Esc cancels)").arg(SearchSeconds(), 0, 'f', 1);
}

void CHcpDoc::FinishSolve()
{
    if (!m_solve)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_statusTimer->stop();
    std::unique_ptr<SolveJob> job = std::move(m_solve);
    const hcp::SolveResult& r = job->result;
    if (!job->failure.empty()) {
        m_lastOutcome = QStringLiteral("Solve failed: ") + QString::fromStdString(job->failure);
    } else {
        m_lastOutcome = QString::fromStdString(app::SolveOutcome(r));
        // The order reached (checked by the engine) becomes the document's
        // order; the graph itself is not touched.
        if (r.order.size() == static_cast<std::size_t>(GetNodeCount()) && !r.order.empty()) {
            std::list<short> path;
            for (hcp::NodeId v : r.order)
                path.push_back(static_cast<short>(v + 1));
            if (m_pCycle->IsPermutation(path)) {
                m_pCycle->Restore(&path);
                LayoutCycle(m_pCycle->m_path);
            }
        }
    }
    WriteLog(QStringLiteral("Solve (%1): ").arg(QString::fromStdString(job->method)) + m_lastOutcome);
    UpdateAllViews(nullptr, 0, nullptr);
    emit statusMessage(m_lastOutcome);
    emit searchFinished();
}
