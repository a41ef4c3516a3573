// The state of one hcpsolve run: each file's progress through reading and
// its restarts, and the pool that works on them. Internal to batch.cpp
// (scheduling and work) and batchoutput.cpp (result lines, progress, Run).
#pragma once

#include <chrono>
#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

#include "core/graph.h"
#include "options.h"
#include "restart.h"
#include "resultformat.h"

namespace hcpsolve {

using Clock = std::chrono::steady_clock;

enum class Stage {
    Waiting,     // not yet touched
    Loading,     // a worker reads the file
    Searching,   // restarts run
    Final,       // result known, not yet printed
    Printed,
    Abandoned    // interrupted before any restart ran: not reported
};

enum class Slot { Pending, Running, Done, Skipped };

struct FileJob {
    std::string path;
    Stage stage = Stage::Waiting;
    std::shared_ptr<const hcp::Graph> graph;  // as read; shared with running restarts
    bool noCycle = false;                     // a restart proved there is no cycle
    std::string reason;                       // ... and why
    std::vector<Slot> slots;                  // one per restart started
    std::vector<RestartOutcome> outcomes;
    std::vector<std::stop_source> stops;
    int nextSlot = 0;                         // next restart to start
    int bestOrder = -1;                       // the undecisive restart whose order is kept
    // Lowest restart that decided the file: found a cycle, or proved there
    // is none without leaving an order to improve on.
    int lowestDecided = INT_MAX;
    bool cutShort = false;                    // time limit or interrupt: start no more
    std::stop_source loadStop;                // ends the read on Ctrl-C
    Clock::time_point start;                  // reading began
    double loadSeconds = 0;
    bool searching = false;                   // a restart has started
    Clock::time_point searchStart;            // the first restart began; the time limit counts from here
    FileResult result;
};

struct Task {
    bool load = false;   // read the file, or run restart `slot`
    std::size_t file = 0;
    int slot = 0;
    // Taken with the task: the file may be decided, and its graph released,
    // before the restart even starts.
    std::shared_ptr<const hcp::Graph> graph;
    std::stop_token stop;
    int threads = 1;     // threads the solve may use side by side (method auto)
};

inline double SecondsSince(Clock::time_point t)
{
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// Time the file has used: reading it, then searching from its first restart
// on (waiting for a free thread does not count).
inline double FileSeconds(const FileJob& f)
{
    return f.loadSeconds + (f.searching ? SecondsSince(f.searchStart) : 0.0);
}

class Batch {
public:
    explicit Batch(const Options& opts) : m_opts(opts)
    {
        m_files.resize(opts.files.size());
        for (std::size_t i = 0; i < opts.files.size(); ++i) m_files[i].path = opts.files[i];
    }
    int Run();

private:
    // Scheduling, all under m_mutex (batch.cpp).
    bool TakeTask(Task& task);
    void CutShort(FileJob& f);
    void TryFinalize(FileJob& f);
    void KeepBestOrder(FileJob& f, int k);
    void Watch();

    // Work, run by the workers without the lock (batch.cpp).
    void Worker();
    void Load(std::size_t i, std::stop_token stop);
    void Restart(const Task& task);

    // Output, by the main thread (batchoutput.cpp).
    void PrintReady(std::unique_lock<std::mutex>& lock, bool finalPass);
    void Emit(const FileResult& r);
    std::string ProgressText() const;

    const Options& m_opts;
    std::vector<FileJob> m_files;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_firstOpen = 0;    // files before it are past Searching
    std::size_t m_nextPrint = 0;
    int m_loading = 0;              // files being read
    int m_workersRunning = 0;
    bool m_interrupted = false;
    bool m_outputFailed = false;    // the results could not be written
    std::vector<std::string> m_tourPaths;   // with -o: each input's tour
    std::vector<bool> m_tourRenamed;

    // Tallies for the exit status.
    int m_notHamiltonian = 0;
    int m_errors = 0;
    int m_done = 0;
};

}  // namespace hcpsolve
