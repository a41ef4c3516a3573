// Figures of the exact method. Times are wall-clock and the process's CPU
// time (user + system), which stays comparable on a busy machine.
//
//   exact_bench fhcp [SECONDS [THREADS]] [file.hcp ...]
//                                             table per graph (default: the
//                                             shared FHCP sample, 60 s each,
//                                             2 threads: one per SAT model)
//   exact_bench fhcp-cpu [SECONDS] [file ...]   the same, but each graph's
//                                             budget is CPU time (for a busy
//                                             machine; wall capped at 6x)
//   exact_bench proofs                        snarks and GP(n, 2) proved
//   exact_bench cubic [N] [ENGINE]            every connected cubic graph on
//                                             N nodes (default 16) from
//                                             nauty-geng; ENGINE = auto|dfs|sat
//   exact_bench memory file.hcp [SECONDS]     peak resident memory of a solve
//   exact_bench crossover                     depth-first vs SAT by size
//   exact_bench stop [file.hcp ...]           how long after a stop request
//                                             the search returns (1 and 2
//                                             threads; default graph900)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stop_token>
#include <thread>
#include <string>
#include <vector>

#include "core/cyclecheck.h"
#include "exact/exactsearch.h"
#include "io/graph6.h"
#include "io/graphfile.h"
#include "solve/solver.h"

namespace fs = std::filesystem;
using hcp::ExactEngine;
using hcp::Graph;
using hcp::NodeId;

namespace {

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double PeakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = CpuSeconds();
    double Wall() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    }
    double Cpu() const { return CpuSeconds() - cpu; }
};

const char* Name(hcp::Verdict v) { return std::string_view(hcp::VerdictName(v)).data(); }

// Requests a stop once the process has used 'cpu' seconds of CPU time
// since it started watching, or 'wall' seconds have passed.
class CpuBudget {
public:
    CpuBudget(double cpu, double wall)
        : m_thread([this, cpu, wall](std::stop_token own) {
              const Clock c;
              while (!own.stop_requested() && c.Cpu() < cpu && c.Wall() < wall)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              m_source.request_stop();
          }) {}
    std::stop_token Token() const { return m_source.get_token(); }

private:
    std::stop_source m_source;
    std::jthread m_thread;
};

int Fhcp(double seconds, int threads, std::vector<std::string> files, bool cpuBudget) {
    if (files.empty()) {
        const fs::path dir = fs::path(TOURVANE_SHARED_DIR) / "bench" / "fhcpcs";
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".hcp") files.push_back(e.path().string());
        auto number = [](const std::string& p) { return std::atoi(fs::path(p).stem().string().c_str() + 5); };
        std::sort(files.begin(), files.end(), [&](auto& a, auto& b) { return number(a) < number(b); });
    }
    std::printf("%-16s %6s %7s %9s %9s %-12s %9s %9s %9s\n", "graph", "nodes", "edges", "wall s", "cpu s",
                "verdict", "satcalls", "clauses", "merged");
    int solved = 0;
    Clock all;
    for (const auto& file : files) {
        Graph g;
        try {
            g = hcp::ReadGraph(file);
        } catch (const std::exception& e) {
            std::printf("%s: %s\n", file.c_str(), e.what());
            continue;
        }
        hcp::SolveOptions o;
        o.threads = threads;
        std::optional<CpuBudget> budget;
        if (cpuBudget) {
            budget.emplace(seconds, 6 * seconds);
            o.stop = budget->Token();
        } else {
            o.timeLimit = seconds;
        }
        Clock c;
        const hcp::SolveResult r = hcp::Solve(g, "exact", o);
        budget.reset();
        const bool checked = r.verdict == hcp::Verdict::Hamiltonian && hcp::CheckCycle(g, r.order).hamiltonian;
        solved += checked ? 1 : 0;
        std::printf("%-16s %6u %7zu %9.2f %9.2f %-12s %9llu %9llu %9llu\n",
                    fs::path(file).filename().string().c_str(), g.NodeCount(), g.EdgeCount(), c.Wall(), c.Cpu(),
                    Name(r.verdict), static_cast<unsigned long long>(r.stats.satCalls),
                    static_cast<unsigned long long>(r.stats.clausesAdded),
                    static_cast<unsigned long long>(r.stats.subcyclesMerged));
        std::fflush(stdout);
    }
    std::printf("checked cycles: %d of %zu; total wall %.1f s, cpu %.1f s; peak memory %.1f MB\n", solved,
                files.size(), all.Wall(), all.Cpu(), PeakMegabytes());
    return 0;
}

