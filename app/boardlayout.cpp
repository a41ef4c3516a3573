#include "boardlayout.h"

#include <algorithm>
#include <cmath>

#include "core/leaperrecognise.h"

namespace app {

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

std::optional<BoardShape> RecogniseBoard(const hcp::Graph& g, const std::string& nameHint)
{
    // The graph alone, then each hint in turn: a hint only picks among the
    // boards that give this very graph (rows and columns of a single row,
    // the order of the two steps), so the first that changes the answer wins.
    const std::optional<hcp::LeaperShape> plain = hcp::RecogniseLeaper(g);
    std::optional<hcp::LeaperShape> s = plain;
    for (const std::string* hint : {&nameHint, &g.Name()}) {
        if (hint->empty())
            continue;
        if (auto named = hcp::RecogniseLeaper(g, *hint); named != plain) {
            s = named;
            break;
        }
    }
    if (!s)
        return std::nullopt;
    return BoardShape{s->a, s->b, s->m, s->n};
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
