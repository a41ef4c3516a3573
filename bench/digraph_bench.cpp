// Directed Hamiltonian cycles and paths on FHCP-style digraphs: each FHCP
// graph with its known tour (GRAPH.hcp.tou beside it) is turned into a
// digraph by orienting the tour's cycle, giving every other edge a random
// direction and adding random arcs, so the digraph is Hamiltonian and its
// underlying graph is as hard as the original. Each solve runs in a child
// process of its own; the table gives sizes, time, the part that decided
// and peak memory.
//
//   digraph_bench [--limit S] [--extra F] [--path] [--seed K] [--method NAME]
//                 [DIR or FILE.hcp ...]
//
// --extra F adds F * N random arcs (default 0.05); --path asks for a path
// with free ends instead of a cycle. Default: the FHCP sample in
// TOURVANE_SHARED_DIR/bench/fhcpcs.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "io/graphfile.h"
#include "io/tourfile.h"
#include "solve/solver.h"

namespace fs = std::filesystem;

namespace {

struct Setup {
    double limit = 60, extra = 0.05;
    std::string method = "auto";
    std::uint64_t seed = 1;
    hcp::Question question;
};

hcp::Graph Orient(const hcp::Graph& g, const std::vector<hcp::NodeId>& tour, const Setup& setup)
{
    const hcp::NodeId n = g.NodeCount();
    std::mt19937_64 rng(setup.seed);
    std::vector<hcp::Edge> arcs;
    std::vector<hcp::NodeId> next(n, n);
    for (std::size_t i = 0; i < tour.size(); ++i) {
        next[tour[i]] = tour[(i + 1) % tour.size()];
        arcs.emplace_back(tour[i], tour[(i + 1) % tour.size()]);
    }
    for (const hcp::Edge& e : g.Edges()) {
        if (next[e.first] == e.second || next[e.second] == e.first) continue;
        arcs.push_back(rng() & 1 ? e : hcp::Edge{e.second, e.first});
    }
    const auto extra = static_cast<std::size_t>(setup.extra * n);
    std::uniform_int_distribution<hcp::NodeId> pick(0, n - 1);
    for (std::size_t k = 0; k < extra; ++k) arcs.emplace_back(pick(rng), pick(rng));
    return hcp::Graph::FromArcs(n, arcs);
}

void Row(const std::string& file, const Setup& setup)
{
    int fds[2];
    if (pipe(fds) != 0) return;
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return;
    }
    if (pid == 0) {
        close(fds[0]);
        std::string line = "0 0 ERROR - 0 0\n";
        try {
            const hcp::Graph g = hcp::ReadGraph(file);
            const hcp::Tour tour = hcp::ReadTour(file + ".tou", g.NodeCount());
            const hcp::Graph d = Orient(g, tour.order, setup);
            hcp::SolveOptions o;
            o.timeLimit = setup.limit;
            o.question = setup.question;
            const hcp::SolveResult r = hcp::Solve(d, setup.method, o);
            std::ostringstream s;
            s << d.NodeCount() << ' ' << d.EdgeCount() << ' ' << hcp::VerdictWord(r.verdict, r.goal) << ' '
              << (r.method.empty() ? "-" : r.method) << ' ' << r.seconds << ' ' << r.stats.satCalls << '\n';
            line = s.str();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
        }
        [[maybe_unused]] const ssize_t w = write(fds[1], line.data(), line.size());
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buf[256];
    for (ssize_t k; (k = read(fds[0], buf, sizeof buf)) > 0;) text.append(buf, std::size_t(k));
    close(fds[0]);
    int status = 0;
    rusage u{};
    wait4(pid, &status, 0, &u);
    std::istringstream s(text);
    unsigned long nodes = 0, arcs = 0, calls = 0;
    double secs = 0;
    std::string verdict = "CRASH", part = "-";
    s >> nodes >> arcs >> verdict >> part >> secs >> calls;
    std::printf("%-16s %7lu %8lu  %-17s %-7s %8.2f %6lu %6ld\n", fs::path(file).filename().c_str(), nodes, arcs,
                verdict.c_str(), part.c_str(), secs, calls, u.ru_maxrss / 1024);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    Setup setup;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--limit" && i + 1 < argc) setup.limit = std::atof(argv[++i]);
        else if (a == "--extra" && i + 1 < argc) setup.extra = std::atof(argv[++i]);
        else if (a == "--seed" && i + 1 < argc) setup.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--method" && i + 1 < argc) setup.method = argv[++i];
        else if (a == "--path") setup.question = hcp::Question::Path();
        else if (fs::is_directory(a)) {
            for (const auto& e : fs::directory_iterator(a))
                if (e.path().extension() == ".hcp" && fs::exists(e.path().string() + ".tou")) files.push_back(e.path());
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) {
        const fs::path dir = fs::path(TOURVANE_SHARED_DIR) / "bench" / "fhcpcs";
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".hcp") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return std::atol(fs::path(a).stem().c_str() + 5) < std::atol(fs::path(b).stem().c_str() + 5);
    });
    std::printf("method %s, limit %.0f s, %.2f N extra arcs, %s\n", setup.method.c_str(), setup.limit, setup.extra,
                setup.question.IsPath() ? "path, free ends" : "cycle");
    std::printf("graph              nodes     arcs  verdict           part        time    sat     MB\n");
    for (const std::string& f : files) Row(f, setup);
}
