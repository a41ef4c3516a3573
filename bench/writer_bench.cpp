// Figures of the HCP writer on a 1000 x 1000 knight board (a million
// nodes, four million edges): time and the growth of peak memory while the
// board's file is written from the solver graph and straight from the
// generator, and the time to recognise the board from its graph. The
// writer streams, so the growth should stay near its 64 KiB block and the
// stream's buffer, whatever the size of the graph.
//
//   writer_bench [folder]     (the file is written there, then removed;
//                              default: the system's temporary folder)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/leapergraph.h"
#include "core/leaperrecognise.h"
#include "io/atomicfile.h"
#include "io/hcpsave.h"

namespace fs = std::filesystem;

namespace {

// Peak resident memory in KiB (VmHWM), and a reset of it, where Linux
// offers them; -1 elsewhere.
long PeakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

template <class F>
void Row(const char* what, F&& run)
{
    ResetPeak();
    const long before = PeakKiB();
    const auto start = std::chrono::steady_clock::now();
    run();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("  %-34s %9.1f %12ld\n", what, ms, PeakKiB() - before);
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const std::string path = (dir / "writer_bench_leaper_1_2_1000_1000.hcp").string();
    const hcp::LeaperShape shape{1, 2, 1000, 1000};
    const hcp::HcpWriteInfo info{"leaper_1_2_1000_1000.hcp", "Hamiltonian cycle problem"};
    const hcp::Graph board = hcp::LeaperGraph(shape.a, shape.b, shape.m, shape.n);
    std::printf("knight 1000 x 1000: N=%u edges=%zu\n", board.NodeCount(), board.EdgeCount());
    std::printf("  %-34s %9s %12s\n", "operation", "wall ms", "peak +KiB");
    Row("SaveHcp (graph, atomic, fsync)", [&] { hcp::SaveHcp(path, board, info); });
    Row("WriteLeaperHcp (generator, atomic)", [&] {
        hcp::WriteFileAtomically(path, [&](std::ostream& os) { return hcp::WriteLeaperHcp(os, shape, info); });
    });
    Row("WriteHcp to /dev/null", [&] {
        std::ofstream null("/dev/null");
        hcp::WriteHcp(null, board, info);
    });
    Row("RecogniseLeaper (name board.hcp)", [&] {
        if (!hcp::RecogniseLeaper(board, "board.hcp")) std::printf("  not recognised\n");
    });
    std::printf("  file: %ju bytes\n", static_cast<std::uintmax_t>(fs::file_size(path)));
    fs::remove(path);
}
