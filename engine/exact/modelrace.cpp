#include "exact/modelrace.h"

#include <mutex>
#include <sstream>
#include <stop_token>
#include <thread>

#include "exact/exactsearch.h"

namespace hcp {

namespace {

bool Definite(const SolveResult& r) { return r.verdict != Verdict::Unknown; }

}  // namespace

SolveResult RaceCoverModels(const Graph& g, const SolveOptions& options)
{
    std::stop_source race;
    std::stop_callback forward(options.stop, [&race] { race.request_stop(); });
    std::mutex progressLock;
    SolveOptions arcs = options;
    arcs.stop = race.get_token();
    arcs.threads = 1;
    arcs.coverModel = CoverModel::Arcs;
    if (options.progress)
        arcs.progress = [&](const Progress& p) {
            std::lock_guard<std::mutex> lock(progressLock);
            options.progress(p);
        };
    // The second thread's diagnostics wait in a buffer, so two threads never
    // write to the caller's stream at once.
    std::ostringstream edgeLog;
    SolveOptions edges = arcs;
    edges.coverModel = CoverModel::Edges;
    edges.log = options.log != nullptr ? &edgeLog : nullptr;

    SolveResult fromEdges;
    std::thread other([&] {
        ExactSearch search;
        fromEdges = search.Run(g, edges);
        if (Definite(fromEdges)) race.request_stop();
    });
    ExactSearch search;
    SolveResult fromArcs = search.Run(g, arcs);
    if (Definite(fromArcs)) race.request_stop();
    other.join();
    if (options.log != nullptr) *options.log << edgeLog.str();

    SolveResult& r = Definite(fromArcs) || !Definite(fromEdges) ? fromArcs : fromEdges;
    const SolveResult& loser = &r == &fromArcs ? fromEdges : fromArcs;
    r.stats += loser.stats;
    if (!Definite(r) && r.order.empty()) r.order = loser.order;
    r.stopped = !Definite(r) && options.stop.stop_requested();
    return std::move(r);
}

}  // namespace hcp
