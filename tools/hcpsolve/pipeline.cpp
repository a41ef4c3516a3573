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
    std::string text;                          // with --select: the graph as read
};

// Graphs read ahead of the one being printed: at least one a worker and
// one more, at most this many, and no more than this much memory.
constexpr std::size_t kMaxAhead = 1024;
constexpr std::uint64_t kAheadBytes = 256ull << 20;

// About what a graph of the solver holds in memory.
std::uint64_t Weight(const Job& job)
{
    if (!job.graph) return 256 + job.text.size();
    return 256 + job.text.size() + 8ull * job.graph->NodeCount() + 8ull * job.graph->EdgeCount();
}

class Pipeline {
public:
    explicit Pipeline(const Options& opts) : m_opts(opts), m_jobs(std::max(1, opts.jobs)), m_out(opts) {}

    int Run();

private:
    // The reader thread.
    void Produce();
    void ProduceAll();
    void ReadInput(std::size_t input);
    bool Push(std::unique_ptr<Job> job, bool lastOfInput = false);
    std::unique_ptr<Job> Failed(const std::string& name, Verdict verdict, const std::string& text);

    // The workers.
    void Work();
    int ThreadsFor() const;

    // The main thread.
    void PrintReady(std::unique_lock<std::mutex>& lock);
    std::string ProgressText() const;
    void StopAll();
    bool Stopping() const { return m_stop.stop_requested(); }
    bool FrontDone() const { return !m_queue.empty() && m_queue.front()->state == JobState::Done; }
    bool Finished() const { return !m_producing && m_queue.empty() && m_running == 0; }

    const Options& m_opts;
    const int m_jobs;
    std::stop_source m_stop;      // Ctrl-C, or results nobody can see

    std::mutex m_mutex;
    std::condition_variable m_work;    // a graph waits for a worker, or the input ended
    std::condition_variable m_room;    // the reader may read ahead again
    std::condition_variable m_ready;   // the result at the front is done
    std::deque<std::unique_ptr<Job>> m_queue;   // in input order, until printed
    std::size_t m_next = 0;            // queue position before which every graph was taken
    std::size_t m_queued = 0;          // graphs no worker has taken yet
    std::uint64_t m_weight = 0;        // memory of the graphs in the queue
    bool m_producing = true;
    bool m_readFailed = false;         // the reader itself ran out of memory
    // Graphs that may still come, for the threads' share: inputs not yet
    // opened, and the one being read unless it is known to hold no more.
    std::size_t m_inputsAfter = 0;
    bool m_currentOpen = false;
    int m_running = 0;
    unsigned m_quiet = 0;              // results done without waking the printer
    std::size_t m_inputsRead = 0;      // inputs read to their end

    ResultWriter m_out;                // the main thread's alone
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
    job->result.question = m_opts.question;
    if (verdict == Verdict::Error) job->result.error = text;
    else job->result.reason = text;
    return job;
}

bool Pipeline::Push(std::unique_ptr<Job> job, bool lastOfInput)
{
    const std::uint64_t weight = Weight(*job);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_room.wait(lock, [&] {
        const std::size_t ahead = m_queue.size();
        return Stopping() || ahead <= static_cast<std::size_t>(m_jobs)
            || (ahead < kMaxAhead && m_weight + weight <= kAheadBytes);
    });
    if (Stopping()) return false;
    if (lastOfInput) m_currentOpen = false;
    m_weight += weight;
    const bool queued = job->state == JobState::Queued;
    m_queue.push_back(std::move(job));
    if (queued) {
        ++m_queued;
        m_work.notify_one();
    } else if (m_queue.size() == 1) {
        m_ready.notify_one();
    }
    return true;
}

