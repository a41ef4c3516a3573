// One reader for every input the front ends take: a TSPLIB HCP file, a
// DIMACS file, or a stream of graph6/sparse6/digraph6 lines, named by path or "-"
// for standard input. The format comes from the file's extension, or from
// its first line when the extension says nothing (always for "-"). Graphs
// come out one at a time, so a stream of millions never sits in memory.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/graph.h"
#include "export.h"
#include "io/hcpreader.h"

namespace hcp {

enum class GraphFormat { Hcp, Graph6, Sparse6, Dimacs, Digraph6 };

// "hcp", "graph6", "sparse6", "dimacs", "digraph6".
TOURKERN_API const char* FormatName(GraphFormat f);
// .hcp, .g6/.graph6, .s6/.sparse6, .col/.dimacs, .d6/.digraph6 (any
// case); nullopt for anything else.
TOURKERN_API std::optional<GraphFormat> FormatFromExtension(std::string_view path);
// The format a first non-blank line belongs to. graph6 bytes are 63..126,
// sparse6 starts with ':' or ';' and digraph6 with '&', so a DIMACS "c ..."/"p ..." line or an HCP "NAME : x" line never passes
// for one; what fits nothing else is taken as HCP, whose reader then says
// what is wrong.
TOURKERN_API GraphFormat FormatFromContent(std::string_view firstLine);

// One graph of a source, or why that one could not be read.
struct SourceItem {
    std::size_t index = 0;   // 1-based among the source's graphs
    std::size_t line = 0;    // the line it came from; 0 for a whole-file format
    Graph graph;             // empty when error is set
    std::string error;       // "file:line: problem"; the source goes on after it
    bool outOfMemory = false;   // the error is that the graph did not fit in memory
    // With ReadOptions::keepText, the bytes it was read from exactly as read,
    // for good and bad entries alike: a stream's line with its line end
    // ("\n" or "\r\n"; none for a last line without one), or a whole
    // file's bytes. Empty otherwise, and for a stream line too long to hold.
    std::string text;
};

class TOURKERN_API GraphSource {
public:
    // Throws FileError when the file cannot be opened. The file is opened
    // once, so FIFOs and pipes work, and opening never waits for a writer.
    // read bounds every wait and read: a stop request ends it with
    // ReadStopped, and so does read.timeLimit, counted for a whole-file
    // format from the start and for a stream from each call of Next (the
    // wait for one graph). Lines of the nauty formats and DIMACS are held to
    // at most 64 MB (read.maxLineBytes when smaller).
    explicit GraphSource(const std::string& path, const ReadOptions& read = {});
    ~GraphSource();
    GraphSource(const GraphSource&) = delete;
    GraphSource& operator=(const GraphSource&) = delete;

    GraphFormat Format() const { return m_format; }
    // True for graph6/sparse6/digraph6: the source may hold many graphs,
    // and each result is named FILE:INDEX. Each line says its own format by
    // its first byte ('&' digraph6, ':' or ';' sparse6, else graph6), so
    // nauty output of mixed formats reads whatever the source's name says.
    bool Stream() const {
        return m_format == GraphFormat::Graph6 || m_format == GraphFormat::Sparse6
               || m_format == GraphFormat::Digraph6;
    }
    const std::string& Path() const { return m_path; }

    // The next graph or bad entry; false when the source is done. A read
    // failure part way, a stop or the time limit throws FileError
    // (ReadStopped for the latter two). A line of a stream too long to hold
    // is a bad entry that ends the source; a graph of a stream that does
    // not fit in memory is a bad entry, and the source goes on.
    bool Next(SourceItem& item);

private:
    // Finds the format by extension or by the first non-blank line.
    void Sniff();

    struct Impl;
    std::string m_path;
    GraphFormat m_format = GraphFormat::Hcp;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace hcp
