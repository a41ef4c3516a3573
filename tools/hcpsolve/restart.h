// One restart of the search on one graph: a fresh CCycle copied from the
// graph as read, the seed clock of the calling thread fixed to the restart's
// seed, one driver run, and the order it leaves checked on the graph.
#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

#include "options.h"

class CBitGraph;

namespace hcpsolve {

struct RestartOutcome {
    bool valid = false;            // the order left is a permutation of 1..N
    int gaps = -1;                 // H of that order in the graph as read
    bool hamiltonian = false;      // the order is a Hamiltonian cycle of that graph
    std::uint64_t calls = 0;       // Optimize calls made
    bool stopped = false;          // a stop request cut the search short
    std::vector<int> order;        // the order left by the search
    std::string problem;           // why the order is not valid
};

struct RestartSettings {
    Method method = Method::Exist;
    std::uint32_t seed = 0;        // seed clock reading for this restart
    int calls = 5;                 // Optimize calls (method optimize)
};

// Runs one restart. Honours stop inside the search, not only between calls.
RestartOutcome RunRestart(const CBitGraph& graph, const RestartSettings& settings,
                          std::stop_token stop);

}  // namespace hcpsolve
