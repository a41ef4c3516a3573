#include "solve/solver.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <stdexcept>

#include "core/cyclecheck.h"
#include "core/deadline.h"
#include "exact/digraphproofs.h"
#include "exact/pathproofs.h"
#include "solve/automethod.h"
#include "solve/builtin.h"
#include "solve/questionforms.h"
#include "solve/restarts.h"

namespace hcp {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::shared_ptr<const Method>> methods;
};

Registry& TheRegistry()
{
    static Registry* r = [] {
        auto* reg = new Registry;
        for (auto& m : BuiltinMethods()) reg->methods.push_back(std::move(m));
        return reg;
    }();
    return *r;
}

// The cycle question, put to the method as it is.
SolveResult RunMethod(const Graph& g, const Method& method, const SolveOptions& run)
{
    SolveResult r;
    if (method.Restartable()) {
        RestartPlan plan;
        plan.restarts = static_cast<std::uint64_t>(std::max(1, run.restarts));
        plan.threads = static_cast<int>(std::min<std::uint64_t>(std::max(1, run.threads), plan.restarts));
        r = RunRestarts(g, method, run, plan);
    } else {
        r = method.Run(g, run);
        if (r.method.empty()) r.method = std::string(method.Name());
        CheckResult(g, r);
        r.restart = r.order.empty() ? -1 : 0;
        r.seed = run.seed;
    }
    return r;
}

SolveResult Proved(std::string reason)
{
    SolveResult r;
    r.verdict = Verdict::NoCycle;
    r.reason = std::move(reason);
    r.method = "proofs";
    return r;
}

SolveResult AskMethod(const Graph& g, const Method& method, const SolveOptions& run);

// Above this size a path question with a free end asks for a cycle first;
// smaller graphs go to the form at once, where the complete method decides
// them in microseconds (auto's limit for going straight to it).
constexpr NodeId kCycleFirstNodes = kAutoTinyGraph;

// Turns a Hamiltonian cycle into a path that answers q (a free end, or a
// given first node): opened at a link no fixed edge asks for, and at the
// given first node in either direction the graph allows. False when every
// opening would drop a fixed edge.
bool OpenCycle(const Graph& g, const Question& q, std::vector<NodeId>& order)
{
    const std::size_t n = order.size();
    auto tryAt = [&](std::size_t first) {
        std::vector<NodeId> path(order.begin() + static_cast<std::ptrdiff_t>(first), order.end());
        path.insert(path.end(), order.begin(), order.begin() + static_cast<std::ptrdiff_t>(first));
        if (!CheckOrder(g, path, q).hamiltonian) return false;
        order = std::move(path);
        return true;
    };
    if (q.from) {
        const std::size_t at = static_cast<std::size_t>(std::find(order.begin(), order.end(), *q.from) - order.begin());
        if (at == n) return false;
        if (tryAt(at)) return true;
        if (g.Directed()) return false;
        std::reverse(order.begin(), order.end());
        return tryAt(n - 1 - at);
    }
    if (g.FixedEdges().empty()) return tryAt(0);
    const auto& fixed = g.FixedEdges();
    for (std::size_t i = 0; i < n; ++i) {
        NodeId a = order[i], b = order[(i + 1) % n];
        if (!g.Directed() && a > b) std::swap(a, b);
        if (!std::binary_search(fixed.begin(), fixed.end(), Edge{a, b})) return tryAt((i + 1) % n);
    }
    return false;
}

// A path question, as a cycle question on the graph with the added nodes.
SolveResult AskPath(const Graph& g, const Method& method, const SolveOptions& run)
{
    const Question& q = run.question;
    if (g.NodeCount() == 0) return Proved("the graph has no nodes");
    if (g.NodeCount() == 1) {
        SolveResult r;
        r.verdict = Verdict::Hamiltonian;
        r.order = {0};
        r.method = "proofs";
        return r;
    }
    if (std::string why = ProveNoPath(g, q); !why.empty()) return Proved(std::move(why));
    SolveOptions inner = run;
    inner.question = Question::Cycle();
    inner.startOrder.clear();
    SolveStats spent;
    if (!q.to && g.NodeCount() > kCycleFirstNodes) {
        // Any Hamiltonian cycle is a path with a free end, opened at the
        // given first node or anywhere, and the form's node joined to every
        // node makes the searches slower: a million-node knight board took
        // 6 s for a cycle and gave no path in 120 s; on the FHCP sample
        // (one thread, 60 s) the form found 19 paths of 23 where the cycle
        // question decides all 23. So the graph's own cycle question goes
        // first, with three quarters of the time; the form follows for
        // graphs without a cycle (or whose cycle was not found).
        Deadline part(run.stop, run.timeLimit > 0 ? 0.75 * run.timeLimit : 0);
        SolveOptions first = inner;
        first.stop = part.Token();
        SolveResult c = AskMethod(g, method, first);
        spent = c.stats;
        if (c.verdict == Verdict::Hamiltonian && OpenCycle(g, q, c.order)) return c;
        if (run.stop.stop_requested()) {
            // No cycle is no proof that there is no path.
            c.verdict = Verdict::Unknown;
            c.reason.clear();
            c.order.clear();
            return c;
        }
    }
    const PathForm form(g, q);
    SolveResult r = AskMethod(form.Cycles(), method, inner);
    r.stats += spent;
    if (!r.order.empty()) r.order = form.ToPath(r.order);
    if (r.verdict == Verdict::NoCycle) r.reason = form.Reason(r.reason);
    return r;
}

