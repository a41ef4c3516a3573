// The bounds every graph reader holds to, so that what a read costs follows
// from what the file holds, never from what its header claims: a 21-byte
// DIMACS file must not be able to ask for gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "export.h"

namespace hcp {

// Nodes that no edge touches are the one part of a graph a file can ask for
// without paying in bytes: a header names the count, and each such node
// still costs the graph some 24 bytes. A graph may hold this many of them
// beyond the two ends of every edge its data lists.
inline constexpr std::uint64_t kMaxUntouchedNodes = std::uint64_t{1} << 20;

// The longest line of a graph6, sparse6 or DIMACS source: a sparse6 line of
// some twenty million edges, a dense graph6 graph of 27,000 nodes. The
// buffer of a line is this plus one read block, so an endless line (a
// device, a file without line ends) stops well under 100 MB.
inline constexpr std::size_t kMaxStreamLineBytes = std::size_t{64} << 20;

// Empty when a graph of `nodes` nodes whose data lists `edges` edges may be
// built; otherwise the problem, as the message after "file:line: ".
TOURKERN_API std::string UntouchedNodesProblem(std::uint64_t nodes, std::uint64_t edges);

// The computer's physical memory in bytes; the largest value when the
// system does not say.
TOURKERN_API std::uint64_t PhysicalMemoryBytes();

// Building a graph takes some 24 bytes a node before any edge.
inline constexpr std::uint64_t kGraphBytesPerNode = 24;

}  // namespace hcp
