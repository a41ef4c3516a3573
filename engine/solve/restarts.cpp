#include "solve/restarts.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <stop_token>
#include <thread>
#include <vector>

#include "core/cyclecheck.h"

namespace hcp {

namespace {

// A cycle, or a proof that leaves no order to improve on, decides. A proof
// that still leaves an order (min looks for the fewest gaps even so) lets
// the later restarts go on looking.
bool Decides(const SolveResult& r)
{
    return r.verdict == Verdict::Hamiltonian || (r.verdict == Verdict::NoCycle && r.order.empty());
}

// One restart on its way from start to being counted.
struct Slot {
    bool done = false;
    SolveResult result;
    std::exception_ptr failure;
    std::stop_source stop;
    std::ostringstream log;   // its diagnostics, when restarts run side by side
};

class Runner {
public:
    Runner(const Graph& g, const Method& method, const SolveOptions& options, const RestartPlan& plan)
        : m_g(g), m_method(method), m_options(options), m_plan(plan),
          m_threads(std::max(1, plan.threads)),
          m_window(2 * static_cast<std::uint64_t>(m_threads)) {}

    SolveResult Run()
    {
        {
            std::stop_callback onStop(m_options.stop, [this] { StopAll(); });
            std::vector<std::jthread> helpers;
            for (int t = 1; t < m_threads; ++t) helpers.emplace_back([this] { Work(); });
            Work();
        }   // every restart has ended
        std::unique_lock<std::mutex> lock(m_mutex);
        Count();
        if (m_failure) std::rethrow_exception(m_failure);
        return Finish();
    }

private:
    bool Bounded() const { return m_plan.restarts > 0; }

    // Takes restarts until none is left to run: past the cut, past the
    // bound, stopped, or (while the window ahead of the counted restarts is
    // full) waits for one to be counted.
    void Work()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            const std::uint64_t k = m_next;
            if (m_stopped || k > m_cut || (Bounded() && k >= m_plan.restarts)) break;
            if (k >= m_counted + m_window) {
                m_changed.wait(lock);
                continue;
            }
            try {
                m_slots.emplace_back();
            } catch (...) {
                // No room for one more restart: the ones before it answer.
                if (k == 0 && !m_failure) m_failure = std::current_exception();
                m_cut = std::min(m_cut, k == 0 ? 0 : k - 1);
                break;
            }
            ++m_next;
            Slot& slot = m_slots.back();   // deque: stays put as others are added
            SolveOptions one = m_options;
            one.seed = m_options.seed + k;
            one.restarts = 1;
            one.threads = 1;
            one.stop = slot.stop.get_token();
            if (m_threads > 1) one.log = m_options.log != nullptr ? &slot.log : nullptr;
            if (m_options.progress) one.progress = [this](const Progress& p) { Report(p); };
            lock.unlock();
            SolveResult r;
            std::exception_ptr failure;
            try {
                r = m_method.Run(m_g, one);
                if (r.method.empty()) r.method = std::string(m_method.Name());
                CheckResult(m_g, r);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            slot.result = std::move(r);
            slot.failure = failure;
            slot.done = true;
            Count();
            m_changed.notify_all();
        }
        m_changed.notify_all();
    }

    // Counts finished restarts in restart order, as a single thread would
    // have run them: the first one that decides, fails or spends the budget
    // sets the cut, and the restarts after it are stopped.
    void Count()
    {
        while (!m_slots.empty() && m_slots.front().done) {
            Slot& s = m_slots.front();
            const std::uint64_t k = m_counted;
            if (k <= m_cut) Take(k, s);
            m_slots.pop_front();
            ++m_counted;
        }
    }

    void Take(std::uint64_t k, Slot& s)
    {
        if (m_options.log != nullptr && m_threads > 1) *m_options.log << s.log.str();
        if (s.failure) {
            m_failure = s.failure;
            Cut(k);
            return;
        }
        SolveResult& r = s.result;
        m_total += r.stats;
        if (r.verdict == Verdict::NoCycle && !m_noCycle) {
            m_noCycle = true;
            m_proof = r.reason;
            m_proofMethod = r.method;
        }
        if (m_reason.empty()) m_reason = r.reason;
        if (Decides(r)) {
            m_decided = std::move(r);
            m_decidedAt = k;
            Cut(k);
            return;
        }
        if (!r.order.empty() && (m_best.order.empty() || r.gaps < m_best.gaps)) {
            m_best = std::move(r);
            m_bestAt = k;
        } else if (m_best.method.empty()) {
            m_best.method = r.method;
        }
        if (m_plan.enough && m_plan.enough(m_total)) Cut(k);
    }

