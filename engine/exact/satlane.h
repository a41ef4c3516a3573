// SatLane: one model of the SAT search with its own solver, and the count
// of its work.
#pragma once

#include <cadical.hpp>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "exact/coverencoding.h"
#include "exact/loopwatch.h"

namespace hcp {

// Counts the clauses the solver learns, one per conflict: the work of a
// lane, counted the same on every run (seconds would not be).
class ConflictCounter final : public CaDiCaL::Learner {
public:
    bool learning(int) override
    {
        ++m_count;
        return false;   // the count is all we want, not the literals
    }
    void learn(int) override {}
    std::uint64_t Count() const { return m_count; }

private:
    std::uint64_t m_count = 0;
};

// One model with its own solver.
struct SatLane {
    SatModel model = SatModel::Arcs;
    std::unique_ptr<CaDiCaL::Solver> solver;
    std::unique_ptr<CoverEncoding> encoding;
    ConflictCounter conflicts;
    std::uint64_t calls = 0;
    std::uint64_t callWork = 0;
    // Literals phased from a starting order. They steer the first call
    // only: a phase the solver cannot drop pulls every later cover back
    // towards that order, and the cuts then trim the same few covers (on a
    // cubic graph of 3,468 nodes, four times the calls).
    std::vector<int> seeded;
    // Literals phased from the edge model's latest cover (arc model only),
    // kept until the next such cover replaces them.
    std::vector<int> steered;
    // Whether the cut loop is trimming one family of covers.
    std::unique_ptr<LoopWatch> loops;
    // The fewest cycles in any cover the model has returned.
    std::size_t fewest = SIZE_MAX;
    // Conflicts plus a charge per call: a call that finds a cover without a
    // conflict still costs the solver a pass over its clauses, and us one
    // to read, splice and cut the cover.
    std::uint64_t Work() const { return conflicts.Count() + callWork * calls; }
};

// The first slice of each model, in conflicts; slices double each round.
constexpr std::uint64_t kFirstSlice = 2000;

// The work a model may spend without a cover before it counts as behind a
// model that has one: eight first slices, the slice at which the rank model
// joins a stalled search too.
constexpr std::uint64_t kCoverlessWork = 8 * kFirstSlice;

// Covers of more than this many times the other model's fewest cycles
// count as far behind.
constexpr std::size_t kFarBehind = 8;

// The slice of work a model gets this round: half the round's slice when
// every cover it has returned had more than twice the cycles of the other
// model's fewest, a quarter when more than kFarBehind times, or when it
// has used kCoverlessWork without returning any cover while the other has
// returned one; the whole slice otherwise (and always for the rank model,
// which states no covers). Never zero, so the weaker model still runs
// every round: where it is the one that decides (the arc model on cubic
// graphs whose covers fall into two interleaved cycles) it keeps a share
// of its pace, and its whole slice comes back once a cover of its own
// comes within twice the other's.
//
// On an FHCP graph of 6,072 nodes the arc model's covers had 420, 284 and
// 191 cycles at calls costing 22,000 to 94,000 conflicts, where the edge
// model's had 124 and then 40. On the 49 FHCP graphs of 462 to 7,480 nodes
// where both models ran, the rule decided 40 in 60 s each against 38, in
// 10% less time on the 38 decided both ways, and lost none. On FHCP graphs
// of 6,294 to 6,939 nodes the arc model ran 235,000 conflicts before its
// first cover, or none in 45 s, while the edge model returned hundreds:
// slowing a model without a cover as well took 7% less time on the 59 of
// 70 FHCP graphs decided both ways (61 decided either way, two gained and
// two lost, all within 8 s of the limit). On 51 graphs of fhcpcs-more
// (the 50 where a slice was halved, on most of them while the arc model
// still had no cover at all, and one more), a quarter for a model without
// a cover decided 37 in 60 s each against 34, in 8% less time on the 34
// decided both ways. A quarter for covers of more than eight times the
// other's cycles as well was 1% faster still in one pass over those 51,
// but lost a graph whose arc model's covers came down from 84 cycles to
// 6, a cover the repair then closed. Over the 75 graphs of fhcpcs-more
// that take 3 s or more, at three seeds, that quarter decided 74, 72 and
// 72 in 60 s each against 72, 72 and 72, losing none: on the graphs of
// 6,900 to 7,400 nodes the arc model's covers keep 100 to 300 cycles
// while the edge model's come down to two, and on the largest of them
// (graph972, where its conflicts took about 2.4 times the edge model's in
// time) the search went from 46 s, 47 s and over 60 s to 36 to 39 s.
// Counted in cycles of covers and units of work, never in time, the
// slices repeat with the seed.
std::uint64_t SliceFor(const SatLane& lane, std::span<const std::unique_ptr<SatLane>> lanes, std::uint64_t slice);

}   // namespace hcp
