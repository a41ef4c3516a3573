#include "core/leaperrecognise.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace hcp {

namespace {

// The edges of the leaper graph of shape, counted per distinct forward
// direction: a move (dr, dc) fits (m - |dr|) * (n - |dc|) times.
std::uint64_t LeaperEdgeCount(const LeaperShape& s)
{
    const std::int64_t steps[4][2] = {{s.a, s.b}, {s.a, -s.b}, {s.b, s.a}, {s.b, -s.a}};
    std::uint64_t count = 0;
    for (int k = 0; k < 4; ++k) {
        const std::int64_t dr = steps[k][0];
        const std::int64_t dc = steps[k][1];
        if (dr == 0 && dc <= 0) continue;
        bool repeated = false;
        for (int j = 0; j < k; ++j) repeated = repeated || (steps[j][0] == dr && steps[j][1] == dc);
        if (repeated) continue;
        const std::int64_t rows = s.m - dr;
        const std::int64_t cols = s.n - std::abs(dc);
        if (rows > 0 && cols > 0) count += static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(cols);
    }
    return count;
}

// "leaper_a_b_m_n" in the file name part of hint, before any extension.
std::optional<LeaperShape> ShapeFromName(std::string_view hint)
{
    const std::size_t slash = hint.find_last_of("/\\");
    if (slash != std::string_view::npos) hint.remove_prefix(slash + 1);
    constexpr std::string_view kPrefix = "leaper_";
    if (hint.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    hint.remove_prefix(kPrefix.size());
    int values[4];
    const char* p = hint.data();
    const char* end = hint.data() + hint.size();
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            if (p == end || *p != '_') return std::nullopt;
            ++p;
        }
        const auto [next, ec] = std::from_chars(p, end, values[k]);
        if (ec != std::errc() || next == p) return std::nullopt;
        p = next;
    }
    if (p != end && *p != '.') return std::nullopt;
    return LeaperShape{values[0], values[1], values[2], values[3]};
}

}  // namespace

// Every edge of g must be a move of the shape; with the edge counts equal
// (both graphs simple), the two edge sets are then the same.
bool IsLeaperGraph(const Graph& g, const LeaperShape& s)
{
    if (s.a < 0 || s.b < 0 || s.m < 1 || s.n < 1 || s.Squares() != g.NodeCount()) return false;
    if (LeaperEdgeCount(s) != g.EdgeCount()) return false;
    const std::int64_t n = s.n;
    for (NodeId u = 0; u < g.NodeCount(); ++u) {
        const std::int64_t r = u / n;
        const std::int64_t c = u % n;
        for (NodeId v : g.Neighbors(u)) {
            if (v < u) continue;
            const std::int64_t dr = v / n - r;
            const std::int64_t dc = std::abs(static_cast<std::int64_t>(v % n) - c);
            if (!((dr == s.a && dc == s.b) || (dr == s.b && dc == s.a))) return false;
        }
    }
    return true;
}

std::optional<LeaperShape> RecogniseLeaper(const Graph& g, std::string_view nameHint)
{
    const std::optional<LeaperShape> named = ShapeFromName(nameHint);
    if (named && IsLeaperGraph(g, *named)) return named;
    const NodeId nodes = g.NodeCount();
    // A leaper moves in at most eight directions, and from the corner in
    // at most two.
    if (nodes == 0 || g.EdgeCount() == 0 || g.MaxDegree() > 8 || g.Degree(0) > 2) return std::nullopt;
    std::vector<std::pair<NodeId, NodeId>> boards;   // (m, n), most nearly square first
    for (NodeId m = static_cast<NodeId>(std::sqrt(static_cast<double>(nodes))) + 1; m >= 1; --m) {
        if (static_cast<std::uint64_t>(m) * m > nodes || nodes % m != 0) continue;
        boards.emplace_back(m, nodes / m);
        if (m != nodes / m) boards.emplace_back(nodes / m, m);
    }
    for (const auto& [m, n] : boards) {
        if (m > 0x7FFFFFFFu || n > 0x7FFFFFFFu) continue;
        // The corner's move (dr, dc) is (a, b) or (b, a) itself.
        for (NodeId v : g.Neighbors(0)) {
            const int dr = static_cast<int>(v / n);
            const int dc = static_cast<int>(v % n);
            const LeaperShape shape{dr < dc ? dr : dc, dr < dc ? dc : dr, static_cast<int>(m), static_cast<int>(n)};
            if (IsLeaperGraph(g, shape)) return shape;
        }
    }
    return std::nullopt;
}

}  // namespace hcp
