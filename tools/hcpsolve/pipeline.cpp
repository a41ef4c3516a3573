#include "pipeline.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <stop_token>
#include <thread>
#include <vector>

#include "console.h"
#include "graphsolve.h"
#include "interrupt.h"
#include "io/graphsource.h"
#include "io/messagetext.h"
#include "io/readerror.h"
#include "io/tourfile.h"
#include "resultwriter.h"

namespace hcpsolve {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

enum class JobState { Queued, Running, Done };

// One graph between the reader and the output, or an input that gave none.
struct Job {
    std::string name;                          // FILE, or FILE:INDEX within a stream
    std::string tourWanted;                    // with -o: DIR/NAME.tour before claiming
    std::shared_ptr<const hcp::Graph> graph;   // null when there is nothing to solve
    double readSeconds = 0;                    // reading a whole file counts towards its time
    JobState state = JobState::Queued;
    std::atomic<int> gaps{-1};                 // fewest gaps so far, for progress
    Clock::time_point started;
    FileResult result;
    std::string warning;                       // printed before the result line
};

class Pipeline {
public:
    explicit Pipeline(const Options& opts)
        : m_opts(opts), m_jobs(std::max(1, opts.jobs)), m_window(4 * static_cast<std::size_t>(m_jobs)),
          m_out(opts) {}

    int Run();

private:
    // The reader thread.
    void Produce();
    void ReadInput(std::size_t input);
    bool Push(std::unique_ptr<Job> job);
    std::unique_ptr<Job> Failed(const std::string& name, Verdict verdict, const std::string& text);

    // The workers.
    void Work();
    int ThreadsFor() const;

    // The main thread.
    void PrintReady(std::unique_lock<std::mutex>& lock);
    std::string ProgressText() const;
    bool Stopping() const { return m_stop.stop_requested(); }

    const Options& m_opts;
    const int m_jobs;
    const std::size_t m_window;   // graphs read but not yet printed, at most
    std::stop_source m_stop;      // Ctrl-C, or results nobody can see

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Job>> m_queue;   // in input order, until printed
    bool m_producing = true;
    int m_running = 0;
    std::size_t m_inputsRead = 0;               // inputs read to their end

    ResultWriter m_out;                         // the main thread's alone
};

// A result line for an input or graph that could not be solved.
std::unique_ptr<Job> Pipeline::Failed(const std::string& name, Verdict verdict, const std::string& text)
{
    auto job = std::make_unique<Job>();
    job->name = name;
    job->state = JobState::Done;
    job->result.file = name;
    job->result.method = m_opts.method;
    job->result.verdict = verdict;
    if (verdict == Verdict::Error) job->result.error = text;
    else job->result.reason = text;
    return job;
}

bool Pipeline::Push(std::unique_ptr<Job> job)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_queue.size() < m_window || Stopping(); });
    if (Stopping()) return false;
    m_queue.push_back(std::move(job));
    m_changed.notify_all();
    return true;
}

void Pipeline::Produce()
{
    for (std::size_t i = 0; i < m_opts.files.size() && !Stopping(); ++i) {
        ReadInput(i);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Stopping()) ++m_inputsRead;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_producing = false;
    m_changed.notify_all();
}

// Reads one input to its end. Whatever goes wrong with it is one result
// line; the run goes on with the next input.
void Pipeline::ReadInput(std::size_t input)
{
    const std::string& path = m_opts.files[input];
    const std::string shown = hcp::EscapeControls(path);
    if (path == "-" && std::count(m_opts.files.begin(), m_opts.files.begin() + static_cast<std::ptrdiff_t>(input),
                                  std::string("-")) > 0) {
        Push(Failed(path, Verdict::Error, "-: standard input was already read to its end by an earlier -"));
        return;
    }
    hcp::ReadOptions read;
    read.stop = m_stop.get_token();
    read.timeLimit = m_opts.timeLimit;
    std::size_t graphs = 0;
    auto start = Clock::now();
    try {
        hcp::GraphSource source(path, read);
        hcp::SourceItem item;
        for (;;) {
            start = Clock::now();
            if (!source.Next(item)) break;
            ++graphs;
            auto job = std::make_unique<Job>();
            job->name = source.Stream() ? path + ":" + std::to_string(item.index) : path;
            if (!m_opts.outDir.empty())
                job->tourWanted = hcp::TourPathFor(m_opts.outDir, path, source.Stream() ? item.index : 0);
            if (!item.error.empty()) {
                auto failed = Failed(job->name, Verdict::Error, item.error);
                job.swap(failed);
            } else {
                if (!source.Stream()) job->readSeconds = SecondsSince(start);
                job->graph = std::make_shared<const hcp::Graph>(std::move(item.graph));
            }
            if (!Push(std::move(job))) return;
            if (Stopping()) return;
        }
        if (graphs == 0) Push(Failed(path, Verdict::Error, shown + ": holds no graph"));
    } catch (const hcp::ReadStopped& e) {
        // The time limit ended the read: the graph is not found in time, as
        // a search cut short is (Ctrl-C ends the run: nothing to say).
        if (!Stopping()) {
            auto job = Failed(path, Verdict::NotFound, e.what());
            job->result.seconds = SecondsSince(start);
            job->warning = e.what();
            Push(std::move(job));
        }
    } catch (const hcp::FileError& e) {
        // The graphs read so far are still solved and reported.
        Push(Failed(path, Verdict::Error, e.what()));
    } catch (const std::bad_alloc&) {
        Push(Failed(path, Verdict::Error, shown + ": not enough memory to read it"));
    } catch (const std::exception& e) {
        Push(Failed(path, Verdict::Error, shown + ": " + e.what()));
    }
}

