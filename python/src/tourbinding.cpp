// TSPLIB TOUR files from Python: write_tour and read_tour, in the node
// numbers of a tourvane.Graph (0..n-1; the file counts from 1).
#include "bindings.h"

#include <limits>
#include <string>
#include <vector>

#include "core/graph.h"
#include "io/tourfile.h"
#include "patharg.h"

namespace pyhcp {

namespace {

constexpr unsigned long long kMaxNode = std::numeric_limits<hcp::NodeId>::max() - 2;

// A tour written to a file must be a permutation of 0..n-1: anything else
// would be a file that names nodes its DIMENSION does not hold, or one
// node twice, and no reader could make sense of it.
std::vector<hcp::NodeId> TourArgument(py::handle tour)
{
    std::vector<hcp::NodeId> order;
    for (py::handle v : tour) order.push_back(static_cast<hcp::NodeId>(IndexArgument(v, kMaxNode, "a node")));
    std::vector<bool> seen(order.size(), false);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const hcp::NodeId v = order[k];
        if (v >= order.size())
            throw py::value_error("tour item " + std::to_string(k) + " is node " + std::to_string(v)
                                  + ", outside 0.." + std::to_string(order.size() - 1)
                                  + ": a tour of " + std::to_string(order.size())
                                  + " nodes visits each of 0..n-1 once");
        if (seen[v])
            throw py::value_error("tour item " + std::to_string(k) + " visits node "
                                  + std::to_string(v) + " a second time");
        seen[v] = true;
    }
    return order;
}

void WriteTour(py::handle path, py::handle tour, const std::string& name, const std::string& comment)
{
    const std::string p = PathArgument(path);
    const std::vector<hcp::NodeId> order = TourArgument(tour);
    py::gil_scoped_release release;
    hcp::WriteTour(p, order, hcp::TourInfo{name, comment});
}

py::list ReadTour(py::handle path, py::handle graph)
{
    const std::string p = PathArgument(path);
    hcp::NodeId limit = 0;
    if (!graph.is_none()) {
        limit = graph.cast<const hcp::Graph&>().NodeCount();
        if (limit == 0) throw py::value_error("a tour cannot belong to a graph with no nodes");
    }
    hcp::Tour t;
    {
        py::gil_scoped_release release;
        t = hcp::ReadTour(p, limit);
    }
    py::list out(t.order.size());
    for (std::size_t k = 0; k < t.order.size(); ++k) out[k] = py::int_(t.order[k]);
    return out;
}

}  // namespace

void BindTour(py::module_& m)
{
    m.def("write_tour", &WriteTour, py::arg("path"), py::arg("tour"), py::arg("name") = "",
          py::arg("comment") = "",
          "Writes a TSPLIB TOUR file: tour is a list of node numbers 0..n-1, each once (as "
          "in a solve of a tourvane.Graph), written from 1. The file is written under a "
          "temporary name and renamed, so a failure (OSError) leaves an existing file as it "
          "was. Only a regular file is replaced: a directory, device or FIFO at path is an "
          "OSError, and a symbolic link is written through to its target (a regular file) "
          "and stays a link. ValueError when tour is not such a list.");
    m.def("read_tour", &ReadTour, py::arg("path"), py::arg("graph") = py::none(),
          "Reads a TSPLIB TOUR file (also other programs' .tour and .tou files) and returns "
          "its node numbers counted from 0. With graph, node numbers beyond it are refused as "
          "soon as they are read. OSError when the file cannot be read, ValueError naming "
          "the line when it is not a tour.");
}

}  // namespace pyhcp
