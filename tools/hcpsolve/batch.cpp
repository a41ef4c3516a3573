#include "batch.h"

#include <algorithm>

#include "batchstate.h"
#include "console.h"
#include "interrupt.h"
#include "io/graphfile.h"

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
        if (f.nextSlot < restarts && f.nextSlot < f.lowestDecided && f.nextSlot < chosenRank) {
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
        task = Task{true, chosen, 0, nullptr, f.loadStop.get_token()};
        return true;
    }
    if (!f.searching) {
        f.searching = true;
        f.searchStart = Clock::now();
    }
    // A restart's bookkeeping is made when it starts, so a large --restarts
    // costs nothing until the restarts run.
    const int k = f.nextSlot++;
    f.slots.push_back(Slot::Running);
    f.outcomes.emplace_back();
    f.stops.emplace_back();
    // A file with idle threads to spare gets them: jobs shared out over the
    // files still open.
    int threads = 1;
    if (m_opts.jobs > 1) {
        std::size_t left = 0;
        for (std::size_t i = m_firstOpen; i < m_files.size(); ++i)
            if (m_files[i].stage <= Stage::Searching) ++left;
        threads = std::max(1, m_opts.jobs / static_cast<int>(std::max<std::size_t>(1, left)));
    }
    task = Task{false, chosen, k, f.graph, f.stops[k].get_token(), threads};
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
    const int last = std::min(f.lowestDecided, m_opts.restarts - 1);
    int ran = 0;
    for (int k = 0; k <= last; ++k) {
        // Restarts not yet started are pending, or skipped once cut short.
        if (k >= static_cast<int>(f.slots.size())) {
            if (!f.cutShort) return;
            break;
        }
        if (f.slots[k] == Slot::Running || f.slots[k] == Slot::Pending) return;
        if (f.slots[k] == Slot::Done) ++ran;
    }
    FileResult& r = f.result;
    r.seconds = FileSeconds(f);
    int chosen = -1;
    if (f.lowestDecided != INT_MAX) {
        const hcp::SolveResult& d = f.outcomes[f.lowestDecided].result;
        r.verdict = d.verdict == hcp::Verdict::Hamiltonian ? Verdict::Hamiltonian : Verdict::NoCycle;
        r.reason = d.reason;
        r.method = d.method;
        if (!d.order.empty()) chosen = f.lowestDecided;
    } else {
        for (int k = 0; k <= last && k < static_cast<int>(f.slots.size()); ++k) {
            const RestartOutcome& o = f.outcomes[k];
            if (f.slots[k] != Slot::Done || !o.HasOrder()) continue;
            if (chosen < 0 || o.result.gaps < f.outcomes[chosen].result.gaps) chosen = k;
        }
        r.verdict = f.noCycle ? Verdict::NoCycle : Verdict::NotFound;
        r.reason = f.reason;
    }
    for (int k = 0; k <= last && k < static_cast<int>(f.slots.size()); ++k)
        if (f.slots[k] == Slot::Done) r.calls += f.outcomes[k].result.stats.optimizeCalls;
    if (chosen >= 0) {
        hcp::SolveResult& c = f.outcomes[chosen].result;
        r.restart = chosen;
        r.seed = m_opts.seed + static_cast<std::uint32_t>(chosen);
        r.gaps = c.gaps;
        r.method = c.method;
        r.order = std::move(c.order);
    }
    f.stage = (ran == 0 && m_interrupted) ? Stage::Abandoned : Stage::Final;
    // The tour is written later, and checked against an older one first.
    if (!r.order.empty() && !r.tourPath.empty()) r.graph = f.graph;
    f.graph.reset();
    f.outcomes.clear();
    f.outcomes.shrink_to_fit();
}