Graph Petersen(NodeId n, NodeId k) {
    std::vector<hcp::Edge> e;
    for (NodeId i = 0; i < n; ++i) {
        e.emplace_back(i, (i + 1) % n);
        e.emplace_back(i, n + i);
        e.emplace_back(n + i, n + (i + k) % n);
    }
    return Graph::FromEdges(2 * n, e);
}

Graph Snark(NodeId n) {
    std::vector<hcp::Edge> e;
    for (NodeId i = 0; i < n; ++i) {
        e.emplace_back(i, n + i);
        e.emplace_back(i, 2 * n + i);
        e.emplace_back(i, 3 * n + i);
        e.emplace_back(n + i, n + (i + 1) % n);
        if (i + 1 < n) {
            e.emplace_back(2 * n + i, 2 * n + i + 1);
            e.emplace_back(3 * n + i, 3 * n + i + 1);
        }
    }
    e.emplace_back(3 * n - 1, 3 * n);
    e.emplace_back(4 * n - 1, 2 * n);
    return Graph::FromEdges(4 * n, e);
}

void Row(const std::string& name, const Graph& g, ExactEngine engine) {
    hcp::ExactSearch search;
    Clock c;
    const hcp::SolveResult r = search.Run(g, {}, engine);
    std::printf("%-12s %5u %-10s %10.4f %10.4f  %s\n", name.c_str(), g.NodeCount(), Name(r.verdict), c.Wall(),
                c.Cpu(), r.reason.c_str());
}

int Proofs() {
    std::printf("%-12s %5s %-10s %10s %10s  %s\n", "graph", "nodes", "verdict", "wall s", "cpu s", "reason");
    Row("Petersen", Petersen(5, 2), ExactEngine::Auto);
    for (NodeId n : {5u, 7u, 9u, 11u}) Row("J" + std::to_string(n), Snark(n), ExactEngine::Auto);
    for (NodeId n : {11u, 17u, 23u, 29u, 35u, 41u})
        Row("GP(" + std::to_string(n) + ",2)", Petersen(n, 2), ExactEngine::Auto);
    return 0;
}

std::vector<Graph> Geng(int n) {
    const std::string cmd = "nauty-geng -c -d3 -D3 -q " + std::to_string(n);
    FILE* p = popen(cmd.c_str(), "r");
    std::vector<Graph> out;
    if (p == nullptr) return out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p) != nullptr) {
        std::string_view line(buf);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        out.push_back(hcp::DecodeGraph6(line));
    }
    pclose(p);
    return out;
}

int Cubic(int n, ExactEngine engine) {
    const std::vector<Graph> graphs = Geng(n);
    if (graphs.empty()) {
        std::printf("nauty-geng gave no graphs (is the nauty package installed?)\n");
        return 1;
    }
    hcp::ExactSearch search;
    std::size_t none = 0, yes = 0, unknown = 0, byProof = 0;
    Clock c;
    for (const Graph& g : graphs) {
        const hcp::SolveResult r = search.Run(g, {}, engine);
        if (r.verdict == hcp::Verdict::NoCycle) {
            ++none;
            if (r.reason.find("complete search") == std::string::npos) ++byProof;
        } else if (r.verdict == hcp::Verdict::Hamiltonian) {
            ++yes;
        } else {
            ++unknown;
        }
    }
    const double wall = c.Wall(), cpu = c.Cpu();
    std::printf("cubic %d: %zu graphs, %zu Hamiltonian, %zu without a cycle (%zu by a cheap proof), %zu unknown\n",
                n, graphs.size(), yes, none, byProof, unknown);
    std::printf("total wall %.3f s, cpu %.3f s, %.1f us per graph (not counting nauty-geng)\n", wall, cpu,
                1e6 * wall / static_cast<double>(graphs.size()));
    return 0;
}

