// leaper: writes the graph of an (a, b)-leaper on an m x n board to the file
// leaper_a_b_m_n.hcp in the current directory.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "cycle/cycle.h"
#include "leaperargs.h"
#include "leapergraph.h"

namespace {

void PrintUsage()
{
    std::cout << "USAGE: LEAPER <a> <b> <m> <n> \n"
              << "Where:\n"
              << "\t<a>, <b> - knight move dimensions\n"
              << "\t<m>, <n> - chess board dimensions\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        PrintUsage();
        return 0;
    }
    leaper::LeaperArgs args;
    std::string error;
    if (!leaper::ParseLeaperArgs(argv + 1, args, error)) {
        std::cerr << "leaper: error: " << error << '\n';
        return 2;
    }
    const std::string name = leaper::LeaperFileName(args);

    CCycle graph(static_cast<short>(args.m * args.n));
    graph = true;
    leaper::AddLeaperMoves(graph, args);

    std::ofstream file(name);
    if (!file) {
        std::cerr << "Cannot open file " << name << '\n';
        return 1;
    }
    file << "NAME: " << name << '\n';
    graph.PrintOn(file);
    file.close();
    // A full disk shows only now; do not leave a cut-off graph behind.
    if (!file) {
        std::remove(name.c_str());
        std::cerr << "leaper: error: cannot write " << name << '\n';
        return 1;
    }
    return 0;
}
