// Benchmark of the default method 'auto' on the FHCP Challenge Set sample
// (or any HCP files named on the command line): one line per graph with the
// verdict, the part of auto that decided, wall and CPU seconds, and the
// local-search and SAT work. Every graph of the set has a cycle.
//
//   auto_bench [--limit SECONDS] [--threads T] [--method NAME] [FILE.hcp...]
//
// Defaults: 60 s per graph, 2 threads, the 23 sample graphs in
// TOURVANE_SHARED_DIR/bench/fhcpcs.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "io/graphfile.h"
#include "solve/solver.h"

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + 1e-6 * double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

// graph2.hcp before graph10.hcp.
bool ByNumber(const std::string& a, const std::string& b)
{
    const auto num = [](const std::string& p) {
        const std::string s = std::filesystem::path(p).stem().string();
        const auto d = s.find_first_of("0123456789");
        return d == std::string::npos ? 0L : std::atol(s.c_str() + d);
    };
    return num(a) != num(b) ? num(a) < num(b) : a < b;
}

}  // namespace

int main(int argc, char** argv)
{
    double limit = 60.0;
    int threads = 2;
    std::string method = "auto";
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--limit" && i + 1 < argc) limit = std::atof(argv[++i]);
        else if (a == "--threads" && i + 1 < argc) threads = std::atoi(argv[++i]);
        else if (a == "--method" && i + 1 < argc) method = argv[++i];
        else files.push_back(a);
    }
    if (files.empty()) {
        const std::filesystem::path dir = std::filesystem::path(TOURVANE_SHARED_DIR) / "bench" / "fhcpcs";
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec))
            if (e.path().extension() == ".hcp") files.push_back(e.path().string());
        if (files.empty()) {
            std::fprintf(stderr, "auto_bench: no .hcp files in %s\n", dir.string().c_str());
            return 1;
        }
    }
    std::sort(files.begin(), files.end(), ByNumber);

    std::printf("method %s, limit %.0f s, threads %d\n", method.c_str(), limit, threads);
    std::printf("%-16s %6s %7s %-11s %-8s %8s %8s %8s %6s\n", "graph", "nodes", "edges", "verdict", "part",
                "wall_s", "cpu_s", "calls", "sat");
    int decided = 0;
    double wall = 0, cpu = 0;
    for (const std::string& f : files) {
        hcp::Graph g;
        try {
            g = hcp::ReadGraph(f);
        } catch (const std::exception& e) {
            std::printf("%-16s %s\n", std::filesystem::path(f).filename().c_str(), e.what());
            continue;
        }
        hcp::SolveOptions o;
        o.timeLimit = limit;
        o.threads = threads;
        const double c0 = CpuSeconds();
        const hcp::SolveResult r = hcp::Solve(g, method, o);
        const double c = CpuSeconds() - c0;
        decided += r.verdict != hcp::Verdict::Unknown;
        wall += r.seconds;
        cpu += c;
        std::printf("%-16s %6u %7zu %-11s %-8s %8.2f %8.2f %8llu %6llu\n",
                    std::filesystem::path(f).filename().c_str(), g.NodeCount(), g.EdgeCount(),
                    std::string(hcp::VerdictName(r.verdict)).c_str(), r.method.c_str(), r.seconds, c,
                    static_cast<unsigned long long>(r.stats.optimizeCalls),
                    static_cast<unsigned long long>(r.stats.satCalls));
        std::fflush(stdout);
    }
    std::printf("decided %d of %zu; wall %.1f s, cpu %.1f s\n", decided, files.size(), wall, cpu);
    return 0;
}