// A graph's share of the threads: the jobs spread over the graphs being
// solved or waiting, so that a lone graph (or the last one) gets them all
// and a batch runs one thread per graph.
int Pipeline::ThreadsFor() const
{
    std::size_t open = static_cast<std::size_t>(m_running) + (m_producing ? 1 : 0);
    for (const auto& j : m_queue)
        if (j->state == JobState::Queued) ++open;
    return std::max(1, m_jobs / static_cast<int>(std::max<std::size_t>(1, open)));
}

void Pipeline::Work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        Job* job = nullptr;
        m_changed.wait(lock, [&] {
            if (Stopping()) return true;
            for (const auto& j : m_queue)
                if (j->state == JobState::Queued) {
                    job = j.get();
                    return true;
                }
            return !m_producing;
        });
        if (job == nullptr || Stopping()) break;
        const int threads = ThreadsFor();
        job->state = JobState::Running;
        job->started = Clock::now();
        ++m_running;
        lock.unlock();
        // The time limit holds for the file: what its read took is spent.
        double seconds = m_opts.timeLimit;
        if (seconds > 0) seconds = std::max(seconds - job->readSeconds, 1e-3);
        FileResult r = SolveGraph(m_opts, job->name, *job->graph, threads, seconds, m_stop.get_token(), &job->gaps);
        r.seconds += job->readSeconds;
        lock.lock();
        job->result = std::move(r);
        job->state = JobState::Done;
        --m_running;
        m_changed.notify_all();
    }
    m_changed.notify_all();
}

// Prints the finished results at the front of the queue. After Ctrl-C a
// graph never started is dropped unreported; one cut short is reported
// with what it reached.
void Pipeline::PrintReady(std::unique_lock<std::mutex>& lock)
{
    while (!m_queue.empty()) {
        Job& front = *m_queue.front();
        if (front.state != JobState::Done) {
            if (!(Stopping() && front.state == JobState::Queued)) break;
            m_queue.pop_front();
            continue;
        }
        std::unique_ptr<Job> job = std::move(m_queue.front());
        m_queue.pop_front();
        m_changed.notify_all();
        lock.unlock();
        if (!job->warning.empty()) {
            m_out.Flush(true);
            PrintWarning(job->warning);
        }
        m_out.Emit(job->result, job->graph.get(), job->tourWanted);
        job.reset();
        lock.lock();
        if (m_out.Failed()) m_stop.request_stop();
    }
}

std::string Pipeline::ProgressText() const
{
    std::string text = "[" + std::to_string(m_out.Printed()) + " done]";
    if (m_queue.empty()) return m_producing ? text + " reading" : text;
    const Job& j = *m_queue.front();
    text += " " + hcp::EscapeControls(j.name);
    if (j.state != JobState::Running) return text;
    const int gaps = j.gaps.load();
    char tail[64];
    std::snprintf(tail, sizeof tail, " best H=%s %.1fs", gaps < 0 ? "-" : std::to_string(gaps).c_str(),
                  SecondsSince(j.started));
    return text + tail;
}

int Pipeline::Run()
{
    const bool progress = ProgressWanted();
    bool interrupted = false;
    {
        std::jthread reader([this] { Produce(); });
        std::vector<std::jthread> workers;
        for (int j = 0; j < m_jobs; ++j) workers.emplace_back([this] { Work(); });
        std::unique_lock<std::mutex> lock(m_mutex);
        auto lastProgress = Clock::now();
        for (;;) {
            m_changed.wait_for(lock, std::chrono::milliseconds(50));
            if (!interrupted && InterruptRequested()) {
                interrupted = true;
                m_stop.request_stop();
                m_changed.notify_all();
            }
            PrintReady(lock);
            const bool ready = !m_queue.empty() && m_queue.front()->state == JobState::Done;
            if (!ready) {
                lock.unlock();
                m_out.Flush(false);
                lock.lock();
                if (m_out.Failed()) m_stop.request_stop();
            }
            if (!m_producing && m_queue.empty() && m_running == 0) break;
            if (progress && Clock::now() - lastProgress > std::chrono::milliseconds(250)) {
                lastProgress = Clock::now();
                const std::string text = ProgressText();
                lock.unlock();
                ShowProgress(text);
                lock.lock();
            }
        }
        m_changed.notify_all();
    }   // joins the reader and the workers
    if (progress) ShowProgress("");
    m_out.Flush(true);
    if (m_out.Failed()) return 2;
    if (interrupted) {
        const std::size_t inputs = m_opts.files.size();
        PrintError("interrupted; " + std::to_string(m_out.Printed()) + " results printed, "
                       + std::to_string(m_inputsRead) + " of " + std::to_string(inputs)
                       + (inputs == 1 ? " input" : " inputs") + " read to the end",
                   true);
        return 130;
    }
    if (m_out.Errors() > 0) return 2;
    return m_out.NotHamiltonian() > 0 ? 1 : 0;
}

}  // namespace

int RunPipeline(const Options& opts)
{
    Pipeline pipeline(opts);
    return pipeline.Run();
}

}  // namespace hcpsolve
