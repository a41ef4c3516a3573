// leaper: writes the graph of an (a, b)-leaper on an m x n board to the file
// leaper_a_b_m_n.hcp in the current directory, through the engine's
// generator and atomic save: the file is written as it is generated, and
// it appears whole or not at all.
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "core/leapergraph.h"
#include "io/atomicfile.h"
#include "leaperargs.h"

namespace {

void PrintUsage(std::ostream& out)
{
    out << "USAGE: LEAPER <a> <b> <m> <n> \n"
        << "Where:\n"
        << "\t<a>, <b> - knight move dimensions\n"
        << "\t<m>, <n> - chess board dimensions\n";
}

void PrintHelp()
{
    PrintUsage(std::cout);
    std::cout << "Writes leaper_<a>_<b>_<m>_<n>.hcp in the current folder. Boards of up to "
              << leaper::kMaxSquares << " squares are written;\n"
              << "the desktop program Tourvane32 and the legacy methods hold at most "
              << leaper::kLegacyMaxSquares << " squares (use hcpsolve for larger ones).\n";
}

extern "C" void OnSignal(int sig)
{
    hcp::RemovePendingTemporaries();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintHelp();
        return std::cout.flush() ? 0 : 2;
    }
    if (argc != 5) {
        std::cerr << "leaper: error: expected 4 arguments, got " << argc - 1 << '\n';
        PrintUsage(std::cerr);
        return 2;
    }
    leaper::LeaperArgs args;
    std::string error;
    if (!leaper::ParseLeaperArgs(argv + 1, args, error)) {
        std::cerr << "leaper: error: " << error << '\n';
        return 2;
    }
    const std::string name = leaper::LeaperFileName(args);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, OnSignal);
    // Past a file size limit, write fails with EFBIG and is reported.
    std::signal(SIGXFSZ, SIG_IGN);
    hcp::HcpWriteInfo info;
    info.name = name;
    const auto fill = [&](std::ostream& os) { return hcp::WriteLeaperHcp(os, args, info); };
    switch (hcp::WriteFileAtomically(name, fill, &error)) {
    case hcp::AtomicWrite::Ok:
        return 0;
    case hcp::AtomicWrite::CannotCreate:
    case hcp::AtomicWrite::NotRegularFile:
        std::cerr << "Cannot open file " << name << ": " << error << '\n';
        return 1;
    case hcp::AtomicWrite::CannotWrite:
        std::cerr << "leaper: error: cannot write " << name << ": " << error << '\n';
        return 1;
    }
    return 1;
}