// A digraph's cycle question for a method that reads no arcs.
SolveResult AskSplit(const Graph& g, const Method& method, const SolveOptions& run)
{
    if (std::string why = ProveNoDirectedCycle(g); !why.empty()) return Proved(std::move(why));
    const SplitForm form(g);
    SolveOptions inner = run;
    if (!run.startOrder.empty()) inner.startOrder = form.FromCycle(run.startOrder);
    SolveResult r = RunMethod(form.Undirected(), method, inner);
    if (!r.order.empty()) r.order = form.ToCycle(r.order);
    if (r.verdict == Verdict::NoCycle) r.reason = form.Reason(r.reason);
    return r;
}

SolveResult AskMethod(const Graph& g, const Method& method, const SolveOptions& run)
{
    if (run.question.IsPath()) return AskPath(g, method, run);
    if (g.Directed() && !method.Directed()) return AskSplit(g, method, run);
    return RunMethod(g, method, run);
}

}  // namespace

SolveResult Solve(const Graph& g, std::string_view name, const SolveOptions& options)
{
    const Method* method = FindMethod(name);
    if (method == nullptr)
        throw std::invalid_argument("unknown method '" + std::string(name) + "' (known: "
                                    + MethodNameList() + ")");
    if (std::string why = QuestionProblem(g, options.question); !why.empty()) throw std::invalid_argument(why);
    const auto start = std::chrono::steady_clock::now();
    Deadline deadline(options.stop, options.timeLimit);
    SolveOptions run = options;
    run.stop = deadline.Token();
    SolveResult r = AskMethod(g, *method, run);
    r.goal = options.question.goal;
    if (r.method.empty()) r.method = std::string(method->Name());
    if (g.Directed() || options.question.IsPath()) {
        // The answer in the caller's terms, checked as the caller asked.
        if (r.order.empty()) {
            r.gaps = -1;
            if (r.verdict == Verdict::Hamiltonian)
                throw std::logic_error("method " + r.method + " claimed an answer but returned no order");
        } else {
            const CycleCheck c = CheckOrder(g, r.order, options.question);
            if (!c.permutation)
                throw std::logic_error("method " + r.method + " returned an order that is no permutation: "
                                       + c.problem);
            if (r.verdict == Verdict::Hamiltonian && !c.hamiltonian)
                throw std::logic_error("method " + r.method + " claimed " + QuestionText(options.question)
                                       + " with " + std::to_string(c.gaps) + " gaps");
            if (r.verdict == Verdict::NoCycle && c.hamiltonian)
                throw std::logic_error("method " + r.method + " claimed no answer but returned one");
            r.gaps = c.gaps;
            if (r.verdict == Verdict::Unknown && c.hamiltonian) r.verdict = Verdict::Hamiltonian;
        }
    }
    if (r.verdict == Verdict::Unknown && run.stop.stop_requested()) r.stopped = true;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
}

const Method* FindMethod(std::string_view name)
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    for (auto it = reg.methods.rbegin(); it != reg.methods.rend(); ++it)
        if ((*it)->Name() == name) return it->get();
    return nullptr;
}

std::vector<const Method*> Methods()
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    std::vector<const Method*> out;
    for (const auto& m : reg.methods) {
        bool replaced = false;
        for (const auto& later : reg.methods)
            if (later->Name() == m->Name() && later.get() != m.get() && &later > &m) replaced = true;
        if (!replaced) out.push_back(m.get());
    }
    return out;
}

std::string MethodNameList()
{
    std::string s;
    for (const Method* m : Methods()) {
        if (!s.empty()) s += ", ";
        s += m->Name();
    }
    return s;
}

void RegisterMethod(std::shared_ptr<const Method> method)
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    reg.methods.push_back(std::move(method));
}

}  // namespace hcp
