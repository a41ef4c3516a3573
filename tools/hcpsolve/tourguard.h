// Where hcpsolve writes its tours, and when it must not: each input gets a
// tour name of its own even when two inputs share a base name, and a tour
// already on disk that is a better order of the same graph is never
// replaced by a worse one.
#pragma once

#include <string>
#include <vector>

#include "core/graph.h"

namespace hcpsolve {

// The tour path to write for wanted: wanted itself the first time this run
// asks for it, DIR/NAME-2.tour, -3 and so on after that, so no two results
// of one run share a tour file. renamed tells whether wanted was taken.
// Safe to call from several threads.
std::string ClaimTourPath(const std::string& wanted, bool& renamed);

// DIR/NAME.tour for each input in order, claimed as above; renamed[k] tells
// which input got another name.
std::vector<std::string> TourPaths(const std::string& dir, const std::vector<std::string>& inputs,
                                   std::vector<bool>& renamed);

// The gaps of the tour at path as an order of graph, or -1 when there is no
// such file or it is not an order of the graph's nodes.
int ExistingTourGaps(const std::string& path, const hcp::Graph& graph);

}  // namespace hcpsolve