int Memory(const std::string& file, double seconds) {
    const Graph g = hcp::ReadGraph(file);
    const double before = PeakMegabytes();
    hcp::SolveOptions o;
    o.timeLimit = seconds;
    if (std::getenv("EXACT_LOG") != nullptr) o.log = &std::cerr;
    Clock c;
    const hcp::SolveResult r = hcp::Solve(g, "exact", o);
    std::printf("%s: %s in %.1f s wall, %.1f s cpu; peak resident %.1f MB (%.1f MB after loading)\n",
                file.c_str(), Name(r.verdict), c.Wall(), c.Cpu(), PeakMegabytes(), before);
    return 0;
}

// Random cubic-ish graphs by size, both engines: where the depth-first
// search stops paying off.
int Crossover() {
    std::printf("%6s %12s %12s\n", "nodes", "dfs us", "sat us");
    for (NodeId n : {10u, 16u, 24u, 32u, 40u, 48u, 56u, 64u}) {
        double t[2] = {0, 0};
        int k = 0;
        for (NodeId shift = 1; shift < n / 2 && k < 20; ++shift, ++k) {
            const Graph g = Petersen(n / 2, 1 + shift % (n / 2 - 1));
            int i = 0;
            for (ExactEngine e : {ExactEngine::DepthFirst, ExactEngine::Sat}) {
                hcp::ExactSearch search;
                Clock c;
                search.Run(g, {}, e);
                t[i++] += c.Wall();
            }
        }
        std::printf("%6u %12.1f %12.1f\n", n, 1e6 * t[0] / k, 1e6 * t[1] / k);
    }
    return 0;
}

ExactEngine EngineNamed(const char* s) {
    const std::string e = s;
    return e == "dfs" ? ExactEngine::DepthFirst : e == "sat" ? ExactEngine::Sat : ExactEngine::Auto;
}

}  // namespace

// A stop request a second into the search, and how long the search takes
// to return after it.
int StopLatency(std::vector<std::string> files) {
    if (files.empty()) files.push_back((fs::path(TOURVANE_SHARED_DIR) / "bench" / "fhcpcs" / "graph900.hcp").string());
    std::printf("%-16s %7s %12s %10s\n", "graph", "threads", "stopped ms", "verdict");
    for (const auto& file : files) {
        const Graph g = hcp::ReadGraph(file);
        for (int threads : {1, 2}) {
            std::stop_source source;
            hcp::SolveOptions o;
            o.threads = threads;
            o.stop = source.get_token();
            std::chrono::steady_clock::time_point asked;
            std::jthread timer([&](std::stop_token own) {
                const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
                while (!own.stop_requested() && std::chrono::steady_clock::now() < until)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                asked = std::chrono::steady_clock::now();
                source.request_stop();
            });
            const hcp::SolveResult r = hcp::Solve(g, "exact", o);
            const auto back = std::chrono::steady_clock::now();
            timer.request_stop();
            timer.join();
            const bool stopped = r.verdict == hcp::Verdict::Unknown;
            std::printf("%-16s %7d %12s %10s\n", fs::path(file).filename().string().c_str(), threads,
                        stopped ? std::to_string(std::chrono::duration<double, std::milli>(back - asked).count()).c_str()
                                : "answered first",
                        Name(r.verdict));
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "proofs";
    try {
        if (mode == "fhcp" || mode == "fhcp-cpu") {
            auto number = [&](int i) {
                return i < argc && std::string(argv[i]).find_first_not_of("0123456789.") == std::string::npos;
            };
            int next = 2;
            const double seconds = number(next) ? std::atof(argv[next++]) : 60.0;
            const int threads = number(next) ? std::atoi(argv[next++]) : 2;
            return Fhcp(seconds, threads, std::vector<std::string>(argv + std::min(argc, next), argv + argc),
                        mode == "fhcp-cpu");
        }
        if (mode == "proofs") return Proofs();
        if (mode == "cubic") return Cubic(argc > 2 ? std::atoi(argv[2]) : 16, EngineNamed(argc > 3 ? argv[3] : "auto"));
        if (mode == "memory" && argc > 2) return Memory(argv[2], argc > 3 ? std::atof(argv[3]) : 300.0);
        if (mode == "crossover") return Crossover();
        if (mode == "stop") return StopLatency(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "exact_bench: error: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: exact_bench fhcp|proofs|cubic|memory|crossover|stop ...\n");
    return 2;
}
