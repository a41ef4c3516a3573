// Reading graph files from Python: Graph.read for a file holding one graph
// (TSPLIB HCP, DIMACS, or a one-line graph6/sparse6/digraph6 file) and
// read_graphs for files of many, such as the output of nauty's geng or
// directg.
#include "bindings.h"

#include <memory>
#include <stop_token>
#include <string>

#include "core/graph.h"
#include "interruptible.h"
#include "io/graphfile.h"
#include "io/graphsource.h"
#include "patharg.h"

namespace pyhcp {

namespace {

// Opening may already read (the first line tells the format when the name
// does not), and a FIFO or a pipe may keep it waiting: the wait runs off
// the interpreter's thread, so other threads run and Ctrl-C ends it.
std::unique_ptr<hcp::GraphSource> Open(const std::string& path, std::stop_source& stop)
{
    std::unique_ptr<hcp::GraphSource> source;
    hcp::ReadOptions options;
    options.stop = stop.get_token();
    RunInterruptibly(stop, [&] { source = std::make_unique<hcp::GraphSource>(path, options); });
    return source;
}

// The next graph of the source, or false at its end; a bad entry raises
// ValueError with the reader's "file:line: problem" (MemoryError when the
// graph did not fit).
bool NextGraph(hcp::GraphSource& source, std::stop_source& stop, hcp::Graph& graph)
{
    hcp::SourceItem item;
    bool more = false;
    RunInterruptibly(stop, [&] { more = source.Next(item); });
    if (!more) return false;
    if (item.outOfMemory) {
        PyErr_SetString(PyExc_MemoryError, item.error.c_str());
        throw py::error_already_set();
    }
    if (!item.error.empty()) throw py::value_error(item.error);
    graph = std::move(item.graph);
    return true;
}

hcp::Graph ReadOne(py::handle path)
{
    const std::string p = PathArgument(path);
    std::stop_source stop;
    std::unique_ptr<hcp::GraphSource> opened = Open(p, stop);
    hcp::GraphSource& source = *opened;
    hcp::Graph g;
    if (!NextGraph(source, stop, g)) throw py::value_error(p + ": holds no graph");
    hcp::Graph second;
    if (source.Stream() && NextGraph(source, stop, second))
        throw py::value_error(p + ": holds more than one graph; read them with tourvane.read_graphs");
    return g;
}

// Iterates over the graphs of one file, reading each when it is asked for.
// A Ctrl-C while it waits ends the reading of the file for good.
class GraphReader {
public:
    explicit GraphReader(py::handle path) : m_source(Open(PathArgument(path), m_stop)) {}

    hcp::Graph Next()
    {
        hcp::Graph g;
        if (!m_source || !NextGraph(*m_source, m_stop, g)) {
            m_source.reset();   // closes the file as soon as it is done
            throw py::stop_iteration();
        }
        return g;
    }

private:
    std::stop_source m_stop;
    std::unique_ptr<hcp::GraphSource> m_source;
};

}  // namespace

void BindRead(py::module_& m)
{
    py::class_<hcp::Graph> graph = m.attr("Graph");
    graph.def_static("read", &ReadOne, py::arg("path"),
                     "Reads the graph in a file: TSPLIB HCP, DIMACS, graph6, sparse6 or "
                     "digraph6, told apart by the extension (.hcp, .col/.dimacs, .g6, .s6, .d6) "
                     "or else by the first line. Node k of the file (counted from 1) is node "
                     "k-1. digraph6, an HCP file that says TYPE : DHCP and a DIMACS file of "
                     "'a u v' arc lines give a directed graph (Graph.directed).\n\n"
                     "Raises OSError when the file cannot be read, ValueError when it is not "
                     "a valid graph or holds several, and MemoryError when the graph does not "
                     "fit in memory; the message names the file (and the line). A read that "
                     "waits (a FIFO, a pipe) ends on Ctrl-C with KeyboardInterrupt.");

    py::class_<GraphReader>(m, "GraphReader", "The graphs of one file, read one at a time.")
        .def("__iter__", [](py::object self) { return self; })
        .def("__next__", &GraphReader::Next);
    m.def(
        "read_graphs", [](py::handle path) { return GraphReader(path); }, py::arg("path"),
        "An iterator over the graphs of a file: every line of a graph6/sparse6/digraph6 "
        "file, or the one graph of an HCP or DIMACS file. A bad entry raises ValueError "
        "naming its line.");
}

}  // namespace pyhcp