void Pipeline::Produce()
{
    try {
        ProduceAll();
    } catch (const std::bad_alloc&) {
        // Not even an error line could be made: the run ends as interrupted
        // would, with what it has.
        PrintError("not enough memory to go on reading", true);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_readFailed = true;
        StopAll();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_producing = false;
    m_work.notify_all();
    m_ready.notify_one();
}

void Pipeline::ProduceAll()
{
    for (std::size_t i = 0; i < m_opts.files.size() && !Stopping(); ++i) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_inputsAfter = m_opts.files.size() - i - 1;
            m_currentOpen = true;
        }
        ReadInput(i);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Stopping()) ++m_inputsRead;
    }
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
    read.keepText = m_opts.select != Select::None;
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
                job->text = std::move(item.text);
                // A stream's last line may lack its line end; passed on, it
                // gets one, so that the next graph written starts its own line.
                if (source.Stream() && !job->text.empty() && job->text.back() != '\n' && job->text.back() != '\r')
                    job->text += '\n';
            }
            // A whole file holds one graph: with it the input is done.
            if (!Push(std::move(job), !source.Stream())) return;
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
    const std::size_t coming = m_producing ? m_inputsAfter + (m_currentOpen ? 1 : 0) : 0;
    const std::size_t open = static_cast<std::size_t>(m_running) + m_queued + coming;
    return std::max(1, m_jobs / static_cast<int>(std::max<std::size_t>(1, open)));
}

void Pipeline::Work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_work.wait(lock, [&] { return Stopping() || m_queued > 0 || !m_producing; });
        if (Stopping() || m_queued == 0) break;
        while (m_queue[m_next]->state != JobState::Queued) ++m_next;
        Job* job = m_queue[m_next++].get();
        const int threads = ThreadsFor();
        --m_queued;
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
        // The printer is woken when the front result is done, but while more
        // graphs wait it is left to collect a few: a stream of tiny graphs
        // then costs no wake-up per graph (the printer looks every 50 ms
        // anyway).
        if (Finished() || (FrontDone() && (m_queued == 0 || ++m_quiet % 64 == 0)))
            m_ready.notify_one();
    }
    m_ready.notify_one();
}

// Prints the finished results at the front of the queue. After Ctrl-C a
// graph never started is dropped unreported; one cut short is reported
// with what it reached.
void Pipeline::PrintReady(std::unique_lock<std::mutex>& lock)
{
    while (!m_queue.empty()) {
        Job& front = *m_queue.front();
        if (front.state != JobState::Done && !(Stopping() && front.state == JobState::Queued)) break;
        std::unique_ptr<Job> job = std::move(m_queue.front());
        m_queue.pop_front();
        m_weight -= Weight(*job);
        if (m_next > 0) --m_next;
        else if (job->state == JobState::Queued) --m_queued;   // dropped unreported after Ctrl-C
        m_room.notify_one();
        if (job->state != JobState::Done) continue;
        lock.unlock();
        if (!job->warning.empty()) {
            m_out.Flush(true);
            PrintWarning(job->warning);
        }
        m_out.Emit(job->result, job->graph.get(), job->tourWanted, job->text);
        job.reset();
        lock.lock();
        if (m_out.Failed()) StopAll();
    }
}

// Under the lock: every wait ends, no graph is taken or read any more.
void Pipeline::StopAll()
{
    m_stop.request_stop();
    m_work.notify_all();
    m_room.notify_all();
    m_ready.notify_all();
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
            m_ready.wait_for(lock, std::chrono::milliseconds(50), [&] { return FrontDone() || Finished(); });
            if (!interrupted && InterruptRequested()) {
                interrupted = true;
                StopAll();
            }
            PrintReady(lock);
            if (!FrontDone()) {
                lock.unlock();
                m_out.Flush(false);
                lock.lock();
                if (m_out.Failed()) StopAll();
            }
            if (Finished()) break;
            if (progress && Clock::now() - lastProgress > std::chrono::milliseconds(250)) {
                lastProgress = Clock::now();
                const std::string text = ProgressText();
                lock.unlock();
                ShowProgress(text);
                lock.lock();
            }
        }
    }   // joins the reader and the workers
    if (progress) ShowProgress("");
    m_out.Flush(true);
    if (m_out.Failed() || m_readFailed) return 2;
    if (interrupted) {
        const std::size_t inputs = m_opts.files.size();
        const std::string passed = m_opts.select == Select::None ? std::string()
                                 : std::to_string(m_out.Selected()) + " graphs passed on, ";
        PrintError("interrupted; " + std::to_string(m_out.Printed()) + " results printed, " + passed
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
