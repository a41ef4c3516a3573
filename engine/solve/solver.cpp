#include "solve/solver.h"

#include <chrono>
#include <mutex>
#include <stdexcept>

#include "core/cyclecheck.h"
#include "core/deadline.h"
#include "solve/builtin.h"

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

// Checks what a method returned against the graph: the order must be a
// permutation, its gaps are recounted, and a Hamiltonian verdict without a
// checked cycle is an engine fault, never passed on as a verdict.
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
        throw std::logic_error("method " + r.method + " claimed a cycle with "
                               + std::to_string(c.gaps) + " gaps");
    if (r.verdict == Verdict::NoCycle && c.hamiltonian)
        throw std::logic_error("method " + r.method + " claimed no cycle but returned one");
    if (r.verdict == Verdict::Unknown && c.hamiltonian) r.verdict = Verdict::Hamiltonian;
}

}  // namespace

SolveResult Solve(const Graph& g, std::string_view name, const SolveOptions& options)
{
    const Method* method = FindMethod(name);
    if (method == nullptr)
        throw std::invalid_argument("unknown method '" + std::string(name) + "' (known: "
                                    + MethodNameList() + ")");
    const auto start = std::chrono::steady_clock::now();
    Deadline deadline(options.stop, options.timeLimit);
    SolveOptions run = options;
    run.stop = deadline.Token();
    SolveResult r = method->Run(g, run);
    if (r.method.empty()) r.method = std::string(method->Name());
    r.seed = options.seed;
    CheckResult(g, r);
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
