// The FHCP Challenge Set table: one row per graph with the time, the part
// that decided (with the complete method's stage: exact/blocks, exact/sat),
// the SAT calls, the cuts, the local-search steps and the peak memory, and
// the totals beside the published figures.
//
//   fhcp_bench [--limit S] [--threads T] [--jobs J] [--method NAME]
//              [--published FILE.csv] [--model arcs|edges] [--seed N]
//              [--seeds FIRST-LAST] [--log] [--path | --path-from S]
//              [DIR or FILE.hcp ...]
//
// Each graph is solved in a child process of its own, so its peak memory
// is its own; --jobs children run side by side (--jobs 2 --threads 1 is a
// user's batch on two cores: one thread per graph). Defaults: 60 s, one
// thread, one job, the sample in TOURVANE_SHARED_DIR/bench/fhcpcs. A
// directory's published.csv (graph,cegar_best_s,...) is read when present.
// --path asks each graph for a Hamiltonian path with free ends instead,
// --path-from S for one from node S (1-based); HAMILTONIAN then means a
// path was found.
//
// Near the limit a graph is decided at one seed and not at another, so a
// count from one seed says little. --seeds runs the whole table once per
// seed, FIRST to LAST, and ends with what held at every seed: the count
// per seed, the graphs decided at some seeds only, and how many of the
// published method's graphs were decided at every seed.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "io/graphfile.h"
#include "solve/solver.h"

namespace fs = std::filesystem;

namespace {

struct Row {
    std::string file;
    long number = 0;
    unsigned nodes = 0;
    unsigned long edges = 0;
    std::string verdict = "CRASH", part = "-";
    double wall = 0, cpu = 0;
    unsigned long long satCalls = 0, cuts = 0, steps = 0;
    long peakMb = 0;
    bool Solved() const { return verdict == "HAMILTONIAN" || verdict == "NO_CYCLE"; }
};

long NumberOf(const std::string& path)
{
    const std::string s = fs::path(path).stem().string();
    const auto d = s.find_first_of("0123456789");
    return d == std::string::npos ? 0L : std::atol(s.c_str() + d);
}

struct Setup {
    std::string method = "auto";
    double limit = 60.0;
    int threads = 1;
    hcp::CoverModel model = hcp::CoverModel::Both;
    bool log = false;   // the methods' diagnostics to standard error
    std::uint64_t seed = 1;
    hcp::Question question;
};

// Runs in the child: solves one graph and writes one line to fd.
void SolveInChild(const std::string& file, const Setup& setup, int fd)
{
    std::string line;
    try {
        const hcp::Graph g = hcp::ReadGraph(file);
        hcp::SolveOptions o;
        o.timeLimit = setup.limit;
        o.threads = setup.threads;
        o.seed = setup.seed;
        o.coverModel = setup.model;
        o.question = setup.question;
        if (setup.log) o.log = &std::cerr;
        const hcp::SolveResult r = hcp::Solve(g, setup.method, o);
        std::ostringstream s;
        s << g.NodeCount() << ' ' << g.EdgeCount() << ' ' << hcp::VerdictName(r.verdict) << ' '
          << (r.method.empty() ? "-" : r.method) << (r.stage.empty() ? "" : "/" + r.stage) << ' ' << r.seconds
          << ' ' << r.stats.satCalls << ' ' << r.stats.clausesAdded << ' ' << r.stats.loopSteps << '\n';
        line = s.str();
    } catch (const std::exception&) {
        line = "0 0 ERROR - 0 0 0 0\n";
    }
    [[maybe_unused]] const ssize_t w = write(fd, line.data(), line.size());
}

struct Child {
    pid_t pid = -1;
    int fd = -1;
    std::size_t row = 0;
};

void Finish(const Child& c, Row& row)
{
    std::string text;
    char buf[512];
    for (ssize_t k; (k = read(c.fd, buf, sizeof buf)) > 0;) text.append(buf, std::size_t(k));
    close(c.fd);
    int status = 0;
    rusage u{};
    wait4(c.pid, &status, 0, &u);
    row.cpu = double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + 1e-6 * double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
    row.peakMb = u.ru_maxrss / 1024;
    std::istringstream s(text);
    s >> row.nodes >> row.edges >> row.verdict >> row.part >> row.wall >> row.satCalls >> row.cuts >> row.steps;
    if (!s) row.verdict = WIFSIGNALED(status) ? "CRASH" : "ERROR";
}

// graph -> published seconds of the best configuration (-1: not solved).
std::map<long, double> ReadPublished(const fs::path& csv)
{
    std::map<long, double> out;
    std::ifstream in(csv);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string graph, best;
        if (!std::getline(s, graph, ',') || !std::getline(s, best, ',')) continue;
        out[std::atol(graph.c_str())] = best == "TO" ? -1.0 : std::atof(best.c_str());
    }
    return out;
}

using Published = std::map<long, double>;

bool PublishedSolves(const Published& published, long number, double limit)
{
    const auto p = published.find(number);
    return p != published.end() && p->second >= 0 && p->second <= limit;
}

