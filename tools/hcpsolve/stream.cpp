#include "stream.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "console.h"
#include "interrupt.h"
#include "io/graphfile.h"
#include "io/graphsource.h"
#include "resultformat.h"
#include "solve/solver.h"
#include "tourguard.h"

namespace hcpsolve {

namespace {

using Clock = std::chrono::steady_clock;

// One graph of the source on its way from the reader to the output.
struct Pending {
    hcp::SourceItem item;
    FileResult result;
    bool taken = false;
    bool done = false;
};

std::string ResultName(const hcp::GraphSource& source, const hcp::SourceItem& item)
{
    if (!source.Stream()) return source.Path();
    return source.Path() + ":" + std::to_string(item.index);
}

// DIR/BASENAME_INDEX.tour for graph INDEX of a stream, DIR/BASENAME.tour
// for a whole file; standard input is called "stdin".
std::string TourPath(const Options& opts, const hcp::GraphSource& source, const hcp::SourceItem& item)
{
    const std::string base =
        source.Path() == "-" ? std::string("stdin") : std::filesystem::path(source.Path()).stem().string();
    std::string name = base;
    if (source.Stream()) name += "_" + std::to_string(item.index);
    return (std::filesystem::path(opts.outDir) / (name + ".tour")).string();
}

FileResult Solve(const Options& opts, const hcp::GraphSource& source, const hcp::SourceItem& item,
                 int threads, std::stop_token stop)
{
    FileResult r;
    r.file = ResultName(source, item);
    r.method = opts.method;
    if (!item.error.empty()) {
        r.verdict = Verdict::Error;
        r.error = item.error;
        return r;
    }
    const hcp::Graph& g = item.graph;
    r.n = static_cast<int>(g.NodeCount());
    r.edges = static_cast<unsigned>(g.EdgeCount());
    hcp::SolveOptions o;
    o.seed = opts.seed;
    o.stop = stop;
    o.timeLimit = opts.timeLimit;
    o.restarts = opts.restarts;
    o.optimizeCalls = opts.calls;
    o.threads = threads;
    try {
        const hcp::SolveResult s = hcp::Solve(g, opts.method, o);
        r.verdict = s.verdict == hcp::Verdict::Hamiltonian ? Verdict::Hamiltonian
                  : s.verdict == hcp::Verdict::NoCycle     ? Verdict::NoCycle
                                                           : Verdict::NotFound;
        r.gaps = s.gaps;
        r.calls = s.stats.optimizeCalls;
        r.seconds = s.seconds;
        // Restart k of a method runs with seed + k; report the one whose
        // order is shown when that is a cycle.
        r.restart = s.verdict == hcp::Verdict::Hamiltonian && s.stats.restarts > 0
                        ? static_cast<int>(s.stats.restarts - 1) : 0;
        r.seed = opts.seed + static_cast<std::uint32_t>(r.restart);
        r.method = s.method;
        r.reason = s.reason;
        if (s.verdict == hcp::Verdict::Hamiltonian || opts.method == "min") r.order = s.order;
    } catch (const std::exception& e) {
        r.verdict = Verdict::Error;
        r.error = r.file + ": " + e.what();
    }
    return r;
}

// Prints results in input order. Lines are flushed in batches: a stream of
// tens of thousands of tiny graphs must not pay a write per graph, yet a
// slow stream still shows its results within a fraction of a second.
class Output {
public:
    Output(const Options& opts, SourceTally& tally) : m_opts(opts), m_tally(tally) {}
    ~Output() { std::fflush(stdout); }

    void Emit(const hcp::GraphSource& source, const hcp::SourceItem& item, const FileResult& r)
    {
        if (r.verdict == Verdict::Error) {
            ++m_tally.errors;
            PrintError(r.error);
        } else if (r.verdict != Verdict::Hamiltonian) {
            ++m_tally.notHamiltonian;
        }
        FileResult shown;
        const FileResult* line = &r;
        if (!m_opts.outDir.empty() && !r.order.empty()) WriteTour(source, item, r, shown, line);
        ++m_done;
        const bool progress = ProgressWanted();
        if (progress) ShowProgress("");
        const std::string text = FormatResult(m_opts.format, *line);
        bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size()
                    && std::fputc('\n', stdout) != EOF;
        const auto now = Clock::now();
        if (progress || now - m_lastFlush > std::chrono::milliseconds(100)) {
            written = FlushResults() && written;
            m_lastFlush = now;
        }
        if (!written || std::ferror(stdout)) {
            // Nobody can see the results: the source stops here.
            FlushResults();
            ReportOutputFailure();
            m_tally.outputFailed = true;
        }
        if (progress && now - m_lastProgress > std::chrono::milliseconds(250)) {
            m_lastProgress = now;
            ShowProgress("[" + std::to_string(m_done) + " graphs done] " + r.file);
        }
    }

    bool Failed() const { return m_tally.outputFailed; }

private:
    // Tours of one run never share a file, and a better tour already on
    // disk is kept.
    void WriteTour(const hcp::GraphSource& source, const hcp::SourceItem& item, const FileResult& r,
                   FileResult& shown, const FileResult*& line)
    {
        bool renamed = false;
        const std::string path = ClaimTourPath(TourPath(m_opts, source, item), renamed);
        switch (WriteTourKeepingBetter(path, &item.graph, r)) {
        case TourWrite::Written:
            if (renamed) {
                shown = r;
                shown.tourShown = path;
                line = &shown;
            }
            break;
        case TourWrite::KeptBetter:
            break;
        case TourWrite::Failed:
            ++m_tally.errors;
            break;
        }
    }

