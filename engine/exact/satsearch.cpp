#include "exact/satsearch.h"

#include <cadical.hpp>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>
#include <ostream>

#include "core/stopwatch.h"
#include "exact/cyclecover.h"
#include "exact/matchingcover.h"

namespace hcp {

namespace {

// Lets a stop request end a SAT call: CaDiCaL polls it while it searches.
class StopTerminator final : public CaDiCaL::Terminator {
public:
    explicit StopTerminator(std::stop_token stop) : m_stop(std::move(stop)) {}
    bool terminate() override { return m_stop.stop_requested(); }

private:
    std::stop_token m_stop;
};

// Arc u -> v of edge e is literal 2e+1 when u < v, 2e+2 otherwise.
int ArcLit(const WorkGraph& w, std::uint32_t e, NodeId from)
{
    return static_cast<int>(2 * e + (w.EdgeAt(e).first == from ? 1 : 2));
}

class Encoder {
public:
    Encoder(CaDiCaL::Solver& s, int firstAux) : m_solver(s), m_next(firstAux) {}

    void Clause(std::initializer_list<int> lits)
    {
        for (int l : lits) m_solver.add(l);
        m_solver.add(0);
        ++m_clauses;
    }
    // Exactly one of lits: one clause for at least one, then pairwise
    // exclusion for a few literals or a sequential counter for many (a
    // degree of 800 would give 320,000 pairs, the counter 2,400 clauses).
    void ExactlyOne(const std::vector<int>& lits)
    {
        for (int l : lits) m_solver.add(l);
        m_solver.add(0);
        ++m_clauses;
        const std::size_t k = lits.size();
        if (k <= 6) {
            for (std::size_t i = 0; i < k; ++i)
                for (std::size_t j = i + 1; j < k; ++j) Clause({-lits[i], -lits[j]});
            return;
        }
        int prev = 0;
        for (std::size_t i = 0; i < k; ++i) {
            const int x = lits[i];
            if (i + 1 < k) {
                const int s = m_next++;
                Clause({-x, s});
                if (prev != 0) {
                    Clause({-prev, s});
                    Clause({-x, -prev});
                }
                prev = s;
            } else {
                Clause({-x, -prev});
            }
        }
    }
    std::uint64_t Clauses() const { return m_clauses; }

private:
    CaDiCaL::Solver& m_solver;
    int m_next;
    std::uint64_t m_clauses = 0;
};

// Which way round the cycle runs is a free choice that doubles the search;
// at one node of least degree the successor must come before the
// predecessor in neighbour order.
void BreakDirection(const WorkGraph& w, Encoder& enc, NodeId& pivot)
{
    pivot = 0;
    for (NodeId v = 1; v < w.NodeCount(); ++v)
        if (w.Degree(v) < w.Degree(pivot)) pivot = v;
    const auto ids = w.EdgeIds(pivot);
    if (ids.size() > 64) return;
    for (std::size_t i = 0; i < ids.size(); ++i)
        for (std::size_t j = i + 1; j < ids.size(); ++j) {
            const NodeId a = w.Neighbors(pivot)[i];
            // Forbid pivot -> b together with a -> pivot for a < b.
            enc.Clause({-ArcLit(w, ids[j], pivot), -ArcLit(w, ids[i], a)});
        }
}

// Starting phases from a caller's order: its links that are edges, turned
// so that they agree with BreakDirection.
bool SeedPhases(const WorkGraph& w, const std::vector<NodeId>& start, NodeId pivot, CaDiCaL::Solver& s)
{
    const NodeId n = w.NodeCount();
    if (start.size() != n) return false;
    std::vector<NodeId> pos(n, n);
    for (NodeId i = 0; i < n; ++i) {
        if (start[i] >= n || pos[start[i]] != n) return false;   // not a permutation: ignore it
        pos[start[i]] = i;
    }
    const NodeId p = pos[pivot];
    const NodeId succ = start[(p + 1) % n], pred = start[(p + n - 1) % n];
    const bool reverse = succ > pred;
    for (NodeId i = 0; i < n; ++i) {
        NodeId u = start[i], v = start[(i + 1) % n];
        if (reverse) std::swap(u, v);
        const std::uint32_t e = w.Find(u, v);
        if (e != WorkGraph::kNoEdge) s.phase(ArcLit(w, e, u));
    }
    return true;
}

}  // namespace

SolveResult RunSatSearch(const WorkGraph& w, const SolveOptions& options)
{
    SolveResult result;
    const NodeId n = w.NodeCount();
    const std::size_t m = w.EdgeCount();
    if (2 * m + 4 * m + 16 > static_cast<std::size_t>(INT_MAX)) {
        result.reason = "the graph is too large for the SAT search";
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };

    // Without a perfect matching of successors there is no cycle cover,
    // let alone a cycle; finding one costs milliseconds.
    std::vector<NodeId> matched;
    {
        StopWatch stop(options.stop);
        NodeId unmatched = 0;
        switch (MatchSuccessors(w, stop, matched, unmatched)) {
        case MatchingOutcome::Deficient:
            result.verdict = Verdict::NoCycle;
            result.reason = "no set of disjoint cycles covers every node (node " + std::to_string(unmatched + 1)
                            + " is left without a successor)";
            return result;
        case MatchingOutcome::Stopped:
            return result;
        case MatchingOutcome::Perfect:
            break;
        }
    }

    if (options.log != nullptr) *options.log << "exact: successor matching after " << elapsed() << " s\n";

    auto solver = std::make_unique<CaDiCaL::Solver>();
    solver->set("quiet", 1);
    solver->set("seed", static_cast<int>(options.seed & 0x7fffffff));
    // Almost every arc is false in a solution; deciding false first keeps
    // the first cycle covers close to sparse.
    solver->set("phase", 0);
    StopTerminator terminator(options.stop);
    solver->connect_terminator(&terminator);

    Encoder enc(*solver, static_cast<int>(2 * m) + 1);
    std::vector<int> outs, ins;
    for (std::uint32_t e = 0; e < m; ++e) {
        const int a = static_cast<int>(2 * e + 1), b = a + 1;
        enc.Clause({-a, -b});
        if (w.Forced(e)) enc.Clause({a, b});
    }
    for (NodeId v = 0; v < n; ++v) {
        if ((v & 1023) == 0 && options.stop.stop_requested()) break;
        outs.clear();
        ins.clear();
        const auto nbrs = w.Neighbors(v);
        const auto ids = w.EdgeIds(v);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            outs.push_back(ArcLit(w, ids[i], v));
            ins.push_back(ArcLit(w, ids[i], nbrs[i]));
        }
        enc.ExactlyOne(outs);
        enc.ExactlyOne(ins);
    }
    NodeId pivot = 0;
    BreakDirection(w, enc, pivot);
    // The matching's cover is not handed over as phases: with its 2-cycles
    // it steered the solver into long first calls on large sparse graphs.
    SeedPhases(w, options.startOrder, pivot, *solver);

