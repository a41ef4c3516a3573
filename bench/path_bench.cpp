// Paths beside cycles: the time of the path question (free ends, one end,
// two ends) against the cycle question on knight boards, each solve in a
// child process of its own so the peak memory printed is its own.
//
//   path_bench [--limit S] [--method NAME] [SIDE ...]     default: 1000
//
// On an even board of side n the knight graph is bipartite with equal
// sides, so a path between two corners of one colour is refused by a proof
// and one between corners of different colours exists.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/leapergraph.h"
#include "solve/solver.h"

namespace {

struct Ask {
    const char* name;
    hcp::Question (*make)(hcp::NodeId side);
};

const Ask kAsks[] = {
    {"cycle", [](hcp::NodeId) { return hcp::Question::Cycle(); }},
    {"path", [](hcp::NodeId) { return hcp::Question::Path(); }},
    {"path from corner", [](hcp::NodeId) { return hcp::Question::PathFrom(0); }},
    {"path corner-corner", [](hcp::NodeId n) { return hcp::Question::PathBetween(0, n - 1); }},
    {"path same colour", [](hcp::NodeId n) { return hcp::Question::PathBetween(0, n * n - 1); }},
};

void Row(int side, const Ask& ask, const std::string& method, double limit)
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
        const auto t0 = std::chrono::steady_clock::now();
        const hcp::Graph g = hcp::LeaperGraph(1, 2, side, side);
        const double build = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        hcp::SolveOptions o;
        o.timeLimit = limit;
        o.question = ask.make(static_cast<hcp::NodeId>(side));
        const hcp::SolveResult r = hcp::Solve(g, method, o);
        std::ostringstream s;
        s << g.NodeCount() << ' ' << build << ' ' << r.seconds << ' ' << hcp::VerdictWord(r.verdict, r.goal) << ' '
          << (r.method.empty() ? "-" : r.method) << '\n';
        const std::string line = s.str();
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
    unsigned long nodes = 0;
    double build = 0, secs = 0;
    std::string verdict = "CRASH", part = "-";
    s >> nodes >> build >> secs >> verdict >> part;
    std::printf("%5d  %9lu  %-19s %9.2f %9.2f  %-17s %-8s %6ld\n", side, nodes, ask.name, build, secs, verdict.c_str(),
                part.c_str(), u.ru_maxrss / 1024);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    double limit = 600;
    std::string method = "auto";
    std::vector<int> sides;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--limit" && i + 1 < argc) limit = std::atof(argv[++i]);
        else if (a == "--method" && i + 1 < argc) method = argv[++i];
        else sides.push_back(std::atoi(a.c_str()));
    }
    if (sides.empty()) sides.push_back(1000);
    std::printf(" side      nodes  question            build s   solve s  verdict           part     peakMB\n");
    for (int side : sides)
        for (const Ask& ask : kAsks) Row(side, ask, method, limit);
}
