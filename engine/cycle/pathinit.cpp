// Starting orders: the identity or a shuffle (Init), and a greedy walk
// along the graph's edges (PathInit).
#include "cycle/cycle.h"

#include <vector>

#include "cycle/msrand.h"
#include "graph/randsrc.h"
#include "graph/seedclock.h"

namespace {

// Reseeds the library's random source and the shuffle generator from two
// readings of the seeding clock.
void ReseedFromClock()
{
    rand_int.set_seed(static_cast<int>(hcp::SeedClockMillis()));
    hcp::MsSrand(hcp::SeedClockMillis());
}

// The nodes 1..n after the shuffle: entry i trades places with an entry
// chosen among those before it (never itself), drawn as MsRand() mod i.
std::vector<short> ShuffledNodes(short n)
{
    std::vector<short> v(n > 0 ? n : 0);
    for (int i = 0; i < n; ++i) v[i] = static_cast<short>(i + 1);
    for (int i = 1; i < n; ++i) {
        const int j = hcp::MsRand() % i;
        std::swap(v[i], v[j]);
    }
    return v;
}

}  // namespace

void CCycle::Init(bool shuffle)
{
    m_path.clear();
    m_usedMoves.clear();
    m_usedMoves2.clear();
    ReseedFromClock();
    const short n = GetDim();
    if (!shuffle) {
        for (int v = 1; v <= n; ++v) m_path.push_back(static_cast<short>(v));
        return;
    }
    // Each entry goes in at the front, so the order reads the shuffle backwards.
    const std::vector<short> v = ShuffledNodes(n);
    m_path.assign(v.rbegin(), v.rend());
}

void CCycle::PathInit(bool shuffle)
{
    PathInit(shuffle, hcp::SearchControl{});
}

// The candidates are kept in an array-linked list (next/prev indexes into
// one array of node numbers) so that taking one out costs O(1) and a scan
// runs over contiguous memory. The walk makes at most N(N-1)/2 edge tests,
// which on a large sparse graph takes seconds: a stop request ends the walk
// and the remaining candidates follow in their list order, so the order is
// still every node once. Without a stop the order is the same as ever.
void CCycle::PathInit(bool shuffle, const hcp::SearchControl& ctl)
{
    m_path.clear();
    m_usedMoves.clear();
    m_usedMoves2.clear();
    const int n = GetDim();
    if (n <= 0) return;

    std::vector<short> cand;
    if (shuffle) {
        ReseedFromClock();
        const std::vector<short> v = ShuffledNodes(static_cast<short>(n));
        cand.assign(v.rbegin(), v.rend());
    } else {
        cand.resize(n);
        for (int i = 0; i < n; ++i) cand[i] = static_cast<short>(i + 1);
    }

    // Slot n is the list head; next[n] is the first remaining candidate.
    std::vector<int> next(n + 1), prev(n + 1);
    for (int i = 0; i <= n; ++i) {
        next[i] = i + 1 <= n ? i + 1 : 0;
        prev[i] = i - 1 >= 0 ? i - 1 : n;
    }
    auto take = [&](int i) {
        next[prev[i]] = next[i];
        prev[next[i]] = prev[i];
    };

    short u = cand[0];
    m_path.push_back(u);
    take(0);
    while (next[n] != n) {
        if (ctl.stop.stop_requested()) {
            for (int i = next[n]; i != n; i = next[i]) m_path.push_back(cand[i]);
            return;
        }
        int pick = next[n];
        for (int i = next[n]; i != n; i = next[i]) {
            if (GetEdge(u, cand[i])) {
                pick = i;
                break;
            }
        }
        u = cand[pick];
        m_path.push_back(u);
        take(pick);
    }
}