// Of the orders that do not decide the file only the one it would report
// is kept (fewest gaps, then the lowest restart), so that memory does not
// grow with the number of restarts run.
void Batch::KeepBestOrder(FileJob& f, int k)
{
    RestartOutcome& o = f.outcomes[k];
    if (!o.HasOrder()) return;
    auto drop = [](RestartOutcome& x) { std::vector<hcp::NodeId>().swap(x.result.order); };
    if (f.bestOrder >= 0) {
        RestartOutcome& best = f.outcomes[f.bestOrder];
        if (o.result.gaps > best.result.gaps || (o.result.gaps == best.result.gaps && k > f.bestOrder)) {
            drop(o);
            return;
        }
        if (f.bestOrder != f.lowestDecided) drop(best);
    }
    f.bestOrder = k;
}

// Turns Ctrl-C and the time limit into stop requests.
void Batch::Watch()
{
    if (!m_interrupted && (InterruptRequested() || m_outputFailed)) {
        m_interrupted = true;
        for (FileJob& f : m_files) {
            if (f.stage == Stage::Loading) f.loadStop.request_stop();
            CutShort(f);
        }
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
                Load(task.file, task.stop);
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

// The read counts towards the file's time limit and ends on Ctrl-C, so a
// huge file or a FIFO whose writer never stops cannot hold the run.
void Batch::Load(std::size_t i, std::stop_token stop)
{
    const std::string path = m_opts.files[i];
    std::shared_ptr<const hcp::Graph> graph;
    std::string error;
    hcp::ReadOptions read;
    read.stop = std::move(stop);
    read.timeLimit = m_opts.timeLimit;
    try {
        graph = std::make_shared<const hcp::Graph>(hcp::ReadGraph(path, read));
    } catch (const std::exception& e) {
        // The reader's message names the file and the problem.
        error = e.what();
    }

    std::lock_guard<std::mutex> lock(m_mutex);
    --m_loading;
    FileJob& f = m_files[i];
    FileResult& r = f.result;
    r.file = path;
    r.method = m_opts.method;
    if (i < m_tourPaths.size()) {
        r.tourPath = m_tourPaths[i];
        r.tourRenamed = m_tourRenamed[i];
    }
    f.loadSeconds = SecondsSince(f.start);
    if (!graph && m_interrupted) {
        f.stage = Stage::Abandoned;
        return;
    }
    if (!graph) {
        r.verdict = Verdict::Error;
        r.error = error;
        r.seconds = f.loadSeconds;
        f.stage = Stage::Final;
        return;
    }
    r.n = static_cast<int>(graph->NodeCount());
    r.edges = static_cast<unsigned>(graph->EdgeCount());
    if (m_interrupted) {
        f.stage = Stage::Abandoned;
        return;
    }
    f.graph = std::move(graph);
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
    settings.threads = task.threads;
    RestartOutcome out = RunRestart(*task.graph, settings, task.stop);

    std::lock_guard<std::mutex> lock(m_mutex);
    FileJob& f = m_files[i];
    if (f.stage != Stage::Searching) return;   // decided without this restart
    if (!out.problem.empty()) PrintWarning(f.path + ": restart " + std::to_string(k) + ": " + out.problem);
    const hcp::Verdict v = out.problem.empty() ? out.result.verdict : hcp::Verdict::Unknown;
    if (v == hcp::Verdict::NoCycle && !f.noCycle) {
        f.noCycle = true;
        f.reason = out.result.reason;
    }
    // A proof that leaves an order (method min) still lets the other
    // restarts look for fewer gaps; a cycle or a bare proof decides.
    const bool decides = v == hcp::Verdict::Hamiltonian
                      || (v == hcp::Verdict::NoCycle && out.result.order.empty());
    f.outcomes[k] = std::move(out);
    f.slots[k] = Slot::Done;
    if (!decides) KeepBestOrder(f, k);
    if (decides && k < f.lowestDecided) {
        f.lowestDecided = k;
        for (std::size_t j = k + 1; j < f.slots.size(); ++j) {
            if (f.slots[j] == Slot::Running) f.stops[j].request_stop();
            if (f.slots[j] == Slot::Pending) f.slots[j] = Slot::Skipped;
        }
    }
    TryFinalize(f);
}

}  // namespace hcpsolve