    std::vector<NodeId> succ(n);
    std::vector<std::uint32_t> cutMark(n, ~std::uint32_t{0});
    std::vector<NodeId> members;
    CycleCover cover;
    std::size_t bestCycles = SIZE_MAX;
    double lastReport = 0.0;
    std::uint32_t stamp = 0;

    // Adds the cut clauses of the node set now marked with 'stamp'.
    auto addCut = [&](const std::vector<NodeId>& set) {
        for (int dir = 0; dir < 2; ++dir) {
            for (NodeId u : set) {
                const auto nbrs = w.Neighbors(u);
                const auto ids = w.EdgeIds(u);
                for (std::size_t i = 0; i < nbrs.size(); ++i)
                    if (cutMark[nbrs[i]] != stamp)
                        solver->add(dir == 0 ? ArcLit(w, ids[i], u) : ArcLit(w, ids[i], nbrs[i]));
            }
            solver->add(0);
            ++result.stats.clausesAdded;
        }
    };

    while (!options.stop.stop_requested()) {
        const int status = solver->solve();
        ++result.stats.satCalls;
        if (status == 20) {
            result.verdict = Verdict::NoCycle;
            result.reason = "the complete search found no cycle (SAT, " + std::to_string(result.stats.satCalls)
                            + " calls)";
            break;
        }
        if (status != 10) break;   // stopped
        for (NodeId v = 0; v < n; ++v) {
            const auto nbrs = w.Neighbors(v);
            const auto ids = w.EdgeIds(v);
            for (std::size_t i = 0; i < ids.size(); ++i)
                if (solver->val(ArcLit(w, ids[i], v)) > 0) {
                    succ[v] = nbrs[i];
                    break;
                }
        }
        cover.Load(succ);
        // The solver's own cycles are the counterexamples to cut off; take
        // their node sets before the splicing mixes them.
        std::vector<std::vector<NodeId>> cycles;
        if (cover.CycleCount() > 1)
            for (NodeId h : cover.Heads()) {
                cycles.emplace_back();
                NodeId x = h;
                do {
                    cycles.back().push_back(x);
                    x = cover.Next(x);
                } while (x != h);
            }
        result.stats.subcyclesMerged += cover.MergeAll(w);
        if (cover.CycleCount() < bestCycles) {
            bestCycles = cover.CycleCount();
            cover.Order(result.order);
        }
        if (cover.CycleCount() == 1) {
            result.verdict = Verdict::Hamiltonian;
            break;
        }
        for (const auto& set : cycles) {
            ++stamp;
            for (NodeId v : set) cutMark[v] = stamp;
            addCut(set);
        }
        // A spliced cycle made of several of the solver's cycles is a node
        // set the solver has not been told about yet: cut it too.
        for (NodeId h : cover.Heads()) {
            members.clear();
            ++stamp;
            NodeId x = h;
            do {
                members.push_back(x);
                cutMark[x] = stamp;
                x = cover.Next(x);
            } while (x != h);
            bool isSolverCycle = false;
            for (const auto& set : cycles)
                if (set.size() == members.size() && cutMark[set.front()] == stamp) isSolverCycle = true;
            if (!isSolverCycle) addCut(members);
        }
        if (options.log != nullptr)
        {
            *options.log << "exact: " << elapsed() << " s: SAT call " << result.stats.satCalls << ": " << cycles.size()
                         << " subcycles, " << cover.CycleCount() << " after splicing; smallest "
                         << (cycles.empty() ? 0 : std::min_element(cycles.begin(), cycles.end(), [](auto& x, auto& y) {
                                return x.size() < y.size();
                            })->size())
                         << "\n";
        }
        if (options.progress && elapsed() - lastReport >= 0.25) {
            lastReport = elapsed();
            Progress p;
            p.gaps = static_cast<int>(bestCycles);
            p.seconds = lastReport;
            p.work = result.stats.satCalls;
            p.phase = "sat";
            options.progress(p);
        }
    }
    solver->disconnect_terminator();
    return result;
}

}  // namespace hcp
