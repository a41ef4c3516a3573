// Search benchmark: runs a search driver on knight graphs, on the shared
// HCP instances and on seeded random graphs, and prints one row per run
// with the result, the work counters and the time. Every run is repeatable:
// graphs and starting orders come from fixed seeds.
//
//   search_bench [--list | --fast] [--driver opt5|exist|both] [--cap SEC]
//                [--seed N] [--filter TEXT] [--no-files] [--no-random]
//                [--no-knight] [BENCH_DIR]
//
// Drivers:
//   opt5  the desktop program's find-cycle sequence with a shuffled start:
//         fixed seed clock = seed, Init(true), CalcDeg, AnalyzeDegree while
//         it cuts (only when the minimum degree is 2), then Optimize(0) up
//         to five times while it returns nonzero.
//   exist IsCycleExist with the seed clock fixed to seed; H is the gap
//         count of the order it leaves.
// Each driver runs twice on the same graph with the same seed: "legacy"
// calls CCycle directly as above, "api" calls hcp::Solve with the method
// of the same recipe (opt5: optimize with a shuffled start, reduction and
// five calls; exist: exist), as every front end now does. The two rows
// must agree on H; the summary at the end compares their CPU time.
// --list runs the plain list-based engine (legacy rows only), --fast (the
// default) whatever engine Optimize dispatches to.
// --cap limits each run (default 10 s of the searching thread's CPU time)
// with a stop request from a timer thread; a capped run is marked in the
// last column. ms is wall-clock time, cpu_ms the searching thread's CPU
// time, which stays comparable on a busy machine.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <list>
#include <mutex>
#include <pthread.h>
#include <random>
#include <sstream>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "core/cyclecheck.h"
#include "cycle/cycle.h"
#include "cycle/searchcontrol.h"
#include "graph/seedclock.h"
#include "solve/solver.h"

#ifndef TOURVANE_SHARED_DIR
#define TOURVANE_SHARED_DIR "../shared"
#endif

namespace {

struct Options {
    bool listBased = false;
    bool runOpt5 = true;
    bool runExist = false;
    double capSeconds = 10.0;
    std::uint32_t seed = 1;
    std::string filter;
    bool files = true;
    bool random = true;
    bool knight = true;
    std::string benchDir = std::string(TOURVANE_SHARED_DIR) + "/bench";
};

void Usage() {
    std::cerr << "usage: search_bench [--list | --fast] [--driver opt5|exist|both] [--cap SEC]\n"
                 "                    [--seed N] [--filter TEXT] [--no-files] [--no-random]\n"
                 "                    [--no-knight] [BENCH_DIR]\n";
}

bool ParseOptions(int argc, char** argv, Options& opt) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::cerr << "search_bench: error: " << name << " needs a value\n";
                return nullptr;
            }
            return argv[++i];
        };
        if (arg == "--list") {
            opt.listBased = true;
        } else if (arg == "--fast") {
            opt.listBased = false;
        } else if (arg == "--driver") {
            const char* v = value("--driver");
            if (!v) return false;
            const std::string d = v;
            opt.runOpt5 = d == "opt5" || d == "both";
            opt.runExist = d == "exist" || d == "both";
            if (!opt.runOpt5 && !opt.runExist) {
                std::cerr << "search_bench: error: unknown driver '" << d << "'\n";
                return false;
            }
        } else if (arg == "--cap") {
            const char* v = value("--cap");
            if (!v) return false;
            char* end = nullptr;
            opt.capSeconds = std::strtod(v, &end);
            if (*end != '\0' || opt.capSeconds <= 0) {
                std::cerr << "search_bench: error: --cap needs a positive number of seconds\n";
                return false;
            }
        } else if (arg == "--seed") {
            const char* v = value("--seed");
            if (!v) return false;
            opt.seed = static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10));
        } else if (arg == "--filter") {
            const char* v = value("--filter");
            if (!v) return false;
            opt.filter = v;
        } else if (arg == "--no-files") {
            opt.files = false;
        } else if (arg == "--no-random") {
            opt.random = false;
        } else if (arg == "--no-knight") {
            opt.knight = false;
        } else if (arg == "-h" || arg == "--help") {
            Usage();
            std::exit(0);
        } else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "search_bench: error: unknown option '" << arg << "'\n";
            return false;
        } else {
            opt.benchDir = arg;
        }
    }
    return true;
}

