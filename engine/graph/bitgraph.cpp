// CBitGraph: construction, assignment, comparison, edges and degrees.
// Storage that cannot be allocated never leaves a graph whose N disagrees
// with its store: constructors fall back to the empty graph, SetDim and
// assignment leave the graph as it was.
#include "graph/bitgraph.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "graph/pairscan.h"

namespace {

std::uint32_t PairsFor(std::int32_t n) {
    return n < 2 ? 0u : static_cast<std::uint32_t>(static_cast<std::uint64_t>(n) * (n - 1) / 2);
}

std::int16_t* AllocDegrees(std::int32_t n) {
    if (n <= 0) return nullptr;
    std::int16_t* t = new (std::nothrow) std::int16_t[static_cast<std::size_t>(n)];
    if (t) std::fill_n(t, n, std::int16_t{0});
    return t;
}

}  // namespace

CBitGraph::CBitGraph() : m_nDim(0), m_nMaxDeg(0), m_nMinDeg(0), m_pDeg(nullptr) {}

CBitGraph::CBitGraph(short n)
    : m_Bits(PairsFor(n)), m_nDim(n < 0 ? 0 : n), m_nMaxDeg(0), m_nMinDeg(0), m_pDeg(AllocDegrees(n)) {
    if (m_Bits.m_nBits != PairsFor(m_nDim) || (m_nDim > 0 && m_pDeg == nullptr)) {
        CBitVec empty;
        m_Bits = empty;
        delete[] m_pDeg;
        m_pDeg = nullptr;
        m_nDim = 0;
    }
}

CBitGraph::CBitGraph(const CBitGraph& g)
    : m_Bits(g.m_Bits), m_nDim(g.m_nDim), m_nMaxDeg(0), m_nMinDeg(0), m_pDeg(AllocDegrees(g.m_nDim)) {
    if (m_Bits.m_nBits != g.m_Bits.m_nBits || (m_nDim > 0 && m_pDeg == nullptr)) {
        CBitVec empty;
        m_Bits = empty;
        delete[] m_pDeg;
        m_pDeg = nullptr;
        m_nDim = 0;
    }
    CalcDeg();
}

CBitGraph::~CBitGraph() { delete[] m_pDeg; }

void CBitGraph::SetDim(short n) {
    if (n < 0) n = 0;
    std::int16_t* table = AllocDegrees(n);
    if (n > 0 && table == nullptr) return;
    if (!m_Bits.Resize(PairsFor(n))) {
        delete[] table;
        return;
    }
    delete[] m_pDeg;
    m_pDeg = table;
    m_nDim = n;
    m_nMinDeg = m_nMaxDeg = 0;
}

// Assignment copies the store and sizes the degree table to the new N in
// every case, so the table never stays at the size of the old graph.
CBitGraph& CBitGraph::operator=(const CBitGraph& g) {
    if (this == &g) return *this;
    std::int16_t* table = AllocDegrees(g.m_nDim);
    if (g.m_nDim > 0 && table == nullptr) return *this;
    CBitVec bits(g.m_Bits);
    if (bits.m_nBits != g.m_Bits.m_nBits) {
        delete[] table;
        return *this;
    }
    std::swap(m_Bits.m_pData, bits.m_pData);
    std::swap(m_Bits.m_nBits, bits.m_nBits);
    delete[] m_pDeg;
    m_pDeg = table;
    m_nDim = g.m_nDim;
    CalcDeg();
    return *this;
}

CBitGraph& CBitGraph::operator=(bool v) {
    m_Bits = v;
    std::int16_t d = v || m_nDim == 0 ? 0 : static_cast<std::int16_t>(m_nDim - 1);
    if (m_pDeg) std::fill_n(m_pDeg, m_nDim, d);
    m_nMinDeg = m_nMaxDeg = d;
    return *this;
}

bool CBitGraph::operator==(CBitGraph& g) {
    if (m_Bits.m_nBits != g.m_Bits.m_nBits || m_nDim != g.m_nDim) return false;
    std::uint32_t bytes = m_Bits.Bytes();
    return bytes == 0 || std::memcmp(m_Bits.m_pData, g.m_Bits.m_pData, bytes) == 0;
}

bool CBitGraph::operator==(const CBitGraph& g) const {
    return m_nDim == g.m_nDim && m_Bits == g.m_Bits;
}

