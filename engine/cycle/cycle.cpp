// CCycle construction and assignment, the primitives on the order, and
// saving and restoring the order and the graph.
#include "cycle/cycle.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <vector>

namespace {

// Appends 1, 2, ..., n to an empty order.
void FillIdentity(std::list<short>& path, short n)
{
    for (int v = 1; v <= n; ++v) path.push_back(static_cast<short>(v));
}

}  // namespace

CCycle::CCycle() = default;

CCycle::CCycle(short n)
    : CBitGraph(n), m_triedGaps(n)
{
    FillIdentity(m_path, n);
}

CCycle::CCycle(const CBitGraph& g)
    : CBitGraph(g), m_triedGaps(g.GetDim())
{
    // The copy counted the degrees; this object starts, like one given only
    // a dimension, with the cache not computed.
    m_nMinDeg = 0;
    m_nMaxDeg = 0;
    if (m_pDeg && m_nDim > 0) std::fill_n(m_pDeg, m_nDim, std::int16_t{0});
    FillIdentity(m_path, GetDim());
}

CCycle::CCycle(const CCycle& other)
    : CBitGraph(other), m_path(other.m_path), m_triedGaps(other.m_triedGaps)
{
}

CCycle::~CCycle() = default;

void CCycle::SetDim(short n)
{
    CBitGraph::SetDim(n);
    m_triedGaps.SetDim(n);
}

CCycle& CCycle::operator=(bool b)
{
    // Only the pair bits: the degree cache, the order and the bookkeeping stay.
    m_Bits = b;
    return *this;
}

CCycle& CCycle::operator=(const CBitGraph& g)
{
    if (&g == static_cast<const CBitGraph*>(this)) return *this;
    if (m_Bits.m_pData && g.m_Bits.m_pData == m_Bits.m_pData) return *this;
    // A new dimension needs a degree table of the new size; with the same
    // dimension the (now stale) table is left as it is.
    if (g.GetDim() != GetDim()) CBitGraph::SetDim(g.GetDim());
    m_Bits = g.m_Bits;
    m_nDim = g.m_nDim;
    m_triedGaps.SetDim(GetDim());
    m_triedGaps = false;
    return *this;
}

void CCycle::Store(CBitGraph* g)
{
    if (!g || g == static_cast<CBitGraph*>(this)) return;
    // g's degree table must match its dimension, so a size change goes
    // through its own SetDim first; otherwise its cache is left alone.
    if (g->GetDim() != GetDim()) g->SetDim(GetDim());
    g->m_Bits = m_Bits;
    g->m_nDim = m_nDim;
}

void CCycle::Store(std::list<short>* l)
{
    if (!l || l == &m_path) return;
    *l = m_path;
}

void CCycle::Restore(CBitGraph* g)
{
    if (!g || g == static_cast<CBitGraph*>(this)) return;
    // Callers restore a graph of the same size; should the size differ, the
    // degree table and the marks are resized with it so that nothing is
    // indexed past its end.
    if (g->GetDim() != GetDim()) SetDim(g->GetDim());
    m_Bits = g->m_Bits;
    m_nDim = g->m_nDim;
}

void CCycle::Restore(std::list<short>* l)
{
    if (!l || l == &m_path) return;
    m_path = *l;
}

CCycle::Position CCycle::Find(short v)
{
    return std::find(m_path.begin(), m_path.end(), v);
}

// Both walks below stop at b; the step bound only keeps a position that is
// not in the order from looping forever.
int CCycle::Distance(Position a, Position b)
{
    const std::size_t limit = m_path.size();
    int d = 0;
    while (a != b) {
        if (static_cast<std::size_t>(d) >= limit) {
            assert(!"Distance: position not in the order");
            return -1;
        }
        a = Next(a);
        ++d;
    }
    return d;
}

bool CCycle::IsBetween(Position a, Position b, Position x, Position /*y*/)
{
    const std::size_t limit = m_path.size();
    std::size_t steps = 0;
    for (Position p = a; p != b; p = Next(p)) {
        if (p == x) return true;
        if (++steps >= limit) {
            assert(!"IsBetween: position not in the order");
            return false;
        }
    }
    return false;
}

// Reverses the segment a..b by exchanging node numbers from both ends
// inwards, so the list is not relinked and every position stays valid. It
// costs one walk to measure the segment and half a walk to exchange,
// without allocating.
void CCycle::Swap(Position& a, Position& b)
{
    const Position e = Next(b);
    if (e == a) return;  // b is just before a: the whole order, left as is
    std::size_t len = 1;
    for (Position p = a; p != b; p = Next(p)) ++len;
    Position lo = a;
    Position hi = b;
    for (std::size_t k = 0; k < len / 2; ++k) {
        std::swap(*lo, *hi);
        lo = Next(lo);
        hi = Prev(hi);
    }
}

int CCycle::CalcPathLen()
{
    // A node linked to itself has no pair and no gap, so orders of fewer
    // than two nodes count 0.
    if (m_path.size() < 2) return 0;
    int h = 0;
    short prev = m_path.back();
    for (short v : m_path) {
        if (!GetEdge(prev, v)) ++h;
        prev = v;
    }
    return h;
}

bool CCycle::IsPermutation(const std::list<short>& l) const
{
    const int n = GetDim();
    if (n < 0 || l.size() != static_cast<std::size_t>(n)) return false;
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
    for (short v : l) {
        if (v < 1 || v > n || seen[v]) return false;
        seen[v] = true;
    }
    return true;
}
