// One find-cycle run on a graph with its cycle: the fixed sequence of engine
// calls (start order, degrees, degree-2 reduction, up to five searches) with
// a stop request, and the log line that reports it. Runs on any thread; the
// document runs it on a worker with its own copy of the graph.
#pragma once

#include <stop_token>
#include <string>

class CCycle;

namespace app {

struct FindCycleResult {
    int h = -1;                 // gaps left, -1 when no search ran
    int optimizeCalls = 0;      // Optimize calls made (at most 5)
    unsigned edgesCut = 0;      // edges the degree-2 reduction removed
    double seconds = 0.0;       // wall time of the run
    bool cancelled = false;     // the stop request ended the run early
    std::string report;         // whatever the search wrote to its report stream
};

// The most Optimize calls one run makes.
constexpr int kMaxOptimizeCalls = 5;

// Runs the search on cycle: Init(false), CalcDeg, AnalyzeDegree while it
// cuts edges (only when the minimum degree is 2), then Optimize with report
// level 0 while H is nonzero, at most five times, stopping early on stop.
FindCycleResult FindCycle(CCycle& cycle, std::stop_token stop = {});

// "Find cycle: H=0 after 1 Optimize call, 0.02 s" with ", cancelled" and a
// note on the edges the reduction cut.
std::string FindCycleLogLine(const FindCycleResult& r);

}  // namespace app
