// Reading a graph file for hcpsolve: the engine's reader, with its message
// turned into one "file: problem" line, and the degree test that proves a
// graph has no Hamiltonian cycle.
#pragma once

#include <memory>
#include <string>

class CBitGraph;

namespace hcpsolve {

// Loads path into a new graph. On failure returns null and sets error to one
// line naming the file and the problem. Safe to call from several threads.
std::unique_ptr<CBitGraph> LoadGraphFile(const std::string& path, std::string& error);

// True when a node has degree below 2, either in the graph as read or after
// repeatedly removing edges that no Hamiltonian cycle can use; also for
// graphs of fewer than 3 nodes, which have no cycle at all. The graph itself
// is left untouched.
bool DegreeRulesOutCycle(const CBitGraph& graph);

}  // namespace hcpsolve
