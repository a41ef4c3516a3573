// Figures of the complete method's portfolio, one thread per graph: for
// each graph the part that decided it, that part's work and the time.
//
//   portfolio_bench proofs [SECONDS]     the hard families: small dense
//                                        graphs of the clique-and-parts kind,
//                                        Petersen, Herschel, Coxeter, Tutte,
//                                        flower snarks, GP(n, 2), the shared
//                                        proofs/*.col (default limit 30 s)
//   portfolio_bench cubic N [FILE.g6]    every connected cubic graph on N
//                                        nodes (nauty-geng, or FILE) decided
//                                        here and by nauty-cubhamg, times and
//                                        ratio
//   portfolio_bench cubhamg NAME...      the named families beside cubhamg
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "common/graphfamilies.h"
#include "exact/exactsearch.h"
#include "io/dimacs.h"
#include "io/graph6.h"

namespace fs = std::filesystem;
using namespace testgraphs;

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double PeakMegabytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// graph6 text of g (n < 258048), for cubhamg.
std::string Graph6(const Graph& g)
{
    const NodeId n = g.NodeCount();
    std::string out;
    if (n < 63) {
        out += static_cast<char>(63 + n);
    } else {
        out += static_cast<char>(126);
        for (int shift : {12, 6, 0}) out += static_cast<char>(63 + ((n >> shift) & 63));
    }
    int bits = 0, value = 0;
    for (NodeId j = 1; j < n; ++j)
        for (NodeId i = 0; i < j; ++i) {
            const auto row = g.Neighbors(i);
            value = value << 1 | (std::binary_search(row.begin(), row.end(), j) ? 1 : 0);
            if (++bits == 6) {
                out += static_cast<char>(63 + value);
                bits = value = 0;
            }
        }
    if (bits > 0) out += static_cast<char>(63 + (value << (6 - bits)));
    return out;
}

struct Named {
    std::string name;
    Graph graph;
};

std::vector<Named> HardFamilies()
{
    std::vector<Named> out;
    for (NodeId s : {5u, 8u, 10u})
        out.push_back({"clique" + std::to_string(s) + "+" + std::to_string(s + 1), CliqueJoinedToParts(s, s + 1, 3, s)});
    out.push_back({"clique6+7x6", CliqueJoinedToParts(6, 7, 6, 7)});
    out.push_back({"Petersen", Petersen()});
    out.push_back({"Herschel", Herschel()});
    out.push_back({"Coxeter", Coxeter()});
    out.push_back({"Tutte", Tutte()});
    for (NodeId n = 5; n <= 21; n += 2) out.push_back({"J" + std::to_string(n), FlowerSnark(n)});
    for (NodeId n = 11; n <= 71; n += 6)
        out.push_back({"GP(" + std::to_string(n) + ",2)", GeneralizedPetersen(n, 2)});
    out.push_back({"J31", FlowerSnark(31)});
    out.push_back({"J51", FlowerSnark(51)});
    out.push_back({"GP(101,2)", GeneralizedPetersen(101, 2)});
    const fs::path proofs = fs::path(TOURVANE_SHARED_DIR) / "bench" / "proofs";
    if (fs::is_directory(proofs))
        for (const auto& e : fs::directory_iterator(proofs))
            if (e.path().extension() == ".col") out.push_back({e.path().filename().string(), hcp::ReadDimacs(e.path().string())});
    return out;
}

