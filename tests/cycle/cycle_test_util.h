// Small helpers shared by the cycle tests: graphs from edge lists and the
// order as a vector.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "cycle/cycle.h"

namespace cycletest {

// A CCycle on n nodes whose only edges are the listed pairs; the order is
// the identity.
inline CCycle WithEdges(short n, std::initializer_list<std::pair<short, short>> edges)
{
    CCycle c(n);
    c = true;
    for (auto [u, v] : edges) c.SetEdge(u, v);
    return c;
}

inline std::vector<short> Order(const CCycle& c)
{
    return {c.m_path.begin(), c.m_path.end()};
}

// Installs an order given as numbers (no check).
inline void SetOrder(CCycle& c, std::vector<short> order)
{
    std::list<short> l(order.begin(), order.end());
    c.Restore(&l);
}

inline std::vector<short> Identity(int n)
{
    std::vector<short> v;
    for (int i = 1; i <= n; ++i) v.push_back(static_cast<short>(i));
    return v;
}

}  // namespace cycletest
