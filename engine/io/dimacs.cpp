#include "io/dimacs.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "io/graphfile.h"
#include "io/linereader.h"
#include "io/readlimits.h"

namespace hcp {

namespace {

constexpr std::uint64_t kMaxDimacsNodes = 0xFFFFFFFEull;

// Splits a line at blanks and tabs into at most `max` words; returns the
// count, or max + 1 when there are more.
std::size_t Words(std::string_view line, std::string_view* out, std::size_t max)
{
    std::size_t count = 0, at = 0;
    while (true) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        if (at >= line.size()) return count;
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        if (count == max) return max + 1;
        out[count++] = line.substr(at, end - at);
        at = end;
    }
}

bool Number(std::string_view word, std::uint64_t& value)
{
    const char* last = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), last, value);
    return ec == std::errc() && ptr == last;
}

// A weight: a number, perhaps signed or with a fraction.
bool Weight(std::string_view word)
{
    double value = 0;
    const char* last = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), last, value);
    return ec == std::errc() && ptr == last;
}

}  // namespace

Graph ParseDimacs(LineReader& lines)
{
    const auto fail = [&](const std::string& problem) -> FormatError {
        return FormatError(lines.Name() + ":" + std::to_string(lines.LineNumber()) + ": " + problem);
    };
    bool haveProblem = false;
    std::size_t problemLine = 0;
    std::string problemType;       // as the problem line gave it; empty for "p N M"
    bool arcProblem = false;       // "p arc" or "p sp": the lines are arcs
    std::size_t firstEdgeLine = 0, firstArcLine = 0;
    std::size_t compactAt = std::size_t{1} << 24;
    std::uint64_t n = 0;
    std::vector<Edge> edges;       // (u, v) with u < v, or arcs (tail, head)
    std::string_view line;
    std::string_view w[5];
    while (lines.Next(line)) {
        const std::size_t count = Words(line, w, 4);
        if (count == 0 || w[0][0] == 'c') continue;
        if (w[0] == "p") {
            if (haveProblem) throw fail("a second problem line");
            // "p edge N M", "p col N M", "p arc N M", "p sp N M", or the
            // short "p N M".
            std::size_t first = 1;
            if (count == 4) {
                if (w[1] != "edge" && w[1] != "edges" && w[1] != "col" && w[1] != "arc" && w[1] != "sp")
                    throw fail("problem type '" + std::string(w[1]) + "' is not edge or col, nor arc or sp");
                problemType = w[1];
                arcProblem = w[1] == "arc" || w[1] == "sp";
                first = 2;
            } else if (count != 3) {
                throw fail("a problem line reads 'p edge NODES EDGES' or 'p arc NODES ARCS'");
            }
            std::uint64_t m = 0;
            if (!Number(w[first], n) || !Number(w[first + 1], m))
                throw fail("a problem line reads 'p edge NODES EDGES' with whole numbers");
            if (n > kMaxDimacsNodes)
                throw fail("the problem line gives " + std::string(w[first]) + " nodes, more than the "
                           + std::to_string(kMaxDimacsNodes) + " this reader holds");
            // The edge count says nothing the edges do not: collections
            // disagree on whether it counts both directions, and memory
            // follows the edges as they come, never the count.
            haveProblem = true;
            problemLine = lines.LineNumber();
        } else if (w[0] == "e" || w[0] == "a") {
            const bool arc = w[0] == "a";
            if (!haveProblem) throw fail(std::string(arc ? "an arc" : "an edge") + " before the problem line");
            // One file is one kind of graph: an 'a' among 'e' lines is more
            // likely a broken file than a graph with both.
            if (arc && firstEdgeLine != 0)
                throw fail("an arc line 'a' after edge lines 'e' (line " + std::to_string(firstEdgeLine)
                           + "); a file lists edges or arcs, not both");
            if (!arc && firstArcLine != 0)
                throw fail("an edge line 'e' after arc lines 'a' (line " + std::to_string(firstArcLine)
                           + "); a file lists edges or arcs, not both");
            if (arc && problemType == "col")
                throw fail("an arc line 'a' in a 'col' problem, whose lines are edges 'e'");
            if (!arc && arcProblem)
                throw fail("an edge line 'e' in a '" + problemType + "' problem, whose lines are arcs 'a'");
            std::size_t& firstLine = arc ? firstArcLine : firstEdgeLine;
            if (firstLine == 0) firstLine = lines.LineNumber();
            std::uint64_t u = 0, v = 0;
            // An arc may carry a weight (a length or a capacity), which says
            // nothing about cycles.
            const bool weighted = arc && count == 4 && Weight(w[3]);
            if ((count != 3 && !weighted) || !Number(w[1], u) || !Number(w[2], v))
                throw fail(arc ? "an arc line reads 'a NODE NODE' or 'a NODE NODE WEIGHT'"
                               : "an edge line reads 'e NODE NODE'");
            if (u < 1 || u > n || v < 1 || v > n)
                throw fail(std::string(arc ? "arc " : "edge ") + std::string(w[1]) + " " + std::string(w[2])
                           + " names a node outside 1.." + std::to_string(n));
            if (arc) edges.emplace_back(static_cast<NodeId>(u - 1), static_cast<NodeId>(v - 1));
            else edges.emplace_back(static_cast<NodeId>(std::min(u, v) - 1), static_cast<NodeId>(std::max(u, v) - 1));
            if (edges.size() >= compactAt) {
                // Files listing both directions, or one edge without end,
                // cost the distinct edges only.
                std::sort(edges.begin(), edges.end());
                edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
                compactAt = std::max(compactAt, edges.size() * 2);
            }
        } else if (w[0] == "n") {
            // Node weights of the weighted variants, and the source and sink
            // of flow problems, say nothing about cycles.
            std::uint64_t u = 0;
            if (count < 2 || !Number(w[1], u) || u < 1 || u > n)
                throw fail("a node line names no node in 1.." + std::to_string(n));
        } else {
            throw fail("a line starting '" + std::string(w[0].substr(0, 16))
                       + "' where 'c', 'p', 'e' or 'a' was expected");
        }
    }
    if (!haveProblem) {
        if (lines.LineNumber() == 0)
            throw FormatError(lines.Name() + ": empty file, no problem line 'p edge NODES EDGES'");
        throw fail("no problem line 'p edge NODES EDGES'");
    }
    const std::string untouched = UntouchedNodesProblem(n, edges.size());
    if (!untouched.empty())
        throw FormatError(lines.Name() + ":" + std::to_string(problemLine) + ": the problem line gives " + untouched);
    if (arcProblem || firstArcLine != 0) return Graph::FromArcs(static_cast<NodeId>(n), edges);
    return Graph::FromEdges(static_cast<NodeId>(n), edges);
}

Graph ReadDimacs(const std::string& path, const ReadOptions& options)
{
    ReadOptions bounded = options;
    bounded.maxLineBytes = std::min(bounded.maxLineBytes, kMaxStreamLineBytes);
    LineReader lines(path, bounded);
    return ParseDimacs(lines);
}

}  // namespace hcp
