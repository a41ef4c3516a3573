// CBitGraph: the engine's undirected simple graph on nodes 1..N, one bit per
// unordered pair (a set bit means NOT joined), with a cached degree table.
// Exported from tourkern; its field order and virtual slots are part of the
// library's binary interface and must not change.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "export.h"
#include "graph/bitvec.h"

class TOURKERN_API CBitGraph {
public:
    // Data, in interface order.
    CBitVec m_Bits;            // pair store, strict upper triangle row by row
    std::int32_t m_nDim;       // N
    std::int16_t m_nMaxDeg;    // cached maximum degree
    std::int16_t m_nMinDeg;    // cached minimum degree
    std::int16_t* m_pDeg;      // cached degree table, entry k-1 for node k

    // Construction, assignment, comparison (bitgraph.cpp).
    CBitGraph();
    explicit CBitGraph(short n);
    CBitGraph(const CBitGraph& g);
    virtual ~CBitGraph();
    virtual void SetDim(short n);
    short GetDim() const { return static_cast<short>(m_nDim); }
    CBitGraph& operator=(const CBitGraph& g);
    CBitGraph& operator=(bool v);
    bool operator==(CBitGraph& g);              // spare bits compared too
    bool operator==(const CBitGraph& g) const;  // spare bits ignored
    bool operator!=(const CBitGraph& g) const { return !(*this == g); }
    // Byte-wise combination of the stores; a size mismatch is reported and
    // the common part combined.
    CBitGraph& operator&=(const CBitGraph& g);
    CBitGraph& operator|=(const CBitGraph& g);
    CBitGraph& operator^=(const CBitGraph& g);

    // Edges and degrees (bitgraph.cpp). A node paired with itself or a node
    // outside 1..N is never joined; the setters ignore such pairs.
    bool GetEdge(short i, short j) const {
        if (i == j) return false;
        if (i > j) { short t = i; i = j; j = t; }
        if (i < 1 || j > m_nDim) return false;
        std::uint32_t p = PairIndex(i, j);
        return (m_Bits.m_pData[p >> 3] & (1u << (p & 7))) == 0;
    }
    void SetEdge(short i, short j) { SetEdgeVal(i, j, false); }
    void DelEdge(short i, short j) { SetEdgeVal(i, j, true); }
    void SetEdgeVal(short i, short j, bool v);
    void DeleteNode(short k);
    short GetDeg(short k) const { return m_pDeg[k - 1]; }
    short GetMinDeg() const { return m_nMinDeg; }
    short GetMaxDeg() const { return m_nMaxDeg; }
    void CalcDeg(short* deg, short& minDeg, short& maxDeg) const;
    void CalcDeg();
    unsigned int GetEdgeCount() const;

    // Degree-2 reductions (degree2.cpp).
    int AnalyzeDegree();
    CBitGraph& MakeCanonical();

    // Random generators (randomgraph.cpp).
    void InitGraph(short m);
    void InitRandom(short k);
    void InitRandom2(short k);

    // TSPLIB HCP files (hcpfile.cpp). Load rejects malformed files with one
    // message line and leaves the graph as it was.
    bool Load(const char* path);
    bool Store(const char* path);
    bool PrintOn(std::ostream& os);

    // Bit index of the pair {i, j}, 1 <= i < j <= N.
    std::uint32_t PairIndex(short i, short j) const {
        return static_cast<std::uint32_t>(
            (static_cast<std::uint64_t>(i - 1) * (2u * static_cast<std::uint32_t>(m_nDim) - i)) / 2
            + static_cast<std::uint32_t>(j - i - 1));
    }
    // Number of pair bits for the current N.
    std::uint32_t PairCount() const {
        return m_nDim < 2 ? 0u
            : static_cast<std::uint32_t>(static_cast<std::uint64_t>(m_nDim) * (m_nDim - 1) / 2);
    }
};

// Combine two graphs into a new one whose degree cache is current.
TOURKERN_API CBitGraph operator&(const CBitGraph& a, const CBitGraph& b);
TOURKERN_API CBitGraph operator|(const CBitGraph& a, const CBitGraph& b);
TOURKERN_API CBitGraph operator^(const CBitGraph& a, const CBitGraph& b);

namespace hcp {
// The message of the last failed Load on the calling thread ("file:line:
// problem"), or an empty string.
TOURKERN_API const char* LastLoadError();
}  // namespace hcp
