// Small graphs with known answers for the solver tests, built directly as
// solver graphs (nodes 0..N-1).
#pragma once

#include <cstdlib>
#include <vector>

#include "core/graph.h"

namespace solvetest {

inline hcp::Graph Cycle(hcp::NodeId n) {
    std::vector<hcp::Edge> e;
    for (hcp::NodeId v = 0; v < n; ++v) e.emplace_back(v, (v + 1) % n);
    return hcp::Graph::FromEdges(n, e);
}

inline hcp::Graph Petersen() {
    std::vector<hcp::Edge> e;
    for (hcp::NodeId i = 0; i < 5; ++i) {
        e.emplace_back(i, (i + 1) % 5);             // outer ring
        e.emplace_back(i, i + 5);                   // spokes
        e.emplace_back(5 + i, 5 + (i + 2) % 5);     // inner star
    }
    return hcp::Graph::FromEdges(10, e);
}

// Generalized Petersen graph GP(n, k): outer cycle 0..n-1, spokes i - n+i,
// inner edges n+i - n+(i+k) mod n. For k = 2 it has a Hamiltonian cycle
// exactly when n is not 5 mod 6.
inline hcp::Graph GeneralizedPetersen(hcp::NodeId n, hcp::NodeId k) {
    std::vector<hcp::Edge> e;
    for (hcp::NodeId i = 0; i < n; ++i) {
        e.emplace_back(i, (i + 1) % n);
        e.emplace_back(i, n + i);
        e.emplace_back(n + i, n + (i + k) % n);
    }
    return hcp::Graph::FromEdges(2 * n, e);
}

// Square (r, c) of a rows x cols board is node r*cols + c.
inline hcp::Graph Knight(int rows, int cols) {
    std::vector<hcp::Edge> e;
    static const int d[4][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            for (const auto& s : d) {
                const int r2 = r + s[0], c2 = c + s[1];
                if (r2 < rows && c2 >= 0 && c2 < cols)
                    e.emplace_back(static_cast<hcp::NodeId>(r * cols + c),
                                   static_cast<hcp::NodeId>(r2 * cols + c2));
            }
    return hcp::Graph::FromEdges(static_cast<hcp::NodeId>(rows * cols), e);
}

}  // namespace solvetest