// One pass over the files at setup.seed, `jobs` children at a time; prints
// the table's rows in file order as they end, and returns them.
std::vector<Row> RunPass(const std::vector<std::string>& files, const Setup& setup, int jobs,
                         const Published& published)
{
    std::vector<Row> rows(files.size());
    std::vector<Child> running;
    std::size_t next = 0, printed = 0;
    std::vector<bool> done(files.size(), false);
    std::printf("method %s, limit %.0f s, seed %llu, %d thread(s) per graph, %d graph(s) at a time\n",
                setup.method.c_str(), setup.limit, static_cast<unsigned long long>(setup.seed), setup.threads, jobs);
    std::printf("%-14s %6s %7s %-12s %-17s %7s %7s %7s %8s %11s %6s %9s\n", "graph", "nodes", "edges", "verdict",
                "part", "wall_s", "cpu_s", "sat", "cuts", "ls_steps", "MB", "published");
    auto print = [&](const Row& r) {
        const auto p = published.find(r.number);
        char pub[32] = "-";
        if (p != published.end()) {
            if (p->second < 0) std::snprintf(pub, sizeof pub, "TO");
            else std::snprintf(pub, sizeof pub, "%.2f", p->second);
        }
        std::printf("%-14s %6u %7lu %-12s %-17s %7.2f %7.2f %7llu %8llu %11llu %6ld %9s\n",
                    fs::path(r.file).filename().c_str(), r.nodes, r.edges, r.verdict.c_str(), r.part.c_str(),
                    r.wall, r.cpu, r.satCalls, r.cuts, r.steps, r.peakMb, pub);
        std::fflush(stdout);
    };
    while (printed < files.size()) {
        while (next < files.size() && static_cast<int>(running.size()) < jobs) {
            rows[next].file = files[next];
            rows[next].number = NumberOf(files[next]);
            int fds[2];
            if (pipe(fds) != 0) {
                std::perror("fhcp_bench: pipe");
                std::exit(1);
            }
            std::fflush(stdout);
            const pid_t pid = fork();
            if (pid < 0) {
                std::perror("fhcp_bench: fork");
                std::exit(1);
            }
            if (pid == 0) {
                close(fds[0]);
                SolveInChild(files[next], setup, fds[1]);
                _exit(0);
            }
            close(fds[1]);
            running.push_back({pid, fds[0], next});
            ++next;
        }
        // Wait for whichever child ends first (without reaping it: Finish
        // reaps it and takes its resource use).
        siginfo_t info{};
        info.si_pid = 0;
        waitid(P_ALL, 0, &info, WEXITED | WNOWAIT);
        auto ended = std::find_if(running.begin(), running.end(), [&](const Child& c) { return c.pid == info.si_pid; });
        if (ended == running.end()) break;
        Finish(*ended, rows[ended->row]);
        done[ended->row] = true;
        running.erase(ended);
        while (printed < files.size() && done[printed]) print(rows[printed++]);
    }
    return rows;
}

// Totals of one pass beside the published best configuration.
void PrintTotals(const std::vector<Row>& rows, double limit, const Published& published)
{
    int solved = 0, pubSolved = 0, both = 0, onlyUs = 0, onlyThem = 0, listed = 0;
    double wall = 0, ourBoth = 0, theirBoth = 0;
    long peak = 0;
    for (const Row& r : rows) {
        solved += r.Solved();
        wall += r.wall;
        peak = std::max(peak, r.peakMb);
        const auto p = published.find(r.number);
        if (p == published.end()) continue;
        ++listed;
        const bool theirs = PublishedSolves(published, r.number, limit);
        pubSolved += theirs;
        if (theirs && r.Solved()) {
            ++both;
            ourBoth += r.wall;
            theirBoth += p->second;
        }
        onlyUs += r.Solved() && !theirs;
        onlyThem += theirs && !r.Solved();
    }
    std::printf("solved %d of %zu in %.0f s each; total wall %.1f s; peak memory %ld MB\n", solved, rows.size(),
                limit, wall, peak);
    if (listed > 0) {
        std::printf("published best configuration: %d of %d within %.0f s\n", pubSolved, listed, limit);
        std::printf("solved by both: %d (ours %.1f s, published %.1f s); only ours %d; only published %d\n", both,
                    ourBoth, theirBoth, onlyUs, onlyThem);
        for (const Row& r : rows)
            if (PublishedSolves(published, r.number, limit) && !r.Solved())
                std::printf("  missed, published solves: %s (%.2f s)\n", fs::path(r.file).filename().c_str(),
                            published.at(r.number));
    }
}

