#include "forcelayout.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include <igraph.h>

namespace app {
namespace {

// igraph keeps one random generator for the process.
std::mutex s_igraphMutex;

constexpr double kBorder = 0.03;

}  // namespace

void NormaliseToUnit(std::vector<double>& x, std::vector<double>& y, double border)
{
    if (x.empty())
        return;
    const auto [x0, x1] = std::minmax_element(x.begin(), x.end());
    const auto [y0, y1] = std::minmax_element(y.begin(), y.end());
    const double minX = *x0, minY = *y0;
    const double spanX = *x1 - minX, spanY = *y1 - minY;
    const double usable = 1.0 - 2 * border;
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = spanX > 1e-12 ? border + (x[i] - minX) / spanX * usable : 0.5;
        y[i] = spanY > 1e-12 ? border + (y[i] - minY) / spanY * usable : 0.5;
    }
}

bool ForceLayout(int n, const std::vector<std::pair<int, int>>& edges, std::vector<float>& x,
                 std::vector<float>& y, std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = what;
        return false;
    };
    if (n <= 0) {
        x.clear();
        y.clear();
        return true;
    }
    std::lock_guard lock(s_igraphMutex);
    igraph_set_error_handler(igraph_error_handler_ignore);
    igraph_rng_seed(igraph_rng_default(), 20261207);

    igraph_vector_int_t ends;
    if (igraph_vector_int_init(&ends, static_cast<igraph_integer_t>(2 * edges.size())) != IGRAPH_SUCCESS)
        return fail("force layout: out of memory");
    for (std::size_t i = 0; i < edges.size(); ++i) {
        if (edges[i].first < 1 || edges[i].first > n || edges[i].second < 1 || edges[i].second > n) {
            igraph_vector_int_destroy(&ends);
            return fail("force layout: an edge names a node outside the graph");
        }
        VECTOR(ends)[2 * i] = edges[i].first - 1;
        VECTOR(ends)[2 * i + 1] = edges[i].second - 1;
    }
    igraph_t graph;
    if (igraph_create(&graph, &ends, n, IGRAPH_UNDIRECTED) != IGRAPH_SUCCESS) {
        igraph_vector_int_destroy(&ends);
        return fail("force layout: igraph could not build the graph");
    }
    igraph_vector_int_destroy(&ends);

    igraph_matrix_t res;
    igraph_matrix_init(&res, n, 2);
    igraph_error_t rc;
    if (n >= kDrlNodes) {
        igraph_layout_drl_options_t options;
        igraph_layout_drl_options_init(&options, IGRAPH_LAYOUT_DRL_DEFAULT);
        rc = igraph_layout_drl(&graph, &res, false, &options, nullptr);
    } else {
        // Dense graphs settle in fewer rounds; the cap keeps graph150-sized
        // inputs (170,000 edges) to about a second.
        const igraph_integer_t rounds = edges.size() > 50000 ? 150 : n > 2000 ? 300 : 500;
        rc = igraph_layout_fruchterman_reingold(&graph, &res, false, rounds, std::sqrt(static_cast<double>(n)),
                                                n > 1000 ? IGRAPH_LAYOUT_GRID : IGRAPH_LAYOUT_AUTOGRID, nullptr,
                                                nullptr, nullptr, nullptr, nullptr);
    }
    if (rc != IGRAPH_SUCCESS) {
        igraph_matrix_destroy(&res);
        igraph_destroy(&graph);
        return fail("force layout: igraph could not lay the graph out");
    }
    std::vector<double> dx(static_cast<std::size_t>(n)), dy(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        dx[i] = MATRIX(res, i, 0);
        dy[i] = MATRIX(res, i, 1);
    }
    igraph_matrix_destroy(&res);
    igraph_destroy(&graph);
    NormaliseToUnit(dx, dy, kBorder);
    x.assign(dx.begin(), dx.end());
    y.assign(dy.begin(), dy.end());
    return true;
}

}  // namespace app
