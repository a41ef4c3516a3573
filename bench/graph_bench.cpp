// Timings of the graph model's whole-graph operations: Load, Store,
// CalcDeg, GetEdgeCount and a million random GetEdge calls, on the largest
// shared instances and on a 5000-node fair-coin random graph. Each figure
// is the best of several runs, in milliseconds of wall-clock time and of
// the thread's CPU time (which stays comparable on a busy machine).
//
//   graph_bench [file.hcp ...]
//
// Without arguments it takes from the shared benchmark set the instance
// with the most nodes and the one with the largest file.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "graph/bitgraph.h"
#include "graph/randsrc.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 5;

struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

double ThreadCpuMillis() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

template <typename F>
Timing Best(F f) {
    Timing best;
    for (int r = 0; r < kRuns; ++r) {
        double cpu0 = ThreadCpuMillis();
        auto start = std::chrono::steady_clock::now();
        f();
        std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
        best.wall = std::min(best.wall, d.count());
        best.cpu = std::min(best.cpu, ThreadCpuMillis() - cpu0);
    }
    return best;
}

void Row(const char* what, Timing t) { std::printf("  %-14s %10.3f %10.3f\n", what, t.wall, t.cpu); }

void Measure(const std::string& label, const std::string& path, CBitGraph& g) {
    const std::string out = (fs::temp_directory_path() / "tourvane_graph_bench.hcp").string();
    Timing load = Best([&] {
        if (!g.Load(path.c_str())) std::fprintf(stderr, "load failed: %s\n", path.c_str());
    });
    Timing store = Best([&] { g.Store(out.c_str()); });
    Timing calc = Best([&] { g.CalcDeg(); });
    unsigned edges = 0;
    Timing count = Best([&] { edges = g.GetEdgeCount(); });

    // A million node pairs drawn up front with a fixed-seed xorshift.
    std::vector<std::pair<short, short>> pairs(1000000);
    std::uint64_t x = 88172645463325252ull;
    for (auto& p : pairs) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        p.first = static_cast<short>(x % static_cast<unsigned>(g.GetDim()) + 1);
        p.second = static_cast<short>((x >> 32) % static_cast<unsigned>(g.GetDim()) + 1);
    }
    unsigned joined = 0;
    Timing lookups = Best([&] {
        joined = 0;
        for (auto [a, b] : pairs) joined += g.GetEdge(a, b);
    });
    std::printf("%s: N=%d edges=%u store=%u bytes file=%ju bytes (%u of 1M pairs joined)\n", label.c_str(),
                g.GetDim(), edges, g.m_Bits.Bytes(), static_cast<std::uintmax_t>(fs::file_size(path)), joined);
    std::printf("  %-14s %10s %10s\n", "operation", "wall ms", "cpu ms");
    Row("Load", load);
    Row("Store", store);
    Row("CalcDeg", calc);
    Row("GetEdgeCount", count);
    Row("1M GetEdge", lookups);
    fs::remove(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        const fs::path root = fs::path(TOURVANE_SHARED_DIR) / "bench";
        std::string mostNodes, largestFile;
        int nodes = -1;
        std::uintmax_t size = 0;
        if (fs::exists(root)) {
            for (const auto& e : fs::recursive_directory_iterator(root)) {
                if (e.path().extension() != ".hcp") continue;
                CBitGraph g;
                if (!g.Load(e.path().c_str())) continue;
                if (g.GetDim() > nodes) nodes = g.GetDim(), mostNodes = e.path().string();
                if (e.file_size() > size) size = e.file_size(), largestFile = e.path().string();
            }
        }
        if (!mostNodes.empty()) files.push_back(mostNodes);
        if (!largestFile.empty() && largestFile != mostNodes) files.push_back(largestFile);
    }
    std::printf("best of %d runs each\n", kRuns);
    for (const std::string& f : files) {
        CBitGraph g;
        Measure(fs::path(f).filename().string(), f, g);
    }

    // 5000-node fair-coin graph from a fixed seed, stored once so that Load
    // has a file to read.
    CBitGraph random(5000);
    rand_int.set_seed(1);
    random.InitRandom(0);
    const std::string path = (fs::temp_directory_path() / "tourvane_fair_coin_5000.hcp").string();
    random.Store(path.c_str());
    Measure("fair-coin random N=5000", path, random);
    fs::remove(path);
    return 0;
}