namespace {

// Combines over the bytes both stores have; a size mismatch is reported
// first, as the bit vector's binary operators do.
void CombineStores(CBitVec& dst, const CBitVec& src, void (*combine)(BYTE*, const BYTE*, std::uint32_t)) {
    if (dst.m_nBits != src.m_nBits) hcp::ReportBitVecSizeMismatch();
    std::uint32_t common = std::min(dst.Bytes(), src.Bytes());
    if (common) combine(dst.m_pData, src.m_pData, common);
}

}  // namespace

CBitGraph& CBitGraph::operator&=(const CBitGraph& g) {
    CombineStores(m_Bits, g.m_Bits, hcp::AndBytes);
    return *this;
}

CBitGraph& CBitGraph::operator|=(const CBitGraph& g) {
    CombineStores(m_Bits, g.m_Bits, hcp::OrBytes);
    return *this;
}

CBitGraph& CBitGraph::operator^=(const CBitGraph& g) {
    CombineStores(m_Bits, g.m_Bits, hcp::XorBytes);
    return *this;
}

CBitGraph operator&(const CBitGraph& a, const CBitGraph& b) {
    CBitGraph r(a);
    r &= b;
    r.CalcDeg();
    return r;
}

CBitGraph operator|(const CBitGraph& a, const CBitGraph& b) {
    CBitGraph r(a);
    r |= b;
    r.CalcDeg();
    return r;
}

CBitGraph operator^(const CBitGraph& a, const CBitGraph& b) {
    CBitGraph r(a);
    r ^= b;
    r.CalcDeg();
    return r;
}

void CBitGraph::SetEdgeVal(short i, short j, bool v) {
    if (i == j) return;
    if (i > j) std::swap(i, j);
    if (i < 1 || j > m_nDim) return;
    std::uint32_t p = PairIndex(i, j);
    BYTE mask = static_cast<BYTE>(1u << (p & 7u));
    if (v) m_Bits.m_pData[p >> 3] |= mask;
    else m_Bits.m_pData[p >> 3] &= static_cast<BYTE>(~mask);
}

// Row k (pairs with larger nodes) is one run of bits and is set a byte at a
// time; the column (pairs with smaller nodes) is set bit by bit.
void CBitGraph::DeleteNode(short k) {
    if (k < 1 || k > m_nDim) return;
    for (short l = 1; l < k; ++l) SetEdgeVal(l, k, true);
    if (k == m_nDim) return;
    std::uint32_t p = PairIndex(k, static_cast<short>(k + 1));
    std::uint32_t end = p + static_cast<std::uint32_t>(m_nDim - k);
    BYTE* data = m_Bits.m_pData;
    for (; p < end && (p & 7u); ++p) data[p >> 3] |= static_cast<BYTE>(1u << (p & 7u));
    if (end - p >= 8) {
        std::memset(data + (p >> 3), 0xFF, (end - p) >> 3);
        p += (end - p) & ~7u;
    }
    for (; p < end; ++p) data[p >> 3] |= static_cast<BYTE>(1u << (p & 7u));
}

// Walks the joined pairs a word at a time, so the cost grows with the
// number of store words plus the number of edges.
void CBitGraph::CalcDeg(short* deg, short& minDeg, short& maxDeg) const {
    if (m_nDim <= 0 || deg == nullptr) {
        minDeg = maxDeg = 0;
        return;
    }
    std::fill_n(deg, m_nDim, short{0});
    hcp::ForEachJoinedPair(*this, [deg](short i, short j) {
        ++deg[i - 1];
        ++deg[j - 1];
    });
    auto [lo, hi] = std::minmax_element(deg, deg + m_nDim);
    minDeg = *lo;
    maxDeg = *hi;
}

void CBitGraph::CalcDeg() {
    short lo = 0, hi = 0;
    CalcDeg(m_pDeg, lo, hi);
    m_nMinDeg = lo;
    m_nMaxDeg = hi;
}

unsigned int CBitGraph::GetEdgeCount() const {
    std::uint32_t pairs = PairCount();
    if (pairs == 0 || m_Bits.m_nBits < pairs) return 0;
    if (m_Bits.m_nBits == pairs) return pairs - m_Bits.Count();
    CBitVec head(m_Bits);
    head.Resize(pairs);
    return pairs - head.Count();
}
