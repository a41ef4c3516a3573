// The edges of a networkx graph read straight from its adjacency, without
// hashing a single node label in the common case.
#pragma once

#include <pybind11/pybind11.h>

#include <utility>
#include <vector>

#include "core/graph.h"

namespace pyhcp {

namespace py = pybind11;

// An adjacency entry whose mirror entry was not found: node `row` lists
// neighbour `key`, whose node number still has to be looked up.
struct UnpairedEntry {
    hcp::NodeId row;
    py::object key;
};

// Reads networkx's _adj, a dict {label: {neighbour label: data}} whose keys
// must be exactly labels, in order (node k is labels[k]). Returns false,
// having found nothing, when the object is laid out otherwise; the caller
// then reads the public .edges instead.
bool EdgesFromNetworkxAdjacency(py::handle adj, py::handle labels, std::vector<hcp::Edge>& edges,
                                std::vector<UnpairedEntry>& unpaired);

}  // namespace pyhcp