// What held across the passes of several seeds (passes[k] ran at seed
// first + k): each seed's count, the graphs some seeds decided and others
// did not, and the published method's graphs decided at every seed.
void PrintAcrossSeeds(const std::vector<std::vector<Row>>& passes, std::uint64_t first, double limit,
                      const Published& published)
{
    const std::size_t graphs = passes.front().size();
    std::printf("\nacross seeds %llu to %llu:", static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(first + passes.size() - 1));
    for (const auto& rows : passes)
        std::printf(" %ld", static_cast<long>(std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r.Solved(); })));
    std::printf(" of %zu decided\n", graphs);
    std::size_t always = 0, never = 0, theirs = 0, theirsAlways = 0;
    for (std::size_t g = 0; g < graphs; ++g) {
        std::string at;
        std::size_t decided = 0;
        for (std::size_t k = 0; k < passes.size(); ++k)
            if (passes[k][g].Solved()) {
                ++decided;
                at += (at.empty() ? "" : ", ") + std::to_string(first + k);
            }
        const Row& r = passes.front()[g];
        const bool pub = PublishedSolves(published, r.number, limit);
        theirs += pub;
        theirsAlways += pub && decided == passes.size();
        if (decided == passes.size()) {
            ++always;
        } else if (decided == 0) {
            ++never;
        } else {
            std::printf("  %s decided at %zu of %zu seeds (%s)", fs::path(r.file).filename().c_str(), decided,
                        passes.size(), at.c_str());
            if (pub) std::printf(", published %.2f s", published.at(r.number));
            std::printf("\n");
        }
    }
    std::printf("decided at every seed: %zu; at none: %zu\n", always, never);
    if (theirs > 0)
        std::printf("of the published best configuration's graphs within %.0f s: %zu of %zu decided at every seed\n",
                    limit, theirsAlways, theirs);
}

}  // namespace

int main(int argc, char** argv)
{
    Setup setup;
    std::uint64_t lastSeed = 0;
    int jobs = 1;
    std::string publishedFile;
    std::vector<std::string> inputs, files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--limit" && i + 1 < argc) setup.limit = std::atof(argv[++i]);
        else if (a == "--threads" && i + 1 < argc) setup.threads = std::atoi(argv[++i]);
        else if (a == "--log") setup.log = true;
        else if (a == "--seed" && i + 1 < argc) setup.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--seeds" && i + 1 < argc) {
            const std::string range = argv[++i];
            const std::size_t dash = range.find('-');
            const std::string firstText = range.substr(0, dash);
            const std::string lastText = dash == std::string::npos ? firstText : range.substr(dash + 1);
            auto digits = [](const std::string& t) {
                return !t.empty() && t.size() < 19 && t.find_first_not_of("0123456789") == std::string::npos;
            };
            const bool ok = digits(firstText) && digits(lastText);
            setup.seed = ok ? std::stoull(firstText) : 0;
            lastSeed = ok ? std::stoull(lastText) : 0;
            if (!ok || setup.seed == 0 || lastSeed < setup.seed) {
                std::fprintf(stderr, "fhcp_bench: --seeds wants FIRST-LAST, 1 <= FIRST <= LAST, not '%s'\n",
                             range.c_str());
                return 2;
            }
        }
        else if (a == "--path") setup.question = hcp::Question::Path();
        else if (a == "--path-from" && i + 1 < argc)
            setup.question = hcp::Question::PathFrom(static_cast<hcp::NodeId>(std::max(1, std::atoi(argv[++i])) - 1));
        else if (a == "--model" && i + 1 < argc) {
            const std::string m = argv[++i];
            setup.model = m == "arcs" ? hcp::CoverModel::Arcs : m == "edges" ? hcp::CoverModel::Edges : hcp::CoverModel::Both;
        }
        else if (a == "--jobs" && i + 1 < argc) jobs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--method" && i + 1 < argc) setup.method = argv[++i];
        else if (a == "--published" && i + 1 < argc) publishedFile = argv[++i];
        else inputs.push_back(a);
    }
    if (inputs.empty()) inputs.push_back((fs::path(TOURVANE_SHARED_DIR) / "bench" / "fhcpcs").string());
    for (const std::string& in : inputs) {
        std::error_code ec;
        if (fs::is_directory(in, ec)) {
            for (const auto& e : fs::directory_iterator(in, ec))
                if (e.path().extension() == ".hcp") files.push_back(e.path().string());
            if (publishedFile.empty() && fs::exists(fs::path(in) / "published.csv"))
                publishedFile = (fs::path(in) / "published.csv").string();
        } else {
            files.push_back(in);
        }
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return NumberOf(a) != NumberOf(b) ? NumberOf(a) < NumberOf(b) : a < b;
    });
    const Published published = publishedFile.empty() ? Published{} : ReadPublished(publishedFile);

    if (lastSeed < setup.seed) lastSeed = setup.seed;
    const std::uint64_t firstSeed = setup.seed;
    std::vector<std::vector<Row>> passes;
    for (std::uint64_t seed = firstSeed; seed <= lastSeed; ++seed) {
        if (seed != firstSeed) std::printf("\n");
        setup.seed = seed;
        passes.push_back(RunPass(files, setup, jobs, published));
        PrintTotals(passes.back(), setup.limit, published);
    }
    if (passes.size() > 1 && !files.empty()) PrintAcrossSeeds(passes, firstSeed, setup.limit, published);
    return 0;
}
