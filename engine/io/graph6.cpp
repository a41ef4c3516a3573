#include "io/graph6.h"

#include <algorithm>
#include <string>

#include "io/readlimits.h"

namespace hcp {

namespace {

constexpr int kBias = 63;

[[noreturn]] void NotANautyByte(std::string_view line, std::size_t at, std::size_t column)
{
    const unsigned char c = static_cast<unsigned char>(line[at]);
    const std::string where = "character " + std::to_string(column + at + 1);
    if (c == 0) throw LineError(where + " is a NUL byte, which no graph6/sparse6 line holds");
    throw LineError(where + " is not a graph6/sparse6 byte (code " + std::to_string(c) + ")");
}

// A byte of a nauty line carries 6 bits as 63..126; anything else (a space,
// a tab, a stray '\r' that survived) means the line is not one of these
// formats, and the column tells the user where.
int SixBits(std::string_view line, std::size_t at, std::size_t column)
{
    const unsigned char c = static_cast<unsigned char>(line[at]);
    if (c < kBias || c > kBias + 63) NotANautyByte(line, at, column);
    return c - kBias;
}

// N(n): one byte up to 62, 126 + 3 bytes up to 258047, 126 126 + 6 bytes
// beyond. Returns n and advances `at` past it.
std::uint64_t ReadSize(std::string_view line, std::size_t& at, std::size_t column)
{
    if (at >= line.size()) throw LineError("the line ends before the node count");
    const int first = SixBits(line, at, column);
    if (first < 63) {
        ++at;
        return static_cast<std::uint64_t>(first);
    }
    int bytes = 3;
    std::size_t start = at + 1;
    if (start < line.size() && line[start] == '~') {
        bytes = 6;
        ++start;
    }
    if (start + bytes > line.size()) throw LineError("the line ends inside the node count");
    std::uint64_t n = 0;
    for (int i = 0; i < bytes; ++i) n = (n << 6) | static_cast<std::uint64_t>(SixBits(line, start + i, column));
    at = start + bytes;
    if (n > kMaxNauty6Nodes)
        throw LineError("the graph has " + std::to_string(n) + " nodes, more than the "
                        + std::to_string(kMaxNauty6Nodes) + " this reader accepts");
    return n;
}

// Reads bits high-first from the 6-bit bytes of a line.
class BitReader {
public:
    BitReader(std::string_view line, std::size_t at, std::size_t column)
        : m_line(line), m_at(at), m_column(column) {}
    // False when fewer than `count` bits are left.
    bool Read(int count, std::uint64_t& out) {
        out = 0;
        while (count > 0) {
            if (m_left == 0) {
                if (m_at >= m_line.size()) return false;
                m_byte = SixBits(m_line, m_at++, m_column);
                m_left = 6;
            }
            const int take = std::min(count, m_left);
            m_left -= take;
            out = (out << take) | ((static_cast<std::uint64_t>(m_byte) >> m_left) & ((1u << take) - 1));
            count -= take;
        }
        return true;
    }

private:
    std::string_view m_line;
    std::size_t m_at;
    std::size_t m_column;
    int m_byte = 0;
    int m_left = 0;
};

// The sparse6 body from `at` on: groups of one "next node" bit and k bits
// of a node number; a number above the current node moves to it, any
// other is an edge to the current node. Trailing padding either runs out
// of bits or names a node at or beyond n, and is dropped as nauty does.
void ReadSparse6Body(std::string_view line, std::size_t at, std::uint64_t n, std::size_t column,
                     std::vector<Edge>& edges)
{
    int k = 0;
    for (std::uint64_t m = n > 0 ? n - 1 : 0; m > 0; m >>= 1) ++k;
    BitReader bits(line, at, column);
    std::uint64_t v = 0, b = 0, x = 0;
    while (bits.Read(1, b) && bits.Read(k, x)) {
        if (b != 0) ++v;
        if (x > v) v = x;
        else if (v < n) edges.emplace_back(static_cast<NodeId>(x), static_cast<NodeId>(v));
    }
}

std::size_t HeaderColumn(std::string_view& line, std::string_view header)
{
    return StripNautyHeader(line, header) ? header.size() : 0;
}

}  // namespace

bool StripNautyHeader(std::string_view& line, std::string_view header)
{
    if (line.substr(0, header.size()) != header) return false;
    line.remove_prefix(header.size());
    return true;
}

Graph DecodeGraph6(std::string_view line)
{
    const std::size_t column = HeaderColumn(line, ">>graph6<<");
    if (!line.empty() && (line[0] == ':' || line[0] == ';'))
        throw LineError("a sparse6 line where graph6 was expected");
    if (!line.empty() && line[0] == '&') throw LineError("a digraph6 line where graph6 was expected");
    std::size_t at = 0;
    const std::uint64_t n = ReadSize(line, at, column);
    const std::uint64_t pairs = n * (n - (n > 0 ? 1 : 0)) / 2;
    const std::uint64_t want = (pairs + 5) / 6;
    const std::uint64_t have = line.size() - at;
    // A stray byte (a NUL, a blank) is named as such, not as a length that
    // happens to be wrong because of it.
    for (std::size_t k = at; k < line.size(); ++k)
        if (static_cast<unsigned char>(line[k]) < kBias || static_cast<unsigned char>(line[k]) > kBias + 63)
            NotANautyByte(line, k, column);
    if (have != want)
        throw LineError("a graph6 line for " + std::to_string(n) + " nodes needs "
                        + std::to_string(want) + " bytes after the node count, this one has "
                        + std::to_string(have));
    // The upper triangle column by column: pair (i, j), i < j, is bit
    // j(j-1)/2 + i.
    std::vector<Edge> edges;
    NodeId i = 0, j = 1;
    for (std::uint64_t p = 0; p < want; ++p) {
        const int byte = SixBits(line, at + p, column);
        if (byte == 0) {   // six absent pairs in one step: most nauty graphs are sparse
            for (int s = 0; s < 6 && j < n; ++s)
                if (++i == j) { i = 0; ++j; }
            continue;
        }
        for (int s = 5; s >= 0 && j < n; --s) {
            if ((byte >> s) & 1) edges.emplace_back(i, j);
            if (++i == j) { i = 0; ++j; }
        }
    }
    return Graph::FromEdges(static_cast<NodeId>(n), edges);
}

Graph DecodeDigraph6(std::string_view line)
{
    const std::size_t column = HeaderColumn(line, ">>digraph6<<");
    if (line.empty() || line[0] != '&') throw LineError("a digraph6 line starts with '&'");
    std::size_t at = 1;
    const std::uint64_t n = ReadSize(line, at, column);
    const std::uint64_t want = (n * n + 5) / 6;
    const std::uint64_t have = line.size() - at;
    for (std::size_t k = at; k < line.size(); ++k)
        if (static_cast<unsigned char>(line[k]) < kBias || static_cast<unsigned char>(line[k]) > kBias + 63)
            NotANautyByte(line, k, column);
    if (have != want)
        throw LineError("a digraph6 line for " + std::to_string(n) + " nodes needs " + std::to_string(want)
                        + " bytes after the node count, this one has " + std::to_string(have));
    // The whole matrix row by row: arc i -> j is bit i*n + j. Loops are
    // dropped, as a cycle never uses one.
    std::vector<Edge> arcs;
    for (std::uint64_t p = 0; p < want; ++p) {
        const int byte = SixBits(line, at + p, column);
        if (byte == 0) continue;
        for (int s = 5; s >= 0; --s) {
            const std::uint64_t bit = p * 6 + static_cast<std::uint64_t>(5 - s);
            if (((byte >> s) & 1) != 0 && bit < n * n)
                arcs.emplace_back(static_cast<NodeId>(bit / n), static_cast<NodeId>(bit % n));
        }
    }
    return Graph::FromArcs(static_cast<NodeId>(n), arcs);
}

Graph Sparse6Decoder::Decode(std::string_view line)
{
    const bool hadPrevious = m_havePrevious;
    m_havePrevious = false;
    const std::size_t column = HeaderColumn(line, ">>sparse6<<");
    if (line.empty()) throw LineError("an empty line where a sparse6 graph was expected");
    if (line[0] != ':' && line[0] != ';')
        throw LineError("a sparse6 line starts with ':' (or ';' for an incremental one)");
    std::vector<Edge> listed;
    if (line[0] == ':') {
        std::size_t at = 1;
        const std::uint64_t n = ReadSize(line, at, column);
        ReadSparse6Body(line, at, n, column, listed);
        const std::string untouched = UntouchedNodesProblem(n, listed.size());
        if (!untouched.empty()) throw LineError("the line gives " + untouched);
        Graph g = Graph::FromEdges(static_cast<NodeId>(n), listed);
        m_nodes = n;
        m_edges = g.Edges();
        m_havePrevious = true;
        return g;
    }
    if (!hadPrevious)
        throw LineError("an incremental sparse6 line (';') with no valid graph before it");
    // An incremental line has no node count: it is the previous graph's.
    const std::uint64_t n = m_nodes;
    ReadSparse6Body(line, 1, n, column, listed);
    // Listing an edge twice toggles it twice, so only odd counts change the
    // previous graph; loops carry no weight in a simple graph.
    for (Edge& e : listed)
        if (e.first > e.second) std::swap(e.first, e.second);
    std::sort(listed.begin(), listed.end());
    std::vector<Edge> toggles;
    for (std::size_t a = 0; a < listed.size();) {
        std::size_t b = a;
        while (b < listed.size() && listed[b] == listed[a]) ++b;
        if ((b - a) % 2 == 1 && listed[a].first != listed[a].second) toggles.push_back(listed[a]);
        a = b;
    }
    std::vector<Edge> next;
    next.reserve(m_edges.size() + toggles.size());
    std::set_symmetric_difference(m_edges.begin(), m_edges.end(), toggles.begin(), toggles.end(),
                                  std::back_inserter(next));
    Graph g = Graph::FromEdges(static_cast<NodeId>(n), next);
    m_edges = std::move(next);
    m_havePrevious = true;
    return g;
}

Graph DecodeSparse6(std::string_view line)
{
    Sparse6Decoder d;
    return d.Decode(line);
}

}  // namespace hcp
