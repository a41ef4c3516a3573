// Cycle texts: the title line drawn above the graph (a cycle's or a
// path's), and the typed cycle
// "{ 3 1 2 }" of "Rearrange cycle" read into a list of node numbers.
#pragma once

#include <list>
#include <span>
#include <string>
#include <vector>

#include "core/graph.h"

namespace app {

// The title of an order (0-based) on g: "(H=1): {1 2=3 1}", the cycle
// string of the legacy classes with each link that is no edge marked '=',
// and h, the order's gaps, in front. A title that would be longer than
// maxLength ends there with "..." (no screen shows more of it).
std::string CycleTitle(const hcp::Graph& g, std::span<const hcp::NodeId> order, int h,
                       std::size_t maxLength = std::string::npos);
// The title of an order read as a path (no link back to its first node):
// "Path (H=1): 1 2=3 4", cut short as CycleTitle is.
std::string PathTitle(const hcp::Graph& g, std::span<const hcp::NodeId> order, int h,
                      std::size_t maxLength = std::string::npos);
// The title of a graph too small for a cycle: its dimension only.
std::string DimensionTitle(int n);

// Reads the numbers between the first "{" and the first "}" of text into
// list, which is emptied first. Values <= 0 are skipped; reading stops at the
// first token that is not a 16-bit integer. Returns the count appended, or
// -1 (list untouched) when a brace is missing or "{" follows "}".
int ParseCycleText(const std::string& text, std::list<short>& list);

// What is wrong with a typed cycle for a graph of n nodes, in one line
// ("node 12 appears twice"), or empty when the text names every node
// 1..n exactly once between "{" and "}".
std::string CycleTextProblem(const std::string& text, int n);

// The cycle text of an order (0-based), "{ 3 1 2 }", as Rearrange cycle
// reads it.
std::string CycleText(const std::vector<hcp::NodeId>& order);

}  // namespace app
