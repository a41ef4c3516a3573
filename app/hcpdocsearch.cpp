// The document's cycle search (F5) on a worker thread: the legacy search,
// which holds undirected graphs of up to 32,767 nodes, answers the cycle
// question only and knows nothing of fixed edges.
#include <ostream>

#include <QTimer>

#include "graph/bitgraph.h"
#include "graph/seedclock.h"
#include "hcpdoc.h"
#include "outcome.h"
#include "ruledout.h"

void CHcpDoc::OnFindCycle()
{
    if (IsSearching())
        return;
    if (m_question.IsPath() || m_graph.Directed()) {
        // The legacy search looks for cycles along edges; rather than give
        // an answer to another question, it says what answers this one.
        app::Outcome o;
        o.work = app::Outcome::Work::FindCycle;
        o.refused = m_graph.Directed()
            ? "Find cycle searches undirected graphs; this graph is directed \u2014 Solve (Ctrl+F5) looks for "
                + hcp::QuestionText(m_question) + " along its arcs"
            : "Find cycle searches for a Hamiltonian cycle; this document asks for "
                + hcp::QuestionText(m_question) + " \u2014 Solve (Ctrl+F5) answers it";
        Finish(std::move(o));
        return;
    }
    if (GetNodeCount() < 2 || !FitsLegacy()) {
        // Nothing to search: the outcome says why at once.
        app::Outcome o;
        o.work = app::Outcome::Work::FindCycle;
        if (!FitsLegacy()) {
            o.tooLarge = m_graph.NodeCount();
        } else {
            o.verdict = hcp::Verdict::NoCycle;
            o.reason = "a cycle needs at least 3 nodes, the graph has " + std::to_string(GetNodeCount());
        }
        Finish(std::move(o));
        return;
    }
    m_job = std::make_unique<SearchJob>();
    m_job->graph = m_graph;
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
    m_ruledOut = app::ReductionRuledOut(m_graph.ToBitGraph());
    m_lastSearch.edgesCut = static_cast<unsigned>(m_ruledOut.size());
    if (!m_lastSearch.order.empty())
        SetOrder(m_lastSearch.order);
    // The order is checked on the graph as read: a fixed edge it skips is a
    // gap, whatever the search thought of it.
    // Outside a proof, a reason only comes from an engine fault.
    const bool failed = m_lastSearch.verdict != hcp::Verdict::NoCycle && !m_lastSearch.reason.empty();
    const hcp::CycleCheck check = CheckOrder();
    if (m_lastSearch.verdict != hcp::Verdict::NoCycle && !failed)
        m_lastSearch.h = check.gaps;
    const std::string report = job->report.str();
    if (!report.empty())
        WriteLog(QString::fromStdString(report));
    WriteLog(QString::fromStdString(app::FindCycleLogLine(m_lastSearch)));
    LayoutCycle();

    app::Outcome o;
    o.work = app::Outcome::Work::FindCycle;
    o.verdict = m_lastSearch.verdict == hcp::Verdict::NoCycle ? hcp::Verdict::NoCycle
              : check.hamiltonian                             ? hcp::Verdict::Hamiltonian
                                                              : hcp::Verdict::Unknown;
    o.gaps = m_lastSearch.h;
    o.reason = m_lastSearch.reason;
    o.method = "find cycle";
    o.seconds = m_lastSearch.seconds;
    o.cancelled = m_lastSearch.cancelled;
    o.failed = failed;
    o.fixedEdges = m_graph.FixedEdges().size();
    o.missedFixed = check.missedFixed;
    Finish(std::move(o));
}

void CHcpDoc::Finish(app::Outcome outcome)
{
    m_outcome = std::move(outcome);
    const QString line = LastOutcome();
    if (m_outcome->work == app::Outcome::Work::Solve)
        WriteLog(QStringLiteral("Solve (%1): ").arg(QString::fromStdString(m_outcome->method)) + line);
    else
        WriteLog(line);
    UpdateAllViews(nullptr, 0, nullptr);
    emit statusMessage(line);
    emit searchFinished();
}

void CHcpDoc::WriteLog(const QString& line)
{
    if (m_pLogStream)
        *m_pLogStream << line.toStdString() << '\n' << std::flush;
    emit logLine(line);
}
