#include "io/hcpreader.h"

#include <new>

#include "io/hcpparser.h"
#include "io/messagetext.h"

namespace hcp {

namespace {

[[noreturn]] void OutOfMemory(const std::string& label, const HcpContent& content)
{
    throw ReadOutOfMemory(EscapeControls(label) + ": not enough memory for a graph of "
                    + std::to_string(content.dimension) + " nodes and "
                    + std::to_string(content.edges.size()) + " edge lines");
}

}  // namespace

HcpContent ReadHcpContent(const std::string& path, const ReadOptions& options, const std::string& label)
{
    const std::string& name = label.empty() ? path : label;
    FileSource file(path, EscapeControls(name), options.stop, options.timeLimit);
    try {
        return ParseHcp(file, name, options);
    } catch (const std::bad_alloc&) {
        throw ReadOutOfMemory(EscapeControls(name) + ": not enough memory to read the file");
    }
}

HcpContent ParseHcpContent(std::string_view text, const std::string& label, const ReadOptions& options)
{
    MemorySource memory(text);
    try {
        return ParseHcp(memory, label, options);
    } catch (const std::bad_alloc&) {
        throw ReadOutOfMemory(EscapeControls(label) + ": not enough memory to read the text");
    }
}

Graph BuildHcpGraph(HcpContent&& content, const std::string& label)
{
    Graph graph;
    try {
        graph = content.directed ? Graph::FromArcs(content.dimension, content.edges)
                                 : Graph::FromEdges(content.dimension, content.edges);
    } catch (const std::bad_alloc&) {
        OutOfMemory(label, content);
    }
    std::vector<Edge>().swap(content.edges);
    for (std::size_t k = 0; k < content.fixedEdges.size(); ++k)
        if (!graph.HasEdge(content.fixedEdges[k].first, content.fixedEdges[k].second))
            throw FormatError(
                FixedEdgeNotInGraph(label, content.fixedLines[k], content.fixedEdges[k], content.directed));
    graph.SetFixedEdges(std::move(content.fixedEdges));
    graph.SetName(std::move(content.name));
    return graph;
}

Graph ReadHcpGraph(const std::string& path, const ReadOptions& options)
{
    return BuildHcpGraph(ReadHcpContent(path, options), path);
}

Graph ParseHcpGraph(std::string_view text, const std::string& label, const ReadOptions& options)
{
    return BuildHcpGraph(ParseHcpContent(text, label, options), label);
}

}  // namespace hcp
