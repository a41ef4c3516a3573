#include "outcome.h"

#include <cstdio>

#include "solve/solver.h"

namespace app {
namespace {

std::string Seconds(double s)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f s", s);
    return buf;
}

}  // namespace

std::string SolveMethodName()
{
    for (const char* name : {"auto", "exact"})
        if (hcp::FindMethod(name))
            return name;
    return "exist";
}

std::string FindCycleOutcome(int h, double seconds, bool cancelled)
{
    if (h == 0)
        return "Hamiltonian cycle found (H=0) in " + Seconds(seconds);
    std::string line = "No cycle found (H=" + std::to_string(h) + ")";
    if (cancelled)
        line += ", cancelled after " + Seconds(seconds);
    // The local search never proves anything; say so, and what does.
    line += "; the graph may have none \u2014 Solve proves it";
    return line;
}

std::string SolveOutcome(const hcp::SolveResult& r)
{
    switch (r.verdict) {
    case hcp::Verdict::Hamiltonian:
        return "Hamiltonian cycle found (H=0) in " + Seconds(r.seconds);
    case hcp::Verdict::NoCycle:
        return "No Hamiltonian cycle: " + (r.reason.empty() ? std::string("proved by ") + r.method : r.reason);
    case hcp::Verdict::Unknown:
        break;
    }
    std::string line = r.gaps >= 0 ? "No cycle found (H=" + std::to_string(r.gaps) + ")" : "No cycle found";
    if (r.stopped)
        line += "; stopped after " + Seconds(r.seconds) + " before the question was decided";
    else if (!r.reason.empty())
        line += "; undecided: " + r.reason;
    else
        line += "; the " + r.method + " method could not decide whether the graph has one";
    return line;
}

std::string SolveProgressLine(std::string_view method, int h, double seconds)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f s", seconds);
    std::string line = "Solving with " + std::string(method) + ": ";
    if (h >= 0)
        line += "H=" + std::to_string(h) + ", ";
    return line + buf + " (Esc cancels)";
}

}  // namespace app
