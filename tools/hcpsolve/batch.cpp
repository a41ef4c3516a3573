#include "batch.h"

#include <algorithm>

#include "batchstate.h"
#include "console.h"
#include "graph/bitgraph.h"
#include "graphload.h"
#include "interrupt.h"

namespace hcpsolve {

// Picks the next piece of work. Without a time limit, first restarts come
// first: restart k of a file waits until every open file has had restart
// k - 1 and, while fewer than 2J files are open, until the next file has been
// read. Most files are decided by restart 0, so threads rarely run restarts
// that a success makes useless. With a time limit, which counts wall time
// from a file's first restart, files are worked through in order instead, so
// that each gets its whole budget. Either way each file's result is the same.
bool Batch::TakeTask(Task& task)
{
    if (m_interrupted) return false;
    while (m_firstOpen < m_files.size() && m_files[m_firstOpen].stage > Stage::Searching)
        ++m_firstOpen;
    const int restarts = m_opts.restarts;
    const bool inOrder = m_opts.timeLimit > 0;
    const std::size_t maxOpen = 2 * static_cast<std::size_t>(std::max(1, m_opts.jobs));
    std::size_t open = 0;
    for (std::size_t i = m_firstOpen; i < m_files.size(); ++i)
        if (m_files[i].stage == Stage::Loading || m_files[i].stage == Stage::Searching) ++open;

    std::size_t chosen = m_files.size();
    int chosenRank = INT_MAX;   // the restart the task leads to; reading counts as 0
    for (std::size_t i = m_firstOpen; i < m_files.size(); ++i) {
        FileJob& f = m_files[i];
        if (f.stage == Stage::Waiting) {
            if ((open < maxOpen || inOrder) && 0 < chosenRank) {
                chosen = i;
                chosenRank = 0;
            }
            break;   // later files wait for this one to be read
        }
        if (f.stage != Stage::Searching || f.cutShort) continue;
        if (inOrder && f.searching && SecondsSince(f.searchStart) >= m_opts.timeLimit) {
            CutShort(f);
            continue;
        }
        if (f.nextSlot < restarts && f.nextSlot < f.lowestSuccess && f.nextSlot < chosenRank) {
            chosen = i;
            chosenRank = f.nextSlot;
            if (inOrder || chosenRank == 0) break;
        }
    }
    if (chosen == m_files.size()) return false;

    FileJob& f = m_files[chosen];
    if (f.stage == Stage::Waiting) {
        f.stage = Stage::Loading;
        f.start = Clock::now();
        ++m_loading;
        task = Task{true, chosen, 0, nullptr, {}};
        return true;
    }
    if (!f.searching) {
        f.searching = true;
        f.searchStart = Clock::now();
    }
    const int k = f.nextSlot++;
    f.slots[k] = Slot::Running;
    f.stops[k] = std::stop_source();
    task = Task{false, chosen, k, f.graph, f.stops[k].get_token()};
    return true;
}

// Starts no further restart of f and asks the running ones to stop; each
// then returns the order it holds.
void Batch::CutShort(FileJob& f)
{
    if (f.stage != Stage::Searching) return;
    f.cutShort = true;
    for (std::size_t k = 0; k < f.slots.size(); ++k) {
        if (f.slots[k] == Slot::Running) f.stops[k].request_stop();
        if (f.slots[k] == Slot::Pending) f.slots[k] = Slot::Skipped;
    }
    TryFinalize(f);
}

// A file is decided once every restart up to its lowest success (or all of
// them) has ended. Restarts above a success may still run; they are cancelled
// and their results ignored, which keeps the answer independent of timing.
void Batch::TryFinalize(FileJob& f)
{
    if (f.stage != Stage::Searching) return;
    const int last = std::min(f.lowestSuccess, m_opts.restarts - 1);
    int ran = 0;
    for (int k = 0; k <= last; ++k) {
        if (f.slots[k] == Slot::Running || f.slots[k] == Slot::Pending) return;
        if (f.slots[k] == Slot::Done) ++ran;
    }
    FileResult& r = f.result;
    r.seconds = FileSeconds(f);
    int chosen = -1;
    if (f.lowestSuccess != INT_MAX) {
        chosen = f.lowestSuccess;
        r.verdict = Verdict::Hamiltonian;
    } else {
        for (int k = 0; k <= last; ++k) {
            const RestartOutcome& o = f.outcomes[k];
            if (f.slots[k] != Slot::Done || !o.valid) continue;
            if (chosen < 0 || o.gaps < f.outcomes[chosen].gaps) chosen = k;
        }
        r.verdict = f.noCycle ? Verdict::NoCycle : Verdict::NotFound;
    }
    for (int k = 0; k <= last; ++k)
        if (f.slots[k] == Slot::Done) r.calls += f.outcomes[k].calls;
    if (chosen >= 0) {
        r.restart = chosen;
        r.seed = m_opts.seed + static_cast<std::uint32_t>(chosen);
        r.gaps = f.outcomes[chosen].gaps;
        r.order = std::move(f.outcomes[chosen].order);
    }
    f.stage = (ran == 0 && m_interrupted) ? Stage::Abandoned : Stage::Final;
    f.graph.reset();
    f.outcomes.clear();
    f.outcomes.shrink_to_fit();
}

// Turns Ctrl-C and the time limit into stop requests.
void Batch::Watch()
{
    if (!m_interrupted && InterruptRequested()) {
        m_interrupted = true;
        for (FileJob& f : m_files) CutShort(f);
    }
    if (m_opts.timeLimit > 0) {
        for (std::size_t i = m_firstOpen; i < m_files.size(); ++i) {
            FileJob& f = m_files[i];
            if (f.stage == Stage::Searching && !f.cutShort && f.searching
                && SecondsSince(f.searchStart) >= m_opts.timeLimit)
                CutShort(f);
        }
    }
}

void Batch::Worker()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        Task task;
        if (TakeTask(task)) {
            lock.unlock();
            if (task.load)
                Load(task.file);
            else
                Restart(task);
            lock.lock();
            m_changed.notify_all();
            continue;
        }
        // New work can still come from a file being read, or from one not
        // yet read once fewer files are open.
        const bool unread = std::any_of(m_files.begin() + static_cast<std::ptrdiff_t>(m_firstOpen),
                                        m_files.end(),
                                        [](const FileJob& f) { return f.stage == Stage::Waiting; });
        if (m_interrupted || (m_loading == 0 && !unread)) break;
        m_changed.wait(lock);
    }
    --m_workersRunning;
    m_changed.notify_all();
}

