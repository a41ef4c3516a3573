// Where hcpsolve writes its tours, and when it must not: each input gets a
// tour name of its own even when two inputs share a base name, and a tour
// already on disk that is a better order of the same graph is never
// replaced by a worse one.
#pragma once

#include <string>
#include <vector>

#include "core/graph.h"
#include "resultformat.h"

namespace hcpsolve {

// The tour path to write for wanted: wanted itself the first time this run
// asks for it, DIR/NAME-2.tour, -3 and so on after that, so no two results
// of one run share a tour file. renamed tells whether wanted was taken.
// Safe to call from several threads.
std::string ClaimTourPath(const std::string& wanted, bool& renamed);

enum class TourWrite { Written, KeptBetter, Failed };

// Writes r.order (with r.gaps in the comment, NAME the input's file name) as
// the tour at path, unless the tour already there is a better order of
// graph (null: no check): then it stays, and a warning says so. A failed
// write is printed as an error.
TourWrite WriteTourKeepingBetter(const std::string& path, const hcp::Graph* graph, const FileResult& r);

}  // namespace hcpsolve
