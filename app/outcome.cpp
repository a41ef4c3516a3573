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

std::string Gaps(int h, const char* what = "cycle")
{
    const std::string none = std::string("No ") + what + " found";
    return h >= 0 ? none + " (H=" + std::to_string(h) + ")" : none;
}

std::string Plural(std::uint64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string FindCycleText(const Outcome& o)
{
    if (!o.refused.empty())
        return o.refused;
    if (o.tooLarge > 0)
        return "Find cycle runs on graphs of up to 32,767 nodes; this one has " + std::to_string(o.tooLarge)
             + " \u2014 Solve decides it with the large-graph method";
    if (o.failed)
        return "Find cycle failed: " + o.reason;
    if (o.verdict == hcp::Verdict::NoCycle)
        return "No Hamiltonian cycle: " + o.reason;
    if (o.gaps == 0) {
        // The order was checked with them: a cycle found uses every one.
        std::string line = "Hamiltonian cycle found (H=0) in " + Seconds(o.seconds);
        if (o.fixedEdges > 0)
            line += ", using the file's " + Plural(o.fixedEdges, "fixed edge", "fixed edges");
        return line;
    }
    std::string line = Gaps(o.gaps);
    if (o.cancelled)
        line += ", cancelled after " + Seconds(o.seconds);
    // The search knows nothing of fixed edges: an order it is content with
    // may skip one, and then it answers nothing.
    if (o.fixedEdges > 0) {
        line += "; the search ignores the file's " + Plural(o.fixedEdges, "fixed edge", "fixed edges");
        if (o.missedFixed)
            line += " and its order skips " + std::to_string(std::uint64_t{o.missedFixed->first} + 1) + " "
                  + std::to_string(std::uint64_t{o.missedFixed->second} + 1);
        return line + " \u2014 Solve takes them into account";
    }
    // The local search never proves anything; say so, and what does.
    return line + "; the graph may have none \u2014 Solve proves it";
}

// "Hamiltonian path from node 3 to node 7": the question without its article.
std::string PathWords(const hcp::Question& q)
{
    const std::string text = hcp::QuestionText(q);
    return text.rfind("a ", 0) == 0 ? text.substr(2) : text;
}

std::string SolvePathText(const Outcome& o)
{
    const std::string what = PathWords(o.question);
    switch (o.verdict) {
    case hcp::Verdict::Hamiltonian:
        return what + " found (H=0) in " + Seconds(o.seconds);
    case hcp::Verdict::NoCycle:
        return "No " + what + ": " + (o.reason.empty() ? std::string("proved by ") + o.method : o.reason);
    case hcp::Verdict::Unknown:
        break;
    }
    std::string line = Gaps(o.gaps, "path");
    if (o.cancelled)
        line += "; stopped after " + Seconds(o.seconds) + " before the question was decided";
    else if (!o.reason.empty())
        line += "; undecided: " + o.reason;
    else
        line += "; the " + o.method + " method could not decide whether the graph has " + hcp::QuestionText(o.question);
    return line;
}

std::string SolveText(const Outcome& o)
{
    if (o.failed)
        return "Solve failed: " + o.reason;
    if (o.question.IsPath())
        return SolvePathText(o);
    switch (o.verdict) {
    case hcp::Verdict::Hamiltonian:
        return "Hamiltonian cycle found (H=0) in " + Seconds(o.seconds);
    case hcp::Verdict::NoCycle:
        return "No Hamiltonian cycle: " + (o.reason.empty() ? std::string("proved by ") + o.method : o.reason);
    case hcp::Verdict::Unknown:
        break;
    }
    std::string line = Gaps(o.gaps);
    if (o.cancelled)
        line += "; stopped after " + Seconds(o.seconds) + " before the question was decided";
    else if (!o.reason.empty())
        line += "; undecided: " + o.reason;
    else
        line += "; the " + o.method + " method could not decide whether the graph has one";
    return line;
}

}  // namespace

Outcome SolveOutcome(const hcp::SolveResult& r)
{
    Outcome o;
    o.work = Outcome::Work::Solve;
    o.question.goal = r.goal;
    o.verdict = r.verdict;
    o.gaps = r.gaps;
    o.reason = r.reason;
    o.method = r.method;
    o.seconds = r.seconds;
    o.cancelled = r.stopped;
    return o;
}

std::string OutcomeText(const Outcome& o)
{
    return o.work == Outcome::Work::FindCycle ? FindCycleText(o) : SolveText(o);
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
