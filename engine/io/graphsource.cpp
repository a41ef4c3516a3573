#include "io/graphsource.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "io/dimacs.h"
#include "io/graph6.h"
#include "io/graphfile.h"
#include "io/hcpparser.h"
#include "io/hcpreader.h"
#include "io/messagetext.h"
#include "io/linereader.h"
#include "io/readlimits.h"

namespace hcp {

namespace {

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool Blank(std::string_view s) { return TrimRight(s).empty(); }

bool EndsWith(std::string_view s, std::string_view tail)
{
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

}  // namespace

const char* FormatName(GraphFormat f)
{
    switch (f) {
    case GraphFormat::Hcp: return "hcp";
    case GraphFormat::Graph6: return "graph6";
    case GraphFormat::Sparse6: return "sparse6";
    case GraphFormat::Dimacs: return "dimacs";
    case GraphFormat::Digraph6: return "digraph6";
    }
    return "?";
}

std::optional<GraphFormat> FormatFromExtension(std::string_view path)
{
    if (EndsWith(path, ".hcp")) return GraphFormat::Hcp;
    if (EndsWith(path, ".g6") || EndsWith(path, ".graph6")) return GraphFormat::Graph6;
    if (EndsWith(path, ".s6") || EndsWith(path, ".sparse6")) return GraphFormat::Sparse6;
    if (EndsWith(path, ".col") || EndsWith(path, ".dimacs")) return GraphFormat::Dimacs;
    if (EndsWith(path, ".d6") || EndsWith(path, ".digraph6")) return GraphFormat::Digraph6;
    return std::nullopt;
}

GraphFormat FormatFromContent(std::string_view line)
{
    line = TrimRight(line);
    if (line.substr(0, 11) == ">>sparse6<<" || (!line.empty() && (line[0] == ':' || line[0] == ';')))
        return GraphFormat::Sparse6;
    if (line.substr(0, 10) == ">>graph6<<") return GraphFormat::Graph6;
    if (line.substr(0, 12) == ">>digraph6<<" || (!line.empty() && line[0] == '&')) return GraphFormat::Digraph6;
    if (!line.empty() && (line[0] == 'c' || line[0] == 'p')
        && (line.size() == 1 || line[1] == ' ' || line[1] == '\t'))
        return GraphFormat::Dimacs;
    bool nauty = !line.empty();
    for (char c : line) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 63 || u > 126) nauty = false;
    }
    return nauty ? GraphFormat::Graph6 : GraphFormat::Hcp;
}

namespace {

// The bytes of a source not yet taken as lines, for a whole-file format
// whose reader wants bytes rather than lines.
class RestOfSource final : public ByteSource {
public:
    explicit RestOfSource(LineReader& lines) : m_lines(lines) {}
    std::size_t Read(char* buffer, std::size_t size) override { return m_lines.ReadRest(buffer, size); }

private:
    LineReader& m_lines;
};

// The line formats (graph6, sparse6, DIMACS, and the first line that tells
// the format) hold their lines to the stream bound.
ReadOptions LineOptions(ReadOptions options)
{
    options.maxLineBytes = std::min(options.maxLineBytes, kMaxStreamLineBytes);
    return options;
}

}  // namespace

struct GraphSource::Impl {
    Impl(const std::string& path, const ReadOptions& options) : lines(path, LineOptions(options)), read(options) {}
    LineReader lines;
    ReadOptions read;
    Sparse6Decoder sparse6;
    std::size_t index = 0;
    bool done = false;
    std::string firstError;   // why the first line could not be read
    std::string wholeText;    // a whole-file format's bytes, with keepText
};

GraphSource::GraphSource(const std::string& path, const ReadOptions& read)
    : m_path(path), m_impl(std::make_unique<Impl>(path, read))
{
    // A whole file keeps every byte from the first on (the blank lines the
    // sniffing skips included); a stream drops them again below and keeps
    // each line as it hands it out.
    if (read.keepText) m_impl->lines.Record(&m_impl->wholeText);
    Sniff();
    if (Stream()) {
        m_impl->lines.Record(nullptr);
        std::string().swap(m_impl->wholeText);
    }
}

