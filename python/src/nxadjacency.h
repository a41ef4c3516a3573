// The edges of a networkx graph (the arcs of a digraph) read straight from
// its adjacency, without hashing a single node label in the common case.
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

// The same for a networkx digraph: succ is its _succ (_adj), {tail: {head:
// data}}, and pred its _pred, {head: {tail: data}}, both keyed exactly by
// labels in order. Each arc comes out as (tail, head); an arc whose
// predecessor entry was not found is left in unpaired (row = tail, key =
// head).
bool ArcsFromNetworkxAdjacency(py::handle succ, py::handle pred, py::handle labels,
                               std::vector<hcp::Edge>& arcs, std::vector<UnpairedEntry>& unpaired);

}  // namespace pyhcp