// Knight graph of an n x n board: square (r, c) is node (r-1)*n + c.
void BuildKnight(CCycle& c, short n) {
    c.SetDim(static_cast<short>(n * n));
    c = true;
    static const int kSteps[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2},
                                     {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    for (int r = 1; r <= n; ++r)
        for (int col = 1; col <= n; ++col)
            for (const auto& s : kSteps) {
                const int r2 = r + s[0], c2 = col + s[1];
                if (r2 < 1 || r2 > n || c2 < 1 || c2 > n) continue;
                c.SetEdge(static_cast<short>((r - 1) * n + col), static_cast<short>((r2 - 1) * n + c2));
            }
}

// Each pair joined with probability p, from a seeded generator.
void BuildRandom(CCycle& c, short n, double p, std::uint32_t seed) {
    c.SetDim(n);
    c = true;
    std::mt19937_64 gen(seed);
    std::bernoulli_distribution coin(p);
    for (short i = 1; i <= n; ++i)
        for (short j = static_cast<short>(i + 1); j <= n; ++j)
            if (coin(gen)) c.SetEdge(i, j);
}

// CPU time used so far by the thread behind clock, in seconds. The cap and
// the timings count CPU time, so that a busy machine does not change which
// runs are capped or how much work they do.
double CpuSeconds(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Requests a stop once the calling thread has used the cap's CPU time,
// unless cancelled first. Polls every few milliseconds.
class CapTimer {
public:
    CapTimer(std::stop_source target, double seconds) {
        clockid_t clock{};
        pthread_getcpuclockid(pthread_self(), &clock);
        const double limit = CpuSeconds(clock) + seconds;
        m_thread = std::jthread([this, target, clock, limit](std::stop_token cancel) mutable {
            std::unique_lock<std::mutex> lock(m_mutex);
            while (!cancel.stop_requested()) {
                if (CpuSeconds(clock) >= limit) {
                    target.request_stop();
                    return;
                }
                m_cv.wait_for(lock, cancel, std::chrono::milliseconds(5), [] { return false; });
            }
        });
    }
    ~CapTimer() {
        m_thread.request_stop();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_cv;
    std::jthread m_thread;
};

struct Row {
    std::string name;
    int n = 0;
    unsigned edges = 0;
    std::string driver;
    std::string via;    // legacy or api
    std::uint32_t seed = 0;
    int h = 0;
    hcp::SearchStats stats;
    double ms = 0;      // wall clock
    double cpuMs = 0;   // CPU time of the searching thread
    bool capped = false;
};

void PrintHeader(const Options& opt) {
    std::printf("# engine=%s cap=%.1fs\n", opt.listBased ? "list" : "default", opt.capSeconds);
    std::printf("%-28s %6s %8s %-6s %-6s %5s %6s %6s %10s %10s %10s %s\n", "name", "N", "edges", "driver",
                "via", "seed", "H", "calls", "steps", "ms", "cpu_ms", "capped");
    std::fflush(stdout);
}

void PrintRow(const Row& r) {
    std::printf("%-28s %6d %8u %-6s %-6s %5u %6d %6llu %10llu %10.1f %10.1f %s\n", r.name.c_str(), r.n,
                r.edges, r.driver.c_str(), r.via.c_str(), r.seed, r.h,
                static_cast<unsigned long long>(r.stats.optimizeCalls),
                static_cast<unsigned long long>(r.stats.loopSteps), r.ms, r.cpuMs,
                r.capped ? "yes" : "");
    std::fflush(stdout);
}

// CPU time of the legacy and the api rows, per driver, for the summary.
struct Totals {
    double legacyCpuMs = 0;
    double apiCpuMs = 0;
    int rows = 0;
    int disagreements = 0;   // rows where the two paths reached different H
};
Totals g_totals[2];   // opt5, exist

// Runs one driver on a copy of graph the legacy way and prints its row.
Row Run(const Options& opt, const std::string& name, const CCycle& graph, const std::string& driver) {
    CCycle c(graph);
    Row row;
    row.name = name;
    row.n = graph.GetDim();
    row.edges = graph.GetEdgeCount();
    row.driver = driver;
    row.via = "legacy";
    row.seed = opt.seed;

    std::stop_source stop;
    hcp::SearchControl ctl;
    ctl.stop = stop.get_token();
    ctl.stats = &row.stats;
    ctl.listBased = opt.listBased;
    std::ostringstream sink;

    hcp::SetFixedSeedClock(opt.seed);
    // Built and loaded graphs come without an order; a driver that gives up
    // before making one then leaves the identity, whose gaps are reported.
    if (!c.IsPermutation(c.m_path)) c.Init(false);
    clockid_t cpuClock{};
    pthread_getcpuclockid(pthread_self(), &cpuClock);
    const double cpuStart = CpuSeconds(cpuClock);
    const auto start = std::chrono::steady_clock::now();
    {
        CapTimer timer(stop, opt.capSeconds);
        if (driver == "opt5") {
            c.Init(true);
            c.CalcDeg();
            if (c.GetMinDeg() == 2) {
                while (c.AnalyzeDegree() > 0) {
                }
            }
            int h = 1;
            for (int k = 0; k < 5 && h != 0 && !stop.stop_requested(); ++k) h = c.Optimize(0, sink, ctl);
        } else {
            c.IsCycleExist(sink, ctl);
        }
    }
    row.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    row.cpuMs = (CpuSeconds(cpuClock) - cpuStart) * 1000.0;
    hcp::ClearFixedSeedClock();
    row.capped = stop.stop_requested();
    // The gap count of the order left, in the graph as given (the degree
    // reduction only removes edges no Hamiltonian cycle uses).
    CCycle check(graph);
    std::list<short> order(c.m_path);
    check.Restore(&order);
    row.h = check.CalcPathLen();
    PrintRow(row);
    return row;
}

// The same run through the solver interface: the graph as a front end holds
// it (converted before the clock starts), one Solve under the same cap.
Row RunApi(const Options& opt, const std::string& name, const hcp::Graph& graph, const std::string& driver) {
    Row row;
    row.name = name;
    row.n = static_cast<int>(graph.NodeCount());
    row.edges = static_cast<unsigned>(graph.EdgeCount());
    row.driver = driver;
    row.via = "api";
    row.seed = opt.seed;
    std::stop_source stop;
    hcp::SolveOptions o;
    o.seed = opt.seed;
    o.stop = stop.get_token();
    o.restarts = 1;
    o.shuffleStart = true;
    o.optimizeCalls = 5;
    o.reduceGraph = true;
    clockid_t cpuClock{};
    pthread_getcpuclockid(pthread_self(), &cpuClock);
    const double cpuStart = CpuSeconds(cpuClock);
    const auto start = std::chrono::steady_clock::now();
    hcp::SolveResult r;
    {
        CapTimer timer(stop, opt.capSeconds);
        r = hcp::Solve(graph, driver == "opt5" ? "optimize" : "exist", o);
    }
    row.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    row.cpuMs = (CpuSeconds(cpuClock) - cpuStart) * 1000.0;
    row.capped = stop.stop_requested();
    row.stats.optimizeCalls = r.stats.optimizeCalls;
    row.stats.loopSteps = r.stats.loopSteps;
    // A proof leaves no order: the legacy path then reports the gaps of the
    // order its driver left, which the api row cannot show.
    row.h = r.gaps;
    PrintRow(row);
    return row;
}

void RunAll(const Options& opt, const std::string& name, const CCycle& graph) {
    if (!opt.filter.empty() && name.find(opt.filter) == std::string::npos) return;
    const hcp::Graph g = hcp::Graph::FromBitGraph(graph);
    int k = 0;
    for (const char* driver : {"opt5", "exist"}) {
        Totals& t = g_totals[k++];
        if ((std::string(driver) == "opt5" && !opt.runOpt5) || (std::string(driver) == "exist" && !opt.runExist))
            continue;
        const Row legacy = Run(opt, name, graph, driver);
        if (opt.listBased) continue;   // the api runs the default engine only
        const Row api = RunApi(opt, name, g, driver);
        t.legacyCpuMs += legacy.cpuMs;
        t.apiCpuMs += api.cpuMs;
        ++t.rows;
        if (api.h >= 0 && api.h != legacy.h && !legacy.capped && !api.capped) ++t.disagreements;
    }
}

void PrintSummary() {
    const char* names[2] = {"opt5", "exist"};
    for (int k = 0; k < 2; ++k) {
        const Totals& t = g_totals[k];
        if (t.rows == 0) continue;
        std::printf("# %s: %d graphs, legacy cpu %.1f ms, api cpu %.1f ms (api/legacy %.3f), H differs on %d\n",
                    names[k], t.rows, t.legacyCpuMs, t.apiCpuMs,
                    t.legacyCpuMs > 0 ? t.apiCpuMs / t.legacyCpuMs : 0.0, t.disagreements);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    if (!ParseOptions(argc, argv, opt)) {
        Usage();
        return 2;
    }
    PrintHeader(opt);

    if (opt.knight) {
        for (short n : {8, 16, 30, 50}) {
            CCycle g;
            BuildKnight(g, n);
            RunAll(opt, "knight" + std::to_string(n) + "x" + std::to_string(n), g);
        }
    }

    if (opt.files) {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (!fs::is_directory(opt.benchDir, ec)) {
            std::printf("# no instance folder %s: skipped\n", opt.benchDir.c_str());
        } else {
            std::vector<fs::path> files;
            for (const auto& entry : fs::recursive_directory_iterator(opt.benchDir, ec))
                if (entry.is_regular_file() && entry.path().extension() == ".hcp") files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const fs::path& file : files) {
                const std::string name = fs::relative(file, opt.benchDir, ec).string();
                if (!opt.filter.empty() && name.find(opt.filter) == std::string::npos) continue;
                CCycle g;
                if (!g.Load(file.string().c_str())) {
                    std::printf("# %s: not loaded: %s\n", name.c_str(), hcp::LastLoadError());
                    continue;
                }
                RunAll(opt, name, g);
            }
        }
    }

    if (opt.random) {
        struct Setting {
            short n;
            const char* kind;
            double meanDegree;  // 0: fair coin
        };
        for (const Setting& s : {Setting{1000, "sparse", 10.0}, Setting{1000, "dense", 0.0},
                                 Setting{5000, "sparse", 10.0}, Setting{5000, "dense", 0.0}}) {
            const double p = s.meanDegree > 0 ? s.meanDegree / (s.n - 1) : 0.5;
            CCycle g;
            BuildRandom(g, s.n, p, opt.seed);
            RunAll(opt, std::string("random") + std::to_string(s.n) + "-" + s.kind, g);
        }
    }
    PrintSummary();
    return 0;
}
