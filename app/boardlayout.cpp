#include "boardlayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace app {

std::optional<BoardShape> BoardShapeFromName(const std::string& name, int n)
{
    const std::size_t slash = name.find_last_of("/\\");
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    BoardShape s;
    int used = 0;
    if (std::sscanf(base.c_str(), "leaper_%d_%d_%d_%d%n", &s.a, &s.b, &s.rows, &s.cols, &used) != 4)
        return std::nullopt;
    const std::string rest = base.substr(static_cast<std::size_t>(used));
    if (!rest.empty() && rest[0] != '.')
        return std::nullopt;
    if (s.a < 0 || s.b < 0 || s.rows <= 0 || s.cols <= 0 || static_cast<long long>(s.rows) * s.cols != n)
        return std::nullopt;
    return s;
}

std::string LeaperFileName(const BoardShape& s)
{
    return "leaper_" + std::to_string(s.a) + "_" + std::to_string(s.b) + "_" + std::to_string(s.rows) + "_"
        + std::to_string(s.cols) + ".hcp";
}

BoardShape GridShape(int n)
{
    BoardShape s;
    s.cols = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(std::max(n, 1))))));
    s.rows = std::max(1, (n + s.cols - 1) / s.cols);
    return s;
}

namespace {

// The moves of s on its board, each once: a move (dr, dc) with dr > 0, or
// dr == 0 and dc > 0, joins (r, c) to (r + dr, c + dc).
std::uint64_t MoveCount(const BoardShape& s)
{
    std::vector<std::pair<long long, long long>> steps;
    for (auto [dr, dc] : {std::pair<long long, long long>{s.a, s.b}, {s.b, s.a}, {s.a, -s.b}, {s.b, -s.a}}) {
        if (dr < 0 || (dr == 0 && dc < 0)) {
            dr = -dr;
            dc = -dc;
        }
        if (dr != 0 || dc != 0)
            steps.emplace_back(dr, dc);
    }
    std::sort(steps.begin(), steps.end());
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    std::uint64_t count = 0;
    for (const auto& [dr, dc] : steps) {
        const long long rows = s.rows - dr, cols = s.cols - std::llabs(dc);
        if (rows > 0 && cols > 0)
            count += static_cast<std::uint64_t>(rows * cols);
    }
    return count;
}

// Every edge of g is a move of s and there are as many edges as moves:
// since g has no repeated edge, its edges are then exactly the moves.
bool IsBoardOf(const hcp::Graph& g, const BoardShape& s)
{
    if (s.rows <= 0 || s.cols <= 0 || static_cast<std::uint64_t>(s.rows) * s.cols != g.NodeCount()
        || g.EdgeCount() != MoveCount(s))
        return false;
    const std::uint64_t cols = static_cast<std::uint64_t>(s.cols);
    for (hcp::NodeId u = 0; u < g.NodeCount(); ++u)
        for (hcp::NodeId v : g.Neighbors(u)) {
            if (v < u)
                continue;
            const std::uint64_t dr = v / cols - u / cols;
            const std::uint64_t cu = u % cols, cv = v % cols;
            const std::uint64_t dc = cu > cv ? cu - cv : cv - cu;
            if (!((dr == std::uint64_t(s.a) && dc == std::uint64_t(s.b))
                  || (dr == std::uint64_t(s.b) && dc == std::uint64_t(s.a))))
                return false;
        }
    return true;
}

}  // namespace

std::optional<BoardShape> RecogniseBoard(const hcp::Graph& g, const std::string& nameHint)
{
    const std::uint64_t n = g.NodeCount();
    if (g.EdgeCount() == 0 || n > 0x7FFFFFFFu)
        return std::nullopt;
    for (const std::string* name : {&nameHint, &g.Name()})
        if (auto s = BoardShapeFromName(*name, static_cast<int>(n)); s && IsBoardOf(g, *s))
            return s;
    // The first edge of the lowest joined node gives the leap on each board.
    hcp::NodeId u = 0;
    while (g.Degree(u) == 0)
        ++u;
    const hcp::NodeId v = g.Neighbors(u).front();
    std::vector<std::uint64_t> colsTried;
    for (std::uint64_t c = 1; c * c <= n; ++c)
        if (n % c == 0) {
            colsTried.push_back(n / c);
            if (c != n / c)
                colsTried.push_back(c);
        }
    // Squarest first: the divisors were found from sqrt(n) outwards reversed.
    std::reverse(colsTried.begin(), colsTried.end());
    for (std::uint64_t cols : colsTried) {
        const long long dr = static_cast<long long>(v / cols) - static_cast<long long>(u / cols);
        const long long dc = static_cast<long long>(v % cols) - static_cast<long long>(u % cols);
        BoardShape s;
        s.a = static_cast<int>(std::min(std::llabs(dr), std::llabs(dc)));
        s.b = static_cast<int>(std::max(std::llabs(dr), std::llabs(dc)));
        s.rows = static_cast<int>(n / cols);
        s.cols = static_cast<int>(cols);
        if (IsBoardOf(g, s))
            return s;
    }
    return std::nullopt;
}

void BoardLayout(const BoardShape& s, int n, std::vector<float>& x, std::vector<float>& y)
{
    n = std::max(n, 0);
    x.assign(static_cast<std::size_t>(n), 0.0f);
    y.assign(static_cast<std::size_t>(n), 0.0f);
    const int cols = std::max(s.cols, 1);
    const int rows = std::max({s.rows, 1, (n + cols - 1) / cols});
    const double cell = 1.0 / std::max(rows, cols);
    const double left = (1.0 - cols * cell) / 2;
    const double top = (1.0 - rows * cell) / 2;
    for (int k = 0; k < n; ++k) {
        x[k] = static_cast<float>(left + (k % cols + 0.5) * cell);
        y[k] = static_cast<float>(top + (k / cols + 0.5) * cell);
    }
}

}  // namespace app
