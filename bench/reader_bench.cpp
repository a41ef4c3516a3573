// Speed and memory of the strict HCP reader: each file is read into the
// solver graph type by hcp::ReadGraph (the path every front end takes), in
// a child process of its own so that peak resident memory belongs to that
// one read. Figures: wall seconds, CPU seconds (user + system, which stay
// comparable on a busy machine), peak resident MB, and MB/s of file.
//
//   reader_bench [file.hcp ...]
//
// Without arguments it reads every .hcp file of the shared benchmark set.
// The large case is a 1000 x 1000 knight board (1,000,000 nodes, 3,988,008
// edges, about 55 MB), made once with:  leaper 1 2 1000 1000
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "io/graphfile.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }

double Now()
{
    timeval t{};
    gettimeofday(&t, nullptr);
    return Seconds(t);
}

// Reads path in a child; prints one table row.
void Measure(const std::string& path)
{
    int pipefd[2];
    if (pipe(pipefd) != 0) return;
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        close(pipefd[0]);
        char line[256];
        try {
            const hcp::Graph g = hcp::ReadGraph(path);
            std::snprintf(line, sizeof line, "%u %zu", g.NodeCount(), g.EdgeCount());
        } catch (const std::exception& e) {
            std::snprintf(line, sizeof line, "error: %.200s", e.what());
        }
        const ssize_t ignored = write(pipefd[1], line, std::strlen(line));
        (void)ignored;
        _exit(0);
    }
    close(pipefd[1]);
    char result[256] = {};
    ssize_t got = read(pipefd[0], result, sizeof result - 1);
    if (got < 0) got = 0;
    result[got] = '\0';
    close(pipefd[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double wall = Now() - start;
    const double cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    const double mb = static_cast<double>(fs::file_size(path)) / 1e6;
    std::printf("%-40s %10.1f %8.3f %8.3f %9.1f %8.1f  %s\n", fs::path(path).filename().c_str(), mb, wall, cpu,
                usage.ru_maxrss / 1024.0, cpu > 0 ? mb / cpu : 0.0, result);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        const fs::path root = fs::path(TOURVANE_SHARED_DIR) / "bench";
        if (fs::exists(root))
            for (const auto& entry : fs::recursive_directory_iterator(root))
                if (entry.path().extension() == ".hcp") files.push_back(entry.path().string());
        std::sort(files.begin(), files.end());
    }
    std::printf("%-40s %10s %8s %8s %9s %8s  %s\n", "file", "MB", "wall s", "cpu s", "peak MB", "MB/cpu s",
                "nodes edges");
    for (const std::string& f : files) Measure(f);
    return 0;
}
