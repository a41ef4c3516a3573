// The document's Solve command: the engine answers the document's question
// on a worker thread (a Hamiltonian cycle, or a path with its ends if
// given), on its own copy of the graph as read, fixed edges included.
#include <algorithm>
#include <atomic>
#include <thread>
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
    job->graph = m_graph;
    job->question = m_question;
    job->method = std::string(hcp::kDefaultMethod);
    m_solve = std::move(job);
    m_searchStart = std::chrono::steady_clock::now();
    SolveJob* j = m_solve.get();
    if (m_worker.joinable())
        m_worker.join();
    m_worker = std::jthread([this, j](std::stop_token stop) {
        hcp::SolveOptions options;
        options.stop = stop;
        options.question = j->question;
        // The machine's cores, as hcpsolve takes them for one file: the
        // verdict does not depend on them, only how soon it comes.
        options.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        options.progress = [j](const hcp::Progress& p) { j->gaps.store(p.gaps); };
        try {
            j->result = hcp::Solve(j->graph, j->method, options);
        } catch (const std::bad_alloc&) {
            j->failure = "the graph does not fit in memory";
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
    app::Outcome o;
    if (!job->failure.empty()) {
        o.failed = true;
        o.reason = job->failure;
    } else {
        o = app::SolveOutcome(job->result);
        // The order reached (checked by the engine) becomes the document's
        // order; the graph itself is not touched. A path comes first node
        // to last.
        if (job->result.order.size() == m_graph.NodeCount() && !job->result.order.empty()) {
            SetOrder(std::move(job->result.order));
            LayoutCycle();
        }
    }
    o.work = app::Outcome::Work::Solve;
    o.question = job->question;
    if (o.method.empty())
        o.method = job->method;
    Finish(std::move(o));
}
