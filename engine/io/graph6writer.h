// Writing graphs as nauty's one-line formats, so that what the engine makes
// or selects goes on to nauty's tools (countg, showg, pickg): graph6 and
// sparse6 for undirected graphs, digraph6 for directed ones. Each function
// returns one line without its line end, byte for byte what nauty writes
// for the same labelled graph.
#pragma once

#include <string>

#include "core/graph.h"
#include "export.h"

namespace hcp {

// graph6: the upper triangle of the adjacency matrix. Throws
// std::invalid_argument for a directed graph (graph6 has no arcs).
TOURKERN_API std::string EncodeGraph6(const Graph& g);

// sparse6 (':' first): the edge list. Throws std::invalid_argument for a
// directed graph.
TOURKERN_API std::string EncodeSparse6(const Graph& g);

// digraph6 ('&' first): the whole adjacency matrix row by row. An
// undirected graph is written with both arcs of every edge.
TOURKERN_API std::string EncodeDigraph6(const Graph& g);

}  // namespace hcp
