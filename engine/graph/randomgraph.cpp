// The random graph generators of CBitGraph. All of them draw through
// rand_int's shaping from the one shared generator, taking its lock once
// per generator call rather than once per draw.
#include <algorithm>
#include <vector>

#include "graph/bitgraph.h"
#include "graph/randgen.h"
#include "graph/randsrc.h"
#include "graph/seedclock.h"

namespace {

// Picks the (q+1)-th of the nodes not yet placed, in increasing order, and
// removes it, in O(log N) with a Fenwick tree of counts.
class RemainingNodes {
public:
    explicit RemainingNodes(int n) : m_tree(static_cast<std::size_t>(n) + 1, 0), m_size(n) {
        m_top = 1;
        while (m_top * 2 <= n) m_top *= 2;
    }
    void Add(int node) {
        for (int i = node; i <= m_size; i += i & -i) ++m_tree[i];
    }
    int TakeNth(int q) {  // q is 0-based
        int pos = 0;
        for (int step = m_top; step > 0; step /= 2) {
            int next = pos + step;
            if (next <= m_size && m_tree[next] <= q) {
                pos = next;
                q -= m_tree[next];
            }
        }
        int node = pos + 1;
        for (int i = node; i <= m_size; i += i & -i) --m_tree[i];
        return node;
    }

private:
    std::vector<int> m_tree;
    int m_size;
    int m_top;
};

}  // namespace

// Every pair in storage order gets one draw: joined when it is even.
// Without a cap the store is written a byte at a time; spare bits are kept.
void CBitGraph::InitRandom(short k) {
    const int n = m_nDim;
    if (k == 0) {
        std::uint32_t pairs = PairCount();
        hcp::GeneratorLock lock;
        BYTE* data = m_Bits.m_pData;
        for (std::uint32_t p = 0; p < pairs; p += 8) {
            unsigned take = pairs - p < 8 ? pairs - p : 8;
            BYTE byte = data[p >> 3];
            for (unsigned b = 0; b < take; ++b) {
                BYTE mask = static_cast<BYTE>(1u << b);
                if (lock.Shaped(rand_int) & 1) byte |= mask;
                else byte &= static_cast<BYTE>(~mask);
            }
            data[p >> 3] = byte;
        }
        return;
    }
    if (m_pDeg) std::fill_n(m_pDeg, n, std::int16_t{0});
    rand_int.set_seed(static_cast<int>(hcp::SeedClockMillis()));
    hcp::GeneratorLock lock;
    for (short i = 1; i < n; ++i) {
        for (short j = static_cast<short>(i + 1); j <= n; ++j) {
            int v = lock.Shaped(rand_int);
            if ((v & 1) == 0 && m_pDeg[i - 1] < k && m_pDeg[j - 1] < k) {
                SetEdge(i, j);
                ++m_pDeg[i - 1];
                ++m_pDeg[j - 1];
            } else {
                DelEdge(i, j);
            }
        }
    }
}

// Node by node: each node a takes its candidates from a random order of all
// nodes, rotated at a random place, and joins the first ones above a that
// are still below degree k until a reaches k. Current degrees are kept in a
// table updated on every join, which always equals the count from the store
// (the store starts edgeless and only gains edges).
void CBitGraph::InitRandom2(short k) {
    *this = true;
    const int n = m_nDim;
    if (k == 0) {
        hcp::GeneratorLock lock;
        for (short i = 1; i < n; ++i)
            for (short j = static_cast<short>(i + 1); j <= n; ++j)
                if ((lock.Shaped(rand_int) & 1) == 0) SetEdge(i, j);
        return;
    }
    if (n < 2) return;
    std::vector<int> degree(static_cast<std::size_t>(n) + 1, 0);
    std::vector<short> order(static_cast<std::size_t>(n) + 1);
    hcp::GeneratorLock lock;
    for (short a = 1; a <= n; ++a) {
        RemainingNodes rest(n);
        for (int v = 2; v <= n; ++v) rest.Add(v);
        order[1] = 1;
        for (int t = 2; t <= n; ++t) {
            unsigned remaining = static_cast<unsigned>(n - t + 1);
            unsigned q = static_cast<unsigned>(lock.Shaped(rand_int)) % remaining;
            order[t] = static_cast<short>(rest.TakeNth(static_cast<int>(q)));
        }
        int c = static_cast<int>(static_cast<unsigned>(lock.Shaped(rand_int)) % static_cast<unsigned>(n - 1)) + 1;
        int wanted = k - degree[a];
        int added = 0;
        for (int s = 0; s < n; ++s) {
            if (added >= wanted) break;
            short v = order[(c - 1 + s) % n + 1];
            if (v > a && !GetEdge(a, v) && degree[v] < k) {
                SetEdge(a, v);
                ++degree[a];
                ++degree[v];
                ++added;
            }
        }
    }
}

// m pairs drawn at random (first node first) are joined in an edgeless
// graph; a node drawn twice in one pair joins nothing.
void CBitGraph::InitGraph(short m) {
    *this = true;
    rand_int.set_seed(static_cast<int>(hcp::SeedClockSeconds()));
    const unsigned n = static_cast<unsigned>(m_nDim);
    if (n > 0) {
        hcp::GeneratorLock lock;
        for (short t = 0; t < m; ++t) {
            short a = static_cast<short>(static_cast<unsigned>(lock.Shaped(rand_int)) % n + 1);
            short b = static_cast<short>(static_cast<unsigned>(lock.Shaped(rand_int)) % n + 1);
            if (a != b) SetEdge(a, b);
        }
    }
    CalcDeg();
}
