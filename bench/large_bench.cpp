// Benchmark of the 'large' method: knight boards and hidden-cycle cubic
// graphs built in memory, each solved in a child process of its own so the
// peak resident memory printed is that instance's alone. Figures are wall
// time and CPU time (user + system) of the solve, the graph's build time
// apart, and the child's peak RSS.
//
//   large_bench targets              the three target instances
//   large_bench table                N = 1e4, 1e5, 1e6 for both families
//   large_bench crossover [limit]    'large' against 'exist' up to 32,767 nodes
//   large_bench knight|cubic SIZE [METHOD [SEED [LIMIT]]]
//                                    one instance (knight: board side)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "large/graphfamilies.h"
#include "solve/solver.h"

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + 1e-6 * double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

struct Instance {
    std::string family;   // "knight" or "cubic"
    std::uint32_t size;   // board side or node count
    std::string method = "large";
    std::uint64_t seed = 1;
    double limit = 120.0;
};

void PrintHeader()
{
    std::printf("%-7s %9s %9s %9s %-6s %4s %-11s %6s %8s %9s %9s %8s\n", "family", "size", "nodes", "edges",
                "method", "seed", "verdict", "gaps", "build_s", "solve_s", "cpu_s", "rss_MB");
    std::fflush(stdout);
}

// Runs in the child: build, solve, print one row.
int RunInstance(const Instance& in)
{
    const auto t0 = std::chrono::steady_clock::now();
    const hcp::Graph g = in.family == "knight" ? hcp::KnightBoard(in.size, in.size)
                                               : hcp::HiddenCycleCubic(in.size, in.seed + 1000);
    const double build = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    hcp::SolveOptions options;
    options.seed = in.seed;
    options.timeLimit = in.limit;
    // LARGE_BENCH_LOG=1: the method's own lines; 2: progress reports too.
    if (const char* env = std::getenv("LARGE_BENCH_LOG")) {
        options.log = &std::cerr;
        if (std::string(env) == "2")
            options.progress = [](const hcp::Progress& p) {
                std::fprintf(stderr, "  %8.2f s %8d gaps %12llu steps\n", p.seconds, p.gaps,
                             static_cast<unsigned long long>(p.work));
            };
    }
    const double cpu0 = CpuSeconds();
    const hcp::SolveResult r = hcp::Solve(g, in.method, options);
    const double cpu = CpuSeconds() - cpu0;
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("%-7s %9u %9u %9zu %-6s %4llu %-11s %6d %8.2f %9.3f %9.3f %8.0f\n", in.family.c_str(), in.size,
                g.NodeCount(), g.EdgeCount(), in.method.c_str(), static_cast<unsigned long long>(in.seed),
                std::string(hcp::VerdictName(r.verdict)).c_str(), r.gaps, build, r.seconds, cpu,
                double(u.ru_maxrss) / 1024.0);
    std::fflush(stdout);
    return 0;
}

void RunChild(const Instance& in)
{
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) _exit(RunInstance(in));
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%-7s %9u  (child failed, status %d)\n", in.family.c_str(), in.size, status);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "targets";
    PrintHeader();
    if (mode == "targets") {
        RunChild({"knight", 1000});
        RunChild({"cubic", 1000000});
        RunChild({"knight", 181});
    } else if (mode == "table") {
        for (std::uint32_t side : {100u, 316u, 1000u}) RunChild({"knight", side});
        for (std::uint32_t n : {10000u, 100000u, 1000000u}) RunChild({"cubic", n});
    } else if (mode == "crossover") {
        const double limit = argc > 2 ? std::atof(argv[2]) : 30.0;
        for (std::uint32_t side : {20u, 30u, 50u, 80u, 120u, 150u, 181u})
            for (const char* m : {"exist", "large"}) RunChild({"knight", side, m, 1, limit});
        for (std::uint32_t n : {1000u, 3000u, 10000u, 20000u, 32766u})
            for (const char* m : {"exist", "large"}) RunChild({"cubic", n, m, 1, limit});
    } else if (mode == "knight" || mode == "cubic") {
        Instance in{mode, argc > 2 ? static_cast<std::uint32_t>(std::atol(argv[2])) : 1000u};
        if (argc > 3) in.method = argv[3];
        if (argc > 4) in.seed = std::strtoull(argv[4], nullptr, 10);
        if (argc > 5) in.limit = std::atof(argv[5]);
        RunChild(in);
    } else {
        std::fprintf(stderr, "usage: large_bench [targets|table|crossover [limit]|knight SIDE|cubic N [method [seed [limit]]]]\n");
        return 2;
    }
    return 0;
}
