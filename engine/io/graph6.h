// nauty's one-line graph formats: graph6 (dense, an adjacency bit per node
// pair) and sparse6 (an edge list packed in 6-bit groups), as written by
// geng, genreg, showg and the House of Graphs, and digraph6 (a directed
// graph's whole adjacency matrix, '&' first), as written by directg and
// genspecialg -z. One line holds one graph.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/graph.h"
#include "export.h"

namespace hcp {

// What is wrong with one line, without file or line number: the reader that
// knows where the line came from adds them.
class TOURKERN_API LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The most nodes a nauty line may declare. The formats reach 2^36; beyond
// this the node index would not fit. A sparse6 line is further held to at
// most 2^20 nodes beyond the ends of the edges it lists (io/readlimits.h),
// so that a 10-byte line cannot ask for a gigabyte of empty rows.
inline constexpr std::uint64_t kMaxNauty6Nodes = std::uint64_t{1} << 25;

// Decodes one graph6 line (no line end; a leading ">>graph6<<" is allowed).
// Throws LineError saying what is wrong; never returns a partial graph.
TOURKERN_API Graph DecodeGraph6(std::string_view line);

// Decodes one digraph6 line ('&', the node count, then bit i*n + j for
// the arc i -> j; a leading ">>digraph6<<" is allowed) into a directed
// graph. Loops are dropped. Throws LineError like DecodeGraph6.
TOURKERN_API Graph DecodeDigraph6(std::string_view line);

// Decodes sparse6 lines one after another. A line starting with ':' is a
// whole graph; one starting with ';' (incremental sparse6, no node count
// of its own) toggles the edges it lists in the previous graph, so the
// decoder keeps that graph.
class TOURKERN_API Sparse6Decoder {
public:
    // A leading ">>sparse6<<" is allowed. Throws LineError; after an error
    // the previous graph is forgotten, so a following ';' line fails too
    // instead of toggling edges in the wrong graph.
    Graph Decode(std::string_view line);

private:
    std::uint64_t m_nodes = 0;
    std::vector<Edge> m_edges;   // the previous graph, u < v, ascending
    bool m_havePrevious = false;
};

// One sparse6 line on its own (a ';' line has no previous graph here).
TOURKERN_API Graph DecodeSparse6(std::string_view line);

// Strips the ">>graph6<<" / ">>sparse6<<" / ">>digraph6<<" header nauty may put in front of
// the first graph; true when one was there.
TOURKERN_API bool StripNautyHeader(std::string_view& line, std::string_view header);

}  // namespace hcp
