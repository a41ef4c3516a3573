// Scans over the pair store of a CBitGraph that visit joined pairs (clear
// bits) a 64-bit word at a time, for the whole-graph operations: degree
// counting, neighbour lists, the degree-2 reductions. Internal to the engine.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "graph/bitgraph.h"

namespace hcp {

// The complement of the 64 pair bits starting at bit `base` (a multiple of
// 64) of a store of `bits` bits: set bits mark joined pairs. Bits at or
// beyond `bits` read as 0, and no byte past the store is touched.
inline std::uint64_t JoinedWord(const BYTE* data, std::uint64_t bits, std::uint64_t base) {
    std::uint64_t byte = base / 8;
    std::uint64_t bytes = (bits + 7) / 8;
    std::uint64_t w = ~std::uint64_t{0};
    if (bytes - byte >= 8) std::memcpy(&w, data + byte, 8);  // little-endian host
    else std::memcpy(&w, data + byte, static_cast<std::size_t>(bytes - byte));
    w = ~w;
    if (bits - base < 64) w &= (std::uint64_t{1} << (bits - base)) - 1;
    return w;
}

// Calls f(i, j) for every joined pair i < j, in storage order.
template <typename F>
void ForEachJoinedPair(const CBitGraph& g, F f) {
    const std::int64_t n = g.m_nDim;
    const std::uint64_t bits = g.PairCount();
    const BYTE* data = g.m_Bits.m_pData;
    std::int64_t i = 1;
    std::uint64_t rowStart = 0, rowEnd = n > 1 ? static_cast<std::uint64_t>(n - 1) : 0;
    for (std::uint64_t base = 0; base < bits; base += 64) {
        std::uint64_t w = JoinedWord(data, bits, base);
        while (w) {
            std::uint64_t q = base + static_cast<unsigned>(std::countr_zero(w));
            w &= w - 1;
            while (q >= rowEnd) {
                rowStart = rowEnd;
                ++i;
                rowEnd += static_cast<std::uint64_t>(n - i);
            }
            f(static_cast<short>(i), static_cast<short>(i + 1 + static_cast<std::int64_t>(q - rowStart)));
        }
    }
}

// Calls f(l) for every node l joined to k, in increasing order of l.
template <typename F>
void ForEachNeighbour(const CBitGraph& g, short k, F f) {
    const std::int32_t n = g.m_nDim;
    if (k < 1 || k > n) return;
    for (short l = 1; l < k; ++l)
        if (g.GetEdge(l, k)) f(l);
    if (k == n) return;
    // Row k holds the pairs (k, k+1) .. (k, N) as one run of bits.
    const BYTE* data = g.m_Bits.m_pData;
    std::uint64_t first = g.PairIndex(k, static_cast<short>(k + 1));
    std::uint64_t end = first + static_cast<std::uint64_t>(n - k);
    std::uint64_t base = first & ~std::uint64_t{63};
    for (; base < end; base += 64) {
        std::uint64_t w = JoinedWord(data, end, base);
        if (base < first) w &= ~std::uint64_t{0} << (first - base);
        while (w) {
            std::uint64_t q = base + static_cast<unsigned>(std::countr_zero(w));
            w &= w - 1;
            f(static_cast<short>(k + 1 + static_cast<std::int64_t>(q - first)));
        }
    }
}

}  // namespace hcp
