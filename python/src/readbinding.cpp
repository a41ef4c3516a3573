// Reading graph files from Python: Graph.read for a file holding one graph
// (TSPLIB HCP, DIMACS, or a one-line graph6/sparse6 file) and read_graphs
// for files of many, such as the output of nauty's geng.
#include "bindings.h"

#include <memory>
#include <string>

#include "core/graph.h"
#include "io/graphfile.h"
#include "io/graphsource.h"
#include "patharg.h"

namespace pyhcp {

namespace {

// The next graph of the source, or false at its end; a bad entry raises
// ValueError with the reader's "file:line: problem".
bool NextGraph(hcp::GraphSource& source, hcp::Graph& graph)
{
    hcp::SourceItem item;
    bool more = false;
    {
        py::gil_scoped_release release;
        more = source.Next(item);
    }
    if (!more) return false;
    if (!item.error.empty()) throw py::value_error(item.error);
    graph = std::move(item.graph);
    return true;
}

// Opening may already read (the first line tells the format when the name
// does not), and a FIFO may keep it waiting: other threads run meanwhile.
std::unique_ptr<hcp::GraphSource> Open(const std::string& path)
{
    py::gil_scoped_release release;
    return std::make_unique<hcp::GraphSource>(path);
}

hcp::Graph ReadOne(py::handle path)
{
    const std::string p = PathArgument(path);
    std::unique_ptr<hcp::GraphSource> opened = Open(p);
    hcp::GraphSource& source = *opened;
    hcp::Graph g;
    if (!NextGraph(source, g)) throw py::value_error(p + ": holds no graph");
    hcp::Graph second;
    if (source.Stream() && NextGraph(source, second))
        throw py::value_error(p + ": holds more than one graph; read them with tourvane.read_graphs");
    return g;
}

// Iterates over the graphs of one file, reading each when it is asked for.
class GraphReader {
public:
    explicit GraphReader(py::handle path)
        : m_source(Open(PathArgument(path))) {}

    hcp::Graph Next()
    {
        hcp::Graph g;
        if (!m_source || !NextGraph(*m_source, g)) {
            m_source.reset();   // closes the file as soon as it is done
            throw py::stop_iteration();
        }
        return g;
    }

private:
    std::unique_ptr<hcp::GraphSource> m_source;
};

}  // namespace

void BindRead(py::module_& m)
{
    py::class_<hcp::Graph> graph = m.attr("Graph");
    graph.def_static("read", &ReadOne, py::arg("path"),
                     "Reads the graph in a file: TSPLIB HCP, DIMACS, graph6 or sparse6, told "
                     "apart by the extension (.hcp, .col/.dimacs, .g6, .s6) or else by the "
                     "first line. Node k of the file (counted from 1) is node k-1.\n\n"
                     "Raises OSError when the file cannot be read and ValueError when it is not "
                     "a valid graph or holds several; the message names the file (and the "
                     "line).");

    py::class_<GraphReader>(m, "GraphReader", "The graphs of one file, read one at a time.")
        .def("__iter__", [](py::object self) { return self; })
        .def("__next__", &GraphReader::Next);
    m.def(
        "read_graphs", [](py::handle path) { return GraphReader(path); }, py::arg("path"),
        "An iterator over the graphs of a file: every line of a graph6/sparse6 file, or the "
        "one graph of an HCP or DIMACS file. A bad entry raises ValueError naming its line.");
}

}  // namespace pyhcp
