#include "solve/solver.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <stdexcept>

#include "core/deadline.h"
#include "solve/builtin.h"
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
    SolveResult r;
    if (method->Restartable()) {
        RestartPlan plan;
        plan.restarts = static_cast<std::uint64_t>(std::max(1, options.restarts));
        plan.threads = static_cast<int>(std::min<std::uint64_t>(std::max(1, options.threads), plan.restarts));
        r = RunRestarts(g, *method, run, plan);
    } else {
        r = method->Run(g, run);
        if (r.method.empty()) r.method = std::string(method->Name());
        CheckResult(g, r);
        r.restart = r.order.empty() ? -1 : 0;
        r.seed = options.seed;
    }
    if (r.method.empty()) r.method = std::string(method->Name());
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
