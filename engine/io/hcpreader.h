// The TSPLIB HCP reader: keyword-based and strict. What a file means is
// decided here once for every front end and for the legacy CBitGraph::Load.
//
// Accepted:
//  - "KEY : value" lines in any order, with or without blanks around the
//    ':' (and without the ':' when nothing could be mistaken), blank lines,
//    tabs and runs of blanks as separators, LF or CR LF line ends, lines of
//    any length, a UTF-8 byte order mark;
//  - NAME, TYPE (HCP, the default, or DHCP), COMMENT (repeatable), DIMENSION
//    (required before any data), EDGE_DATA_FORMAT (EDGE_LIST, the default,
//    or ADJ_LIST); CAPACITY and the weight, coordinate and display types
//    are ignored, NODE_COORD_SECTION and DISPLAY_DATA_SECTION are skipped;
//  - EDGE_DATA_SECTION: EDGE_LIST lines of exactly two node numbers, or
//    ADJ_LIST lines "node neighbour ... -1"; the section ends with a line
//    "-1" or "EOF";
//  - FIXED_EDGES_SECTION before or after the edges: lines of two node
//    numbers ending with "-1"; each fixed edge must be an edge of the graph;
//  - a directed graph: TYPE : DHCP (anywhere in the file). Its edge section
//    then lists arcs: EDGE_LIST "u v" is the arc u -> v, ADJ_LIST
//    "u v1 v2 ... -1" the arcs u -> v1, u -> v2, ...; its fixed edges are
//    fixed arcs, each an arc of the graph. u -> v and v -> u are two arcs.
//    A file without TYPE : DHCP is undirected;
//  - quirks of published files that cannot be misunderstood: the misspelt
//    keywords DIMENTION and EDGE_DATA_SELECTION, and "FIXED_EDGES :" for
//    FIXED_EDGES_SECTION.
// Refused with "file:line: problem": anything else, in particular a file
// that ends inside a section or before the edges, a token that is not a
// whole number where a node is expected, a node outside 1..DIMENSION, a
// line with the wrong number of tokens, a keyword given twice with different
// values, unknown keywords and text after EOF. A refused file yields nothing:
// never a smaller graph.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/graph.h"
#include "export.h"
#include "io/readerror.h"

namespace hcp {

// How a read may be cut short and how much it may take on.
struct ReadOptions {
    // A stop request ends the read with ReadStopped.
    std::stop_token stop;
    // Wall-clock budget in seconds for the read; 0 means none.
    double timeLimit = 0.0;
    // Largest DIMENSION accepted; "dimension N is outside 0..max" beyond.
    std::uint64_t maxDimension = 0xFFFFFFFFu;
    // Longest line held in memory; a longer COMMENT line is skipped, any
    // other longer line refused.
    std::size_t maxLineBytes = std::size_t{256} << 20;
    // GraphSource only: each item also carries the bytes it was read from
    // (SourceItem::text), for filters that pass inputs on unchanged.
    bool keepText = false;
};

// What an HCP file holds, node numbers 0-based.
struct HcpContent {
    std::string name;
    NodeId dimension = 0;
    long long dimensionLine = 0;     // where DIMENSION was given
    std::vector<Edge> edges;         // (u, v) with u < v, repeats possible; arcs (tail, head) when directed
    std::vector<Edge> fixedEdges;    // (u, v) with u < v; arcs when directed
    std::vector<long long> fixedLines;  // file line of each fixed edge
    bool directed = false;           // TYPE : DHCP
    long long typeLine = 0;          // where TYPE was given, 0 when it was not
};

// Reads the file at path (opened once). Throws FileError, FormatError or
// ReadStopped; messages name the file as label (path when empty).
TOURKERN_API HcpContent ReadHcpContent(const std::string& path, const ReadOptions& options = {},
                                       const std::string& label = {});
// The same for text in memory; label names it in messages.
TOURKERN_API HcpContent ParseHcpContent(std::string_view text, const std::string& label,
                                        const ReadOptions& options = {});

// The solver graph of the content (directed for DHCP), with its name and
// fixed edges. Throws FormatError "label:line: fixed edge a b is not an
// edge of the graph" ("fixed arc ... an arc" for DHCP).
TOURKERN_API Graph BuildHcpGraph(HcpContent&& content, const std::string& label);

// ReadHcpContent then BuildHcpGraph.
TOURKERN_API Graph ReadHcpGraph(const std::string& path, const ReadOptions& options = {});
TOURKERN_API Graph ParseHcpGraph(std::string_view text, const std::string& label,
                                 const ReadOptions& options = {});

}  // namespace hcp