    const Options& m_opts;
    SourceTally& m_tally;
    std::uint64_t m_done = 0;
    Clock::time_point m_lastFlush = Clock::now();
    Clock::time_point m_lastProgress = Clock::now();
};

// Turns Ctrl-C into a stop request for the searches of this source.
class InterruptWatch {
public:
    InterruptWatch()
        : m_thread([this](std::stop_token own) {
              while (!own.stop_requested()) {
                  if (InterruptRequested()) {
                      m_stop.request_stop();
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          }) {}
    std::stop_token Token() const { return m_stop.get_token(); }
    bool Interrupted() const { return m_stop.stop_requested(); }

private:
    std::stop_source m_stop;
    std::jthread m_thread;
};

void RunSequential(const Options& opts, hcp::GraphSource& source, Output& out, InterruptWatch& watch)
{
    const int threads = source.Stream() ? 1 : std::max(1, opts.jobs);
    hcp::SourceItem item;
    while (!watch.Interrupted() && !out.Failed() && source.Next(item)) {
        const FileResult r = Solve(opts, source, item, threads, watch.Token());
        if (watch.Interrupted() && r.verdict == Verdict::NotFound) break;   // cut short: not reported
        out.Emit(source, item, r);
    }
}

// Up to 4 x jobs graphs are read ahead; each worker solves one at a time
// and the main thread prints them in input order.
void RunParallel(const Options& opts, hcp::GraphSource& source, Output& out, InterruptWatch& watch)
{
    const std::size_t window = 4 * static_cast<std::size_t>(opts.jobs);
    std::deque<Pending> queue;   // references stay valid across push_back/pop_front
    std::size_t nextTake = 0;    // queue position of the first graph no worker took
    bool ended = false;
    std::mutex mutex;
    std::condition_variable changed;

    auto worker = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return nextTake < queue.size() || ended; });
            if (nextTake >= queue.size()) return;
            Pending& p = queue[nextTake++];
            p.taken = true;
            lock.unlock();
            FileResult r = Solve(opts, source, p.item, 1, watch.Token());
            lock.lock();
            p.result = std::move(r);
            p.done = true;
            changed.notify_all();
        }
    };
    std::vector<std::jthread> workers;
    for (int j = 0; j < opts.jobs; ++j) workers.emplace_back(worker);

    std::unique_lock<std::mutex> lock(mutex);
    bool more = true;
    std::string readError;
    while (more || !queue.empty()) {
        while (more && queue.size() < window && !watch.Interrupted() && !out.Failed()) {
            hcp::SourceItem item;
            lock.unlock();
            try {
                more = source.Next(item);
            } catch (const hcp::FileError& e) {
                // The graphs read so far are still solved and reported.
                readError = e.what();
                more = false;
            }
            lock.lock();
            if (!more) break;
            queue.push_back(Pending{std::move(item), {}, false, false});
            changed.notify_all();
        }
        if (watch.Interrupted() || out.Failed()) more = false;
        if (!more && !ended) {
            ended = true;
            changed.notify_all();
        }
        if (queue.empty()) break;
        changed.wait_for(lock, std::chrono::milliseconds(50), [&] { return queue.front().done; });
        while (!queue.empty() && queue.front().done) {
            Pending p = std::move(queue.front());
            queue.pop_front();
            --nextTake;
            lock.unlock();
            if (!(watch.Interrupted() && p.result.verdict == Verdict::NotFound)) out.Emit(source, p.item, p.result);
            lock.lock();
        }
    }
    ended = true;
    changed.notify_all();
    lock.unlock();
    workers.clear();
    if (!readError.empty()) throw hcp::FileError(readError);
}

}  // namespace

bool IsSourceInput(const std::string& path)
{
    if (path == "-") return true;
    if (const auto f = hcp::FormatFromExtension(path)) return *f != hcp::GraphFormat::Hcp;
    // A FIFO, a pipe from <(...) or a device can be opened only once: the
    // source reader opens it, finds the format from the first line and
    // reads an HCP graph from the same stream.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) && std::filesystem::exists(path, ec)
        && !std::filesystem::is_directory(path, ec))
        return true;
    try {
        hcp::GraphSource probe(path);
        return probe.Format() != hcp::GraphFormat::Hcp;
    } catch (const std::exception&) {
        return false;   // the file batch reports why it cannot be read
    }
}

void RunSource(const Options& opts, const std::string& path, SourceTally& tally)
{
    Output out(opts, tally);
    InterruptWatch watch;
    try {
        hcp::ReadOptions read;
        read.stop = watch.Token();
        read.timeLimit = opts.timeLimit;
        hcp::GraphSource source(path, read);
        if (opts.jobs <= 1 || !source.Stream()) RunSequential(opts, source, out, watch);
        else RunParallel(opts, source, out, watch);
    } catch (const hcp::FileError& e) {
        ++tally.errors;
        FileResult r;
        r.file = path;
        r.method = opts.method;
        r.error = e.what();
        PrintError(r.error);
        const std::string line = FormatResult(opts.format, r);
        std::printf("%s\n", line.c_str());
    }
    if (watch.Interrupted()) tally.interrupted = true;
}

}  // namespace hcpsolve
