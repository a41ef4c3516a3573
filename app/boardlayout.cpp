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

bool EdgesAreLeaperMoves(const BoardShape& s, const std::vector<std::pair<int, int>>& edges)
{
    if (s.cols <= 0)
        return false;
    for (const auto& [u, v] : edges) {
        const int dr = std::abs((u - 1) / s.cols - (v - 1) / s.cols);
        const int dc = std::abs((u - 1) % s.cols - (v - 1) % s.cols);
        if (!((dr == s.a && dc == s.b) || (dr == s.b && dc == s.a)))
            return false;
    }
    return true;
}

std::vector<std::pair<int, int>> LeaperEdges(const BoardShape& s)
{
    std::vector<std::pair<int, int>> edges;
    if (s.rows <= 0 || s.cols <= 0 || (s.a == 0 && s.b == 0))
        return edges;
    const int steps[4][2] = {{s.a, s.b}, {s.b, s.a}, {s.a, -s.b}, {s.b, -s.a}};
    for (int r = 0; r < s.rows; ++r)
        for (int c = 0; c < s.cols; ++c)
            for (const auto& st : steps) {
                // Each move once: from the square with the smaller number.
                int dr = st[0], dc = st[1];
                if (dr < 0 || (dr == 0 && dc < 0)) {
                    dr = -dr;
                    dc = -dc;
                }
                const int r2 = r + dr, c2 = c + dc;
                if ((dr == 0 && dc == 0) || r2 >= s.rows || c2 < 0 || c2 >= s.cols)
                    continue;
                edges.emplace_back(r * s.cols + c + 1, r2 * s.cols + c2 + 1);
            }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
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
