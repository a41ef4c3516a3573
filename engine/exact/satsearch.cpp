#include "exact/satsearch.h"

#include <cadical.hpp>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <ostream>

#include "core/stopwatch.h"
#include "exact/coverencoding.h"
#include "exact/coverrepair.h"
#include "exact/cyclecover.h"
#include "exact/matchingcover.h"
#include "exact/modelbudget.h"
#include "exact/satlane.h"
#include "exact/satclauses.h"

namespace hcp {

namespace {

const char* ModelName(SatModel m)
{
    return m == SatModel::Arcs ? "arcs" : m == SatModel::Edges ? "edges" : "ranks";
}

// The rank model joins the two cut models once each has had this many
// conflicts in one slice without an answer (the cut loop has stalled),
// on graphs small enough for its O(E log N) clauses (and not on the
// sparse Hamiltonian graphs of thousands of nodes, where a third model
// would only take time from the two that find their cycles).
constexpr std::uint64_t kRankSlice = 8 * kFirstSlice;
constexpr std::size_t kRankEdges = 4'000;

// On graphs too large for the rank model, and without a work limit, the
// edge model runs alone first, for one slice of kEdgeSolo conflicts; the
// arc model joins only when that slice passes without an answer, and the
// turns then go on from slices of half as much. On the large sparse FHCP
// graphs the arc model's first covers came after 22,000 to 235,000
// conflicts with several times the edge model's cycles. Over 150 of them,
// one thread each, 60 s: 144 decided against 142 with both models from
// the start, in 15% less time on the 141 decided both ways; the edge model
// alone decided 143, but not the one where the arc model, joining late,
// finds the cycle. Counted in conflicts, the switch repeats with the seed.
constexpr std::uint64_t kEdgeSolo = 131'072;

// Covers the cut loop returns with this few cycles after splicing go to
// the gap search, for at most kRepairSteps each, and while the repairs'
// steps stay within kRepairShare steps per unit of SAT work. Over 150 FHCP
// graphs the repairs that closed a cover took 73 to 188,000 steps, most of
// them under 41,000, while those that failed ran to the cap or to the
// search's own end near 450,000: a cap of 200,000 keeps every one of those
// that closed and stops the rest well before their end. Cap and share go
// together: a failed repair is paid for by about 20,000 units of SAT work
// before the next one. A step of the gap search costs about a fiftieth of
// a unit (a conflict, or a call's charge), so the repairs take about a
// sixth of the search. Counted in steps and units, never seconds, the
// repairs repeat with the seed.
constexpr std::size_t kRepairCycles = 6;
constexpr std::uint64_t kRepairSteps = 200'000;
constexpr std::uint64_t kRepairShare = 10;

bool IsPermutation(const std::vector<NodeId>& order, NodeId n)
{
    if (order.size() != n) return false;
    std::vector<std::uint8_t> seen(n, 0);
    for (NodeId v : order) {
        if (v >= n || seen[v]) return false;
        seen[v] = 1;
    }
    return true;
}

}   // namespace

SolveResult RunSatSearch(const WorkGraph& w, const SolveOptions& options, std::optional<SatModel> only,
                         std::uint64_t workLimit, std::uint64_t* workSpent)
{
    SolveResult result;
    if (workSpent != nullptr) *workSpent = 0;
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
                result.reason = "no set of disjoint cycles covers every node (node " +
                                std::to_string(unmatched + 1) + " is left without a successor)";
                return result;
            case MatchingOutcome::Stopped:
                return result;
            case MatchingOutcome::Perfect:
                break;
        }
    }

    if (options.log != nullptr) *options.log << "exact: successor matching after " << elapsed() << " s\n";

    // By default both models run, taking turns in slices whose work
    // doubles each round: neither wins everywhere (the arc model on cubic
    // graphs without short cycles, where covers fall into two interleaved
    // cycles; the edge model on larger sparse graphs with nodes of higher
    // degree). A slice is the same count of conflicts for each, so a model
    // whose calls are cheap cannot starve the other. Each keeps its own
    // cuts: handing one model's cuts to the other measured worse. Work is
    // counted in conflicts and calls, never in time, so a seed repeats its
    // run.
    StopTerminator terminator(options.stop);
    std::vector<std::unique_ptr<SatLane>> lanes;
    const ModelBudget budget = PlanModels(w, options, only);
    if (!budget.arcs && !budget.edges) {
        result.reason = budget.reason;
        return result;
    }
    auto addLane = [&](SatModel model) {
        auto lane = std::make_unique<SatLane>();
        lane->model = model;
        // A call costs the solver a pass over its clauses and us one to
        // read, splice and cut the cover. Charged at one conflict per eight
        // edges, the edge model, whose calls are many and cheap, got a
        // tenth of the calls it makes alone, and on FHCP graphs of 4,000
        // to 6,000 nodes that it solves alone in 10 to 20 s, the pair
        // failed in 60 s; at one per 64 edges the pair solves them.
        lane->callWork = 16 + m / 64;
        lane->solver = std::make_unique<CaDiCaL::Solver>();
        lane->solver->set("quiet", 1);
        // The default seed, 1, runs the solver with its own default seed.
        lane->solver->set("seed", static_cast<int>((options.seed - 1) & 0x7fffffff));
        // In the arc model a true decision picks a node's successor and the
        // exactly-one clauses clear its alternatives; in the edge model most
        // variables are false and deciding false first keeps covers sparse.
        lane->solver->set("phase", model == SatModel::Edges ? 0 : 1);
        lane->solver->connect_terminator(&terminator);
        lane->solver->connect_learner(&lane->conflicts);
        lane->encoding = MakeCoverEncoding(model, w);
        lane->loops = std::make_unique<LoopWatch>(w);
        SatLane* added = lane.get();
        lanes.push_back(std::move(lane));
        if (!added->encoding->Encode(*added->solver, options.stop)) return false;
        if (IsPermutation(options.startOrder, n)) added->seeded = added->encoding->Seed(*added->solver, options.startOrder);
        if (options.log != nullptr) {
            rusage u{};
            getrusage(RUSAGE_SELF, &u);
            *options.log << "exact: " << ModelName(model) << " model built after " << elapsed() << " s, peak "
                         << u.ru_maxrss / 1024 << " MB\n";
        }
        return true;
    };
    auto disconnect = [&] {
        for (auto& lane : lanes) {
            lane->solver->disconnect_learner();
            lane->solver->disconnect_terminator();
        }
    };
    auto spent = [&] {
        std::uint64_t total = 0;
        for (const auto& lane : lanes) total += lane->Work();
        return total;
    };
    for (SatModel model : {SatModel::Arcs, SatModel::Edges, SatModel::Ranks}) {
        if (only ? model != *only : model == SatModel::Ranks) continue;
        if (!(model == SatModel::Edges ? budget.edges : budget.arcs)) continue;
        if (!addLane(model)) {
            disconnect();
            if (workSpent != nullptr) *workSpent = spent();
            return result;
        }
    }
    bool ranked = only.has_value();

    std::vector<NodeId> succ(n);
    std::vector<std::uint32_t> cutMark(n, ~std::uint32_t{0});
    std::vector<NodeId> members;
    CycleCover cover;
    std::size_t bestCycles = SIZE_MAX;
    double lastReport = 0.0;
    std::uint32_t stamp = 0;

    SatLane* current = nullptr;
    CoverRepair repair(w, options.seed);
    StopWatch repairStop(options.stop, 256);
    std::vector<NodeId> repaired;
    auto addCut = [&](const std::vector<NodeId>& set) {
        result.stats.clausesAdded += current->encoding->AddCut(*current->solver, set, cutMark, stamp);
    };
    // A family of covers the cuts trim one by one gets a cycle ban through
    // an edge all of its small cycles use, or else a region order. Over 12
    // seeds an FHCP graph of 7,480 nodes whose families each ran through
    // one edge was decided in 60 s at 6, against 3 with orders alone; the
    // 69 slowest of 150 FHCP graphs, 67 decided against 66, in about the
    // same time.
    auto watchLoop = [&](SatLane& lane, const std::vector<std::vector<NodeId>>& cycles, std::uint64_t conflicts) {
        const std::span<const NodeId> region = lane.loops->Observe(cycles, conflicts);
        if (region.empty()) return;
        ++stamp;
        for (NodeId v : region) cutMark[v] = stamp;
        const std::uint32_t through = lane.loops->CommonEdge();
        const bool ban = through != WorkGraph::kNoEdge;
        const std::uint64_t clauses = ban ? lane.encoding->AddCycleBan(*lane.solver, region, cutMark, stamp, through)
                                          : lane.encoding->AddRegion(*lane.solver, region, cutMark, stamp);
        result.stats.clausesAdded += clauses;
        if (options.log != nullptr) {
            *options.log << "exact: " << elapsed() << " s: " << ModelName(lane.model);
            if (ban)
                *options.log << " cycle ban through " << w.EdgeAt(through).first + 1 << "-" << w.EdgeAt(through).second + 1
                             << " on ";
            else
                *options.log << " region order on ";
            *options.log << region.size() << " nodes, " << clauses << " clauses\n";
        }
    };

    // The arc model's own covers can be far worse than the edge model's: on
    // an FHCP graph of 7,480 nodes its early calls took 26,000 to 100,000
    // conflicts each for covers of 200 to 300 cycles, where the edge model
    // found covers of 5 to 90 cycles in a few hundred. Phased along the edge
    // model's latest cover of several cycles, turned one way round each
    // cycle, the arc model's covers had 38 to 90 and it found the graph's
    // cycle in 33 s, against none in 60 s. The cover is the edge model's
    // answer to its own cuts, so it changes with every call, and with the
    // work, not the time: a seed still repeats its run.
    auto steerArcs = [&](const std::vector<std::vector<NodeId>>& cycles) {
        for (auto& other : lanes) {
            if (other->model != SatModel::Arcs) continue;
            // The starting order's phases go too: they would be released
            // after the model's first call, taking the steered ones with them.
            for (int lit : other->seeded) other->solver->unphase(lit);
            other->seeded.clear();
            for (int lit : other->steered) other->solver->unphase(lit);
            // The cycles one after another: Seed phases the arcs between
            // neighbours of the order that are edges, so every arc of a cycle
            // but its closing one, and where two cycles meet in the order an
            // edge joining them, if there is one (a hint, like the rest).
            members.clear();
            for (const auto& c : cycles) members.insert(members.end(), c.begin(), c.end());
            other->steered = other->encoding->Seed(*other->solver, members);
        }
    };

    std::uint64_t slice = kFirstSlice;
    if (workLimit > 0) slice = std::min(slice, std::max<std::uint64_t>(workLimit / lanes.size(), 1));
    bool done = false;
    bool solo = !only && workLimit == 0 && budget.arcs && budget.edges && m > kRankEdges;
    if (solo && options.log != nullptr)
        *options.log << "exact: the edges model alone for its first " << kEdgeSolo << " conflicts\n";
    while (!done && !options.stop.stop_requested()) {
        if (!ranked && slice >= kRankSlice && budget.arcs && m <= kRankEdges) {
            ranked = true;
            if (!addLane(SatModel::Ranks)) break;
        }
        if (workLimit > 0 && spent() >= workLimit) {
            result.reason = "the SAT search used its share of work";
            break;
        }
        for (auto& lanePtr : lanes) {
            if (done || options.stop.stop_requested()) break;
            SatLane& lane = *lanePtr;
            if (solo && lane.model != SatModel::Edges) continue;
            current = &lane;
            const std::uint64_t laneSlice = solo ? kEdgeSolo : SliceFor(lane, lanes, slice);
            if (laneSlice < slice && options.log != nullptr) {
                *options.log << "exact: " << elapsed() << " s: " << ModelName(lane.model) << " model on "
                             << (4 * laneSlice <= slice ? "a quarter of" : "half") << " a slice, ";
                if (lane.fewest == SIZE_MAX)
                    *options.log << "no cover after " << lane.Work() << " units of work\n";
                else
                    *options.log << "its covers having had at least " << lane.fewest << " cycles\n";
            }
            const std::uint64_t sliceEnd = lane.Work() + laneSlice;
            while (lane.Work() < sliceEnd) {
                const std::uint64_t conflictsBefore = lane.conflicts.Count();
                if (lanes.size() > 1)
                    lane.solver->limit("conflicts", static_cast<int>(std::min<std::uint64_t>(sliceEnd - lane.Work(), INT_MAX)));
                const int status = lane.solver->solve();
                ++lane.calls;
                for (int lit : lane.seeded) lane.solver->unphase(lit);
                lane.seeded.clear();
                ++result.stats.satCalls;
                if (status == 20) {
                    result.verdict = Verdict::NoCycle;
                    result.reason = "the complete search found no cycle (SAT, " +
                                    std::to_string(result.stats.satCalls) + " calls)";
                    done = true;
                    break;
                }
                if (status != 10) break;   // stopped, or the slice's conflicts are used up
                lane.encoding->ReadCover(*lane.solver, succ);
                cover.Load(succ);
                lane.fewest = std::min(lane.fewest, cover.CycleCount());
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
                if (lane.model == SatModel::Edges && cover.CycleCount() > 1) steerArcs(cycles);
                result.stats.subcyclesMerged += cover.MergeAll(w);
                if (cover.CycleCount() < bestCycles) {
                    bestCycles = cover.CycleCount();
                    cover.Order(result.order);
                }
                if (cover.CycleCount() > 1 && cover.CycleCount() <= kRepairCycles
                    && repair.Steps() <= kRepairShare * spent()) {
                    const std::uint64_t before = repair.Steps();
                    const bool closed = repair.TryClose(cover, kRepairSteps, repairStop, repaired);
                    result.stats.loopSteps += repair.Steps() - before;
                    if (options.log != nullptr)
                        *options.log << "exact: " << elapsed() << " s: repair " << repair.Attempts() << " of a cover of "
                                     << cover.CycleCount() << " cycles, " << repair.Steps() - before << " steps: "
                                     << (closed ? "closed" : "not closed") << "\n";
                    if (closed) {
                        result.order = std::move(repaired);
                        result.verdict = Verdict::Hamiltonian;
                        done = true;
                        break;
                    }
                }
                if (cover.CycleCount() == 1) {
                    result.verdict = Verdict::Hamiltonian;
                    done = true;
                    break;
                }
                for (const auto& set : cycles) {
                    ++stamp;
                    for (NodeId v : set)
                        cutMark[v] = stamp;
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
                watchLoop(lane, cycles, lane.conflicts.Count() - conflictsBefore);
                if (options.log != nullptr) {
                    std::size_t smallest = n;
                    for (const auto& set : cycles) smallest = std::min(smallest, set.size());
                    *options.log << "exact: " << elapsed() << " s: " << ModelName(lane.model) << " call " << lane.calls
                                 << " (" << lane.conflicts.Count() << " conflicts): " << cycles.size()
                                 << " subcycles, smallest " << smallest << ", " << cover.CycleCount()
                                 << " after splicing\n";
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
        }
        slice = std::min<std::uint64_t>(2 * slice, INT_MAX);
        if (solo && !done) {
            solo = false;
            slice = kEdgeSolo / 2;
            if (options.log != nullptr) *options.log << "exact: " << elapsed() << " s: the arcs model joins\n";
        }
    }
    disconnect();
    if (workSpent != nullptr) *workSpent = spent();
    return result;
}

}   // namespace hcp
