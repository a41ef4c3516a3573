#include "batch.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "batchstate.h"
#include "console.h"
#include "tourguard.h"

namespace hcpsolve {

void Batch::Emit(const FileResult& r)
{
    ++m_done;
    if (r.verdict == Verdict::Error) {
        ++m_errors;
        PrintError(r.error);
    } else if (r.verdict != Verdict::Hamiltonian) {
        ++m_notHamiltonian;
    }
    // Only checked orders reach r.order: a cycle, or with --method min the
    // best order, its gaps in the comment line.
    const bool write = !m_opts.outDir.empty() && !r.order.empty()
        && (r.verdict == Verdict::Hamiltonian || m_opts.method == "min");
    FileResult shown;
    const FileResult* line = &r;
    if (write) {
        switch (WriteTourKeepingBetter(r.tourPath, r.graph.get(), r)) {
        case TourWrite::Written:
            if (r.tourRenamed) {
                shown = r;
                shown.tourShown = r.tourPath;
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
    if (ProgressWanted()) ShowProgress("");
    if (!m_outputFailed && !WriteResultLine(FormatResult(m_opts.format, *line))) {
        // Nobody can see the results: stop the run and say so.
        m_outputFailed = true;
        ReportOutputFailure();
    }
}

void Batch::PrintReady(std::unique_lock<std::mutex>& lock, bool finalPass)
{
    while (m_nextPrint < m_files.size()) {
        FileJob& f = m_files[m_nextPrint];
        if (f.stage == Stage::Final) {
            const FileResult r = std::move(f.result);
            f.stage = Stage::Printed;
            lock.unlock();
            Emit(r);
            lock.lock();
        } else if (!(f.stage == Stage::Abandoned || finalPass)) {
            break;
        }
        ++m_nextPrint;
    }
}

std::string Batch::ProgressText() const
{
    if (m_nextPrint >= m_files.size()) return "";
    const FileJob& f = m_files[m_nextPrint];
    std::string text = "[" + std::to_string(m_done) + "/" + std::to_string(m_files.size())
                     + " done] " + f.path;
    if (f.stage == Stage::Loading) return text + " reading";
    if (f.stage != Stage::Searching) return text;
    int done = 0, best = -1;
    for (std::size_t k = 0; k < f.slots.size(); ++k) {
        if (f.slots[k] != Slot::Done) continue;
        ++done;
        const RestartOutcome& o = f.outcomes[k];
        if (o.HasOrder() && (best < 0 || o.result.gaps < best)) best = o.result.gaps;
    }
    char tail[96];
    std::snprintf(tail, sizeof tail, " restarts %d/%d best H=%s %.1fs", done, m_opts.restarts,
                  best < 0 ? "-" : std::to_string(best).c_str(), FileSeconds(f));
    return text + tail;
}

int Batch::Run()
{
    if (!m_opts.outDir.empty()) m_tourPaths = TourPaths(m_opts.outDir, m_opts.files, m_tourRenamed);

    const bool progress = ProgressWanted();
    std::vector<std::jthread> workers;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const int jobs = std::max(1, m_opts.jobs);
        m_workersRunning = jobs;
        for (int j = 0; j < jobs; ++j) workers.emplace_back([this] { Worker(); });
        auto lastProgress = Clock::now();
        for (;;) {
            m_changed.wait_for(lock, std::chrono::milliseconds(50));
            Watch();
            PrintReady(lock, false);
            if (m_workersRunning == 0) break;
            if (progress && Clock::now() - lastProgress > std::chrono::milliseconds(250)) {
                lastProgress = Clock::now();
                const std::string text = ProgressText();
                lock.unlock();
                ShowProgress(text);
                lock.lock();
            }
        }
    }
    workers.clear();   // every worker has left its loop; join them
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        PrintReady(lock, true);
    }
    if (progress) ShowProgress("");
    if (m_outputFailed) return 2;
    if (m_interrupted) {
        PrintError("interrupted; " + std::to_string(m_done) + " of "
                       + std::to_string(m_files.size()) + " files reported",
                   true);
        return 130;
    }
    if (m_errors > 0) return 2;
    return m_notHamiltonian > 0 ? 1 : 0;
}

int RunBatch(const Options& opts)
{
    Batch batch(opts);
    return batch.Run();
}

}  // namespace hcpsolve
