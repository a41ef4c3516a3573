#include "core/race.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <sstream>
#include <stop_token>
#include <thread>

namespace hcp {

namespace {

bool Definite(const SolveResult& r) { return r.verdict != Verdict::Unknown; }

// Runs one side, and stops the race when it has an answer. An exception
// is kept for the caller and stops the race as well: its side has nothing
// more to give.
void RunSide(const RaceSide& side, const SolveOptions& options, std::stop_source& race, SolveResult& out,
             std::exception_ptr& failure)
{
    try {
        out = side.run(options);
        if (Definite(out)) race.request_stop();
    } catch (...) {
        failure = std::current_exception();
        race.request_stop();
    }
}

}  // namespace

RaceOutcome Race(const RaceSide& first, const RaceSide& second, const SolveOptions& options)
{
    std::stop_source race;
    std::stop_callback forward(options.stop, [&race] { race.request_stop(); });
    std::mutex progressLock;
    SolveOptions shared = options;
    shared.stop = race.get_token();
    // The two sides hold their models at the same time.
    shared.memoryShares = std::max(1, options.memoryShares) * 2;
    if (options.progress)
        shared.progress = [&](const Progress& p) {
            std::lock_guard<std::mutex> lock(progressLock);
            options.progress(p);
        };
    std::ostringstream secondLog;
    SolveOptions other = shared;
    other.log = options.log != nullptr ? &secondLog : nullptr;

    RaceOutcome o;
    std::exception_ptr firstFailure, secondFailure;
    {
        std::jthread thread([&] { RunSide(second, other, race, o.second, secondFailure); });
        RunSide(first, shared, race, o.first, firstFailure);
    }   // joins the second side
    if (options.log != nullptr) *options.log << secondLog.str();
    if (firstFailure) std::rethrow_exception(firstFailure);
    if (secondFailure) std::rethrow_exception(secondFailure);

    const bool a = Definite(o.first), b = Definite(o.second);
    if (b && (!a || (second.complete && !first.complete))) o.winner = 1;
    return o;
}

SolveResult RaceOutcome::Take()
{
    SolveResult& won = winner == 0 ? first : second;
    const SolveResult& lost = winner == 0 ? second : first;
    won.stats += lost.stats;
    if (won.verdict == Verdict::Unknown && !lost.order.empty()
        && (won.order.empty() || lost.gaps < won.gaps)) {
        won.order = lost.order;
        won.gaps = lost.gaps;
    }
    return std::move(won);
}

}  // namespace hcp