int Proofs(double seconds)
{
    std::printf("%-24s %5s %6s %-11s %-12s %12s %9s  %s\n", "graph", "nodes", "edges", "verdict", "part", "work",
                "wall s", "reason");
    for (const Named& x : HardFamilies()) {
        hcp::ExactSearch search;
        hcp::SolveOptions o;
        std::stop_source stop;
        o.timeLimit = seconds;
        std::jthread timer([&stop, seconds](std::stop_token own) {
            const double end = Now() + seconds;
            while (!own.stop_requested() && Now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            stop.request_stop();
        });
        o.stop = stop.get_token();
        const double start = Now();
        const hcp::SolveResult r = search.Run(x.graph, o);
        const double wall = Now() - start;
        timer.request_stop();
        std::printf("%-24s %5u %6zu %-11s %-12s %12llu %9.3f  %s\n", x.name.c_str(), x.graph.NodeCount(),
                    x.graph.EdgeCount(), std::string(hcp::VerdictName(r.verdict)).c_str(), search.LastPart(),
                    static_cast<unsigned long long>(search.LastPartWork()), wall, r.reason.c_str());
        std::fflush(stdout);
    }
    std::printf("peak memory %.1f MB\n", PeakMegabytes());
    return 0;
}

// Seconds cubhamg takes over the graph6 text in 'file' (its own output
// thrown away), or a negative number when it cannot be run.
double CubhamgSeconds(const std::string& file)
{
    const double start = Now();
    const int status = std::system(("nauty-cubhamg " + file + " >/dev/null 2>&1").c_str());
    if (status != 0) return -1.0;
    return Now() - start;
}

int Cubic(int n, std::string given)
{
    const std::string file = !given.empty() ? given
                             : (fs::temp_directory_path() / ("portfolio_cubic" + std::to_string(n) + ".g6")).string();
    if (given.empty() && std::system(("nauty-geng -q -c -d3 -D3 " + std::to_string(n) + " >" + file).c_str()) != 0) {
        std::printf("nauty-geng failed (is the nauty package installed?)\n");
        return 1;
    }
    const std::vector<Graph> graphs = ReadGraph6File(file);
    hcp::ExactSearch search;
    std::size_t yes = 0, no = 0, unknown = 0;
    const double start = Now();
    for (const Graph& g : graphs) {
        const hcp::SolveResult r = search.Run(g, {});
        yes += r.verdict == hcp::Verdict::Hamiltonian;
        no += r.verdict == hcp::Verdict::NoCycle;
        unknown += r.verdict == hcp::Verdict::Unknown;
    }
    const double ours = Now() - start;
    const double theirs = CubhamgSeconds(file);
    std::printf("cubic graphs on %d nodes: %zu (%zu Hamiltonian, %zu not, %zu undecided)\n", n, graphs.size(), yes, no,
                unknown);
    std::printf("exact %.2f s, cubhamg %.2f s, ratio %.2f\n", ours, theirs, theirs > 0 ? ours / theirs : 0.0);
    if (given.empty()) fs::remove(file);
    return 0;
}

int Families()
{
    std::printf("%-12s %5s %-11s %-10s %10s %12s %7s\n", "graph", "nodes", "verdict", "part", "exact s", "cubhamg s",
                "ratio");
    std::vector<Named> list;
    for (NodeId n = 5; n <= 31; n += 2) list.push_back({"J" + std::to_string(n), FlowerSnark(n)});
    for (NodeId n = 11; n <= 101; n += 6) list.push_back({"GP(" + std::to_string(n) + ",2)", GeneralizedPetersen(n, 2)});
    for (const Named& x : list) {
        hcp::ExactSearch search;
        const double start = Now();
        const hcp::SolveResult r = search.Run(x.graph, {});
        const double ours = Now() - start;
        const std::string file = (fs::temp_directory_path() / "portfolio_family.g6").string();
        {
            FILE* f = std::fopen(file.c_str(), "w");
            std::fprintf(f, "%s\n", Graph6(x.graph).c_str());
            std::fclose(f);
        }
        // cubhamg gets a minute; past that it is reported as not decided.
        const double start2 = Now();
        const int status = std::system(("timeout 60 nauty-cubhamg " + file + " >/dev/null 2>&1").c_str());
        const double theirs = Now() - start2;
        std::printf("%-12s %5u %-11s %-10s %10.3f %12s %7.2f\n", x.name.c_str(), x.graph.NodeCount(),
                    std::string(hcp::VerdictName(r.verdict)).c_str(), search.LastPart(), ours,
                    status == 0 ? std::to_string(theirs).c_str() : "> 60", status == 0 ? ours / theirs : 0.0);
        std::fflush(stdout);
        fs::remove(file);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "proofs";
    if (mode == "proofs") return Proofs(argc > 2 ? std::atof(argv[2]) : 30.0);
    if (mode == "cubic") return Cubic(argc > 2 ? std::atoi(argv[2]) : 18, argc > 3 ? argv[3] : "");
    if (mode == "cubhamg") return Families();
    std::fprintf(stderr, "usage: portfolio_bench proofs [SECONDS] | cubic N | cubhamg\n");
    return 2;
}