void Batch::Load(std::size_t i)
{
    const std::string path = m_opts.files[i];
    std::string error;
    std::unique_ptr<CBitGraph> graph = LoadGraphFile(path, error);
    const bool noCycle = graph && DegreeRulesOutCycle(*graph);

    std::lock_guard<std::mutex> lock(m_mutex);
    --m_loading;
    FileJob& f = m_files[i];
    FileResult& r = f.result;
    r.file = path;
    f.loadSeconds = SecondsSince(f.start);
    if (!graph) {
        r.verdict = Verdict::Error;
        r.error = error;
        r.seconds = f.loadSeconds;
        f.stage = Stage::Final;
        return;
    }
    r.n = graph->GetDim();
    r.edges = graph->GetEdgeCount();
    if (noCycle && m_opts.method != Method::Min) {
        // Proved impossible: no search. With --method min the search still
        // runs, for the order with the fewest gaps.
        r.verdict = Verdict::NoCycle;
        r.seconds = f.loadSeconds;
        f.stage = Stage::Final;
        return;
    }
    if (m_interrupted) {
        f.stage = Stage::Abandoned;
        return;
    }
    f.graph = std::move(graph);
    f.noCycle = noCycle;
    f.slots.assign(m_opts.restarts, Slot::Pending);
    f.outcomes.resize(m_opts.restarts);
    f.stops.resize(m_opts.restarts);
    f.stage = Stage::Searching;
}

void Batch::Restart(const Task& task)
{
    const std::size_t i = task.file;
    const int k = task.slot;
    RestartSettings settings;
    settings.method = m_opts.method;
    settings.seed = m_opts.seed + static_cast<std::uint32_t>(k);
    settings.calls = m_opts.calls;
    RestartOutcome out = RunRestart(*task.graph, settings, task.stop);

    std::lock_guard<std::mutex> lock(m_mutex);
    FileJob& f = m_files[i];
    if (f.stage != Stage::Searching) return;   // decided without this restart
    if (!out.valid) PrintWarning(f.path + ": restart " + std::to_string(k) + ": " + out.problem);
    const bool success = out.hamiltonian;
    f.outcomes[k] = std::move(out);
    f.slots[k] = Slot::Done;
    if (success && k < f.lowestSuccess) {
        f.lowestSuccess = k;
        for (std::size_t j = k + 1; j < f.slots.size(); ++j) {
            if (f.slots[j] == Slot::Running) f.stops[j].request_stop();
            if (f.slots[j] == Slot::Pending) f.slots[j] = Slot::Skipped;
        }
    }
    TryFinalize(f);
}

}  // namespace hcpsolve