void GraphSource::Sniff()
{
    const std::optional<GraphFormat> byName = m_path == "-" ? std::nullopt : FormatFromExtension(m_path);
    if (byName) {
        m_format = *byName;
        return;
    }
    std::string_view first;
    bool found = false;
    try {
        while (m_impl->lines.Next(first))
            if (!Blank(first)) {
                found = true;
                break;
            }
    } catch (const FormatError& e) {
        // A first line too long to hold (standard input from /dev/zero):
        // the source is one bad entry.
        m_format = GraphFormat::Graph6;
        m_impl->firstError = e.what();
        return;
    }
    if (!found) {
        // Nothing but blank lines: from a pipe that is a stream of no graphs
        // (a generator that found none); a named file goes to the HCP reader,
        // which says it is empty.
        m_format = m_path == "-" ? GraphFormat::Graph6 : GraphFormat::Hcp;
        return;
    }
    m_format = FormatFromContent(first);
    m_impl->lines.PutBack();
}

GraphSource::~GraphSource() = default;

bool GraphSource::Next(SourceItem& item)
{
    Impl& s = *m_impl;
    if (s.done) return false;
    item = SourceItem{};
    if (!Stream()) {
        s.done = true;
        item.index = 1;
        try {
            if (m_format == GraphFormat::Dimacs) {
                try {
                    item.graph = ParseDimacs(s.lines);
                } catch (const std::bad_alloc&) {
                    throw ReadOutOfMemory(EscapeControls(m_path) + ": not enough memory to read the file");
                }
            } else {
                // The HCP reader takes the bytes from the stream already
                // open (the sniffed first line included), so a FIFO or a
                // pipe is read once, and the read can be stopped.
                RestOfSource rest(s.lines);
                try {
                    item.graph = BuildHcpGraph(ParseHcp(rest, m_path, s.read), m_path);
                } catch (const std::bad_alloc&) {
                    throw ReadOutOfMemory(EscapeControls(m_path) + ": not enough memory to read the file");
                }
            }
        } catch (const FormatError& e) {
            item.error = e.what();
        }
        if (s.read.keepText) {
            // A reader that refused the file stopped part way; the text is
            // the whole file all the same.
            char rest[1 << 16];
            while (s.lines.ReadRest(rest, sizeof rest) > 0) {}
            s.lines.Record(nullptr);
            item.text = std::move(s.wholeText);
        }
        return true;
    }
    if (!s.firstError.empty()) {
        item.index = ++s.index;
        item.line = 1;
        item.error = s.firstError;
        s.done = true;
        return true;
    }
    // The time limit bounds the wait for the first graph (a FIFO nobody
    // writes to ends in time); once a stream has sent one, a generator may
    // pause as long as it likes between graphs, and only a stop ends the
    // wait.
    s.lines.RestartTimeLimit(s.index == 0);
    std::string_view line;
    for (;;) {
        try {
            if (!s.lines.Next(line)) break;
        } catch (const FormatError& e) {
            // A line too long to hold: nothing after it can be trusted to
            // start a line, so the stream ends with this error.
            item.index = ++s.index;
            item.line = s.lines.LineNumber() + 1;
            item.error = e.what();
            s.done = true;
            return true;
        }
        line = TrimRight(line);
        if (line.empty() || line == ">>graph6<<" || line == ">>sparse6<<" || line == ">>digraph6<<") continue;
        item.index = ++s.index;
        item.line = s.lines.LineNumber();
        if (s.read.keepText) item.text = s.lines.LastLineBytes();
        const std::string where = EscapeControls(s.lines.Name()) + ":" + std::to_string(item.line);
        try {
            std::string_view body = line;
            StripNautyHeader(body, ">>graph6<<");
            StripNautyHeader(body, ">>sparse6<<");
            StripNautyHeader(body, ">>digraph6<<");
            // Each line says its own format, so a .g6 file with sparse6
            // lines (or the reverse) still reads.
            if (body.empty()) throw LineError("a nauty header with no graph after it");
            if (body[0] == ':' || body[0] == ';') item.graph = s.sparse6.Decode(line);
            else if (body[0] == '&') item.graph = DecodeDigraph6(line);
            else item.graph = DecodeGraph6(line);
        } catch (const LineError& e) {
            item.error = where + ": " + e.what();
        } catch (const std::bad_alloc&) {
            // One graph too large for this computer; the next may fit.
            item.graph = Graph();
            item.outOfMemory = true;
            item.error = where + ": not enough memory for the graph of this line (" + std::to_string(line.size())
                       + " bytes)";
        }
        return true;
    }
    s.done = true;
    return false;
}

}  // namespace hcp