    // No restart after k counts; those running are asked to stop.
    void Cut(std::uint64_t k)
    {
        m_cut = std::min(m_cut, k);
        for (std::size_t i = 0; i < m_slots.size(); ++i)
            if (m_counted + i > m_cut) m_slots[i].stop.request_stop();
        m_changed.notify_all();
    }

    void StopAll()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
        for (Slot& s : m_slots) s.stop.request_stop();
        m_changed.notify_all();
    }

    void Report(const Progress& p)
    {
        std::lock_guard<std::mutex> lock(m_progressMutex);
        m_options.progress(p);
    }

    SolveResult Finish()
    {
        SolveResult r;
        std::uint64_t at = 0;
        if (m_decidedAt != kNone) {
            r = std::move(m_decided);
            at = m_decidedAt;
        } else {
            r = std::move(m_best);
            at = m_bestAt;
            if (m_noCycle) {
                r.verdict = Verdict::NoCycle;
                r.reason = m_proof;
                r.method = m_proofMethod;
            } else {
                r.verdict = Verdict::Unknown;
                if (r.reason.empty()) r.reason = m_reason;
            }
        }
        if (r.method.empty()) r.method = std::string(m_method.Name());
        r.stats = m_total;
        const bool reported = !r.order.empty();
        r.restart = reported ? static_cast<int>(at) : -1;
        r.seed = m_options.seed + (reported ? at : 0);
        return r;
    }

    static constexpr std::uint64_t kNone = ~std::uint64_t{0};

    const Graph& m_g;
    const Method& m_method;
    const SolveOptions& m_options;
    const RestartPlan& m_plan;
    const int m_threads;
    const std::uint64_t m_window;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::mutex m_progressMutex;
    std::deque<Slot> m_slots;        // restarts m_counted, m_counted + 1, ... started so far
    std::uint64_t m_next = 0;        // the next restart to start
    std::uint64_t m_counted = 0;     // restarts before it are counted
    std::uint64_t m_cut = kNone;     // the last restart that counts
    bool m_stopped = false;
    std::exception_ptr m_failure;

    SolveStats m_total;
    SolveResult m_decided, m_best;
    std::uint64_t m_decidedAt = kNone, m_bestAt = 0;
    bool m_noCycle = false;
    std::string m_proof, m_proofMethod, m_reason;
};

}  // namespace

SolveResult RunRestarts(const Graph& g, const Method& method, const SolveOptions& options,
                        const RestartPlan& plan)
{
    Runner runner(g, method, options, plan);
    return runner.Run();
}

void CheckResult(const Graph& g, SolveResult& r)
{
    if (r.order.empty()) {
        if (r.verdict == Verdict::Hamiltonian)
            throw std::logic_error("method " + r.method + " claimed a cycle but returned no order");
        r.gaps = -1;
        return;
    }
    const CycleCheck c = CheckCycle(g, r.order);
    if (!c.permutation)
        throw std::logic_error("method " + r.method + " returned an order that is no permutation: "
                               + c.problem);
    r.gaps = c.gaps;
    // A cycle that skips an edge the file fixes does not answer the file's
    // question; methods that ignore fixed edges can return one. Its gaps
    // count the fixed edges it skips.
    if (c.gaps == c.missedFixedCount && c.missedFixed) {
        if (r.verdict == Verdict::Hamiltonian || (r.verdict == Verdict::Unknown && r.reason.empty())) {
            r.verdict = Verdict::Unknown;
            r.reason = "the cycle found does not use the fixed edge "
                       + std::to_string(std::uint64_t{c.missedFixed->first} + 1) + " "
                       + std::to_string(std::uint64_t{c.missedFixed->second} + 1);
        }
        return;
    }
    if (r.verdict == Verdict::Hamiltonian && !c.hamiltonian)
        throw std::logic_error("method " + r.method + " claimed a cycle with " + std::to_string(c.gaps)
                               + " gaps");
    if (r.verdict == Verdict::NoCycle && c.hamiltonian)
        throw std::logic_error("method " + r.method + " claimed no cycle but returned one");
    if (r.verdict == Verdict::Unknown && c.hamiltonian) r.verdict = Verdict::Hamiltonian;
}

}  // namespace hcp
