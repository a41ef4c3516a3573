// CBitVec: construction, resizing, checked bit access, whole-vector queries
// and the byte-block helpers. Whole-vector work runs over bytes (or 64-bit
// words of them); only the last partial byte is looked at bit by bit.
#include "graph/bitvec.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

namespace {

std::uint32_t ByteCount(std::uint32_t bits) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(bits) + 7) / 8);
}

// Allocation that reports failure with a null pointer instead of throwing;
// zero bytes give no block at all.
BYTE* AllocBytes(std::uint32_t bytes) {
    if (bytes == 0) return nullptr;
    return new (std::nothrow) BYTE[bytes];
}

// Mask of the used bits of the last byte of an n-bit vector (0xFF when the
// last byte is full).
BYTE LastByteMask(std::uint32_t n) {
    unsigned used = n & 7u;
    return used == 0 ? BYTE(0xFF) : static_cast<BYTE>((1u << used) - 1);
}

std::uint64_t LoadWord(const BYTE* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

void ReportIndex(std::uint32_t k, std::uint32_t n) {
    std::cerr << "Index " << k << " is out of range " << n << std::endl;
}

}  // namespace

CBitVec::CBitVec() : m_pData(nullptr), m_nBits(0) {}

// A block that cannot be allocated leaves an empty vector, which every
// checked access treats as out of range rather than touching memory.
CBitVec::CBitVec(std::uint32_t n) : m_pData(AllocBytes(ByteCount(n))), m_nBits(n) {
    if (m_pData) std::memset(m_pData, 0, Bytes());
    else m_nBits = 0;
}

CBitVec::CBitVec(std::uint32_t n, bool v) : m_pData(AllocBytes(ByteCount(n))), m_nBits(n) {
    if (m_pData) std::memset(m_pData, v ? 0xFF : 0x00, Bytes());
    else m_nBits = 0;
}

CBitVec::CBitVec(const BYTE* buf, std::uint32_t n) : m_pData(nullptr), m_nBits(0) {
    if (buf == nullptr) {
        std::cerr << "CBitVec::CBitVec(const BYTE*,size_t): " << '\n'
                  << "Initialization from nil buffer" << std::endl;
        std::exit(1);
    }
    m_pData = AllocBytes(ByteCount(n));
    if (m_pData) {
        m_nBits = n;
        std::memcpy(m_pData, buf, Bytes());
    }
}

CBitVec::CBitVec(const CBitVec& v) : m_pData(AllocBytes(v.Bytes())), m_nBits(v.m_nBits) {
    if (m_pData) std::memcpy(m_pData, v.m_pData, Bytes());
    else m_nBits = 0;
}

CBitVec::~CBitVec() { delete[] m_pData; }

// The new block is allocated before the old one is released, so a failed
// allocation leaves the vector as it was.
CBitVec& CBitVec::operator=(const CBitVec& v) {
    if (m_pData == v.m_pData) {
        m_nBits = v.m_nBits;  // both empty: only the counts can differ
        return *this;
    }
    BYTE* block = AllocBytes(v.Bytes());
    if (v.Bytes() != 0 && block == nullptr) return *this;
    if (block) std::memcpy(block, v.m_pData, v.Bytes());
    delete[] m_pData;
    m_pData = block;
    m_nBits = v.m_nBits;
    return *this;
}

CBitVec& CBitVec::operator=(bool v) {
    if (m_pData) std::memset(m_pData, v ? 0xFF : 0x00, Bytes());
    return *this;
}

bool CBitVec::Resize(std::uint32_t m) {
    std::uint32_t q = m_nBits;
    std::uint32_t oldBytes = ByteCount(q), newBytes = ByteCount(m);
    if (newBytes != oldBytes) {
        BYTE* block = AllocBytes(newBytes);
        if (newBytes != 0 && block == nullptr) return false;
        std::uint32_t keep = oldBytes < newBytes ? oldBytes : newBytes;
        if (keep) std::memcpy(block, m_pData, keep);
        if (newBytes > keep) std::memset(block + keep, 0, newBytes - keep);
        delete[] m_pData;
        m_pData = block;
    }
    m_nBits = m;
    // Growing from a partial last byte: its unused high bits become real
    // bits and must read 0.
    if (m > q && (q & 7u) != 0) m_pData[oldBytes - 1] &= LastByteMask(q);
    return true;
}

bool CBitVec::GetBit(std::uint32_t k) const {
    if (k >= m_nBits) {
        ReportIndex(k, m_nBits);
        return false;
    }
    return (m_pData[k >> 3] >> (k & 7u)) & 1u;
}

void CBitVec::SetBit(std::uint32_t k, bool v) {
    if (k >= m_nBits) {
        ReportIndex(k, m_nBits);
        return;
    }
    BYTE mask = static_cast<BYTE>(1u << (k & 7u));
    if (v) m_pData[k >> 3] |= mask;
    else m_pData[k >> 3] &= static_cast<BYTE>(~mask);
}

bool CBitVec::operator==(const CBitVec& v) const {
    if (m_nBits != v.m_nBits) return false;
    if (m_nBits == 0) return true;
    std::uint32_t full = m_nBits / 8;
    if (full && std::memcmp(m_pData, v.m_pData, full) != 0) return false;
    if (m_nBits & 7u) {
        BYTE mask = LastByteMask(m_nBits);
        if ((m_pData[full] & mask) != (v.m_pData[full] & mask)) return false;
    }
    return true;
}

bool CBitVec::operator==(bool v) const {
    BYTE fill = v ? 0xFF : 0x00;
    std::uint32_t full = m_nBits / 8;
    for (std::uint32_t i = 0; i < full; ++i)
        if (m_pData[i] != fill) return false;
    if (m_nBits & 7u) {
        BYTE mask = LastByteMask(m_nBits);
        if ((m_pData[full] & mask) != (fill & mask)) return false;
    }
    return true;
}

// Population count over whole 64-bit words, then the remaining bytes, then
// the used bits of a partial last byte.
std::uint32_t CBitVec::Count() const {
    std::uint32_t full = m_nBits / 8;
    std::uint64_t count = 0;
    std::uint32_t i = 0;
    for (; i + 8 <= full; i += 8) count += std::popcount(LoadWord(m_pData + i));
    for (; i < full; ++i) count += std::popcount(static_cast<unsigned>(m_pData[i]));
    if (m_nBits & 7u)
        count += std::popcount(static_cast<unsigned>(m_pData[full] & LastByteMask(m_nBits)));
    return static_cast<std::uint32_t>(count);
}

std::uint32_t CBitVec::Hash() const {
    std::uint32_t h = m_nBits;
    std::uint32_t full = m_nBits / 8;
    for (std::uint32_t i = 0; i < full; ++i) h = std::rotl(h, 5) ^ m_pData[i];
    if (m_nBits & 7u) h = std::rotl(h, 5) ^ (m_pData[full] & LastByteMask(m_nBits));
    return h;
}

CBitVec CBitVec::operator~() const {
    CBitVec r(*this);
    for (std::uint32_t i = 0; i < r.Bytes(); ++i) r.m_pData[i] = static_cast<BYTE>(~r.m_pData[i]);
    return r;
}

namespace hcp {

void AndBytes(BYTE* dst, const BYTE* src, std::uint32_t bytes) {
    std::uint32_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t w = LoadWord(dst + i) & LoadWord(src + i);
        std::memcpy(dst + i, &w, 8);
    }
    for (; i < bytes; ++i) dst[i] &= src[i];
}

void OrBytes(BYTE* dst, const BYTE* src, std::uint32_t bytes) {
    std::uint32_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t w = LoadWord(dst + i) | LoadWord(src + i);
        std::memcpy(dst + i, &w, 8);
    }
    for (; i < bytes; ++i) dst[i] |= src[i];
}

void XorBytes(BYTE* dst, const BYTE* src, std::uint32_t bytes) {
    std::uint32_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t w = LoadWord(dst + i) ^ LoadWord(src + i);
        std::memcpy(dst + i, &w, 8);
    }
    for (; i < bytes; ++i) dst[i] ^= src[i];
}

void ReportBitVecSizeMismatch() {
    std::cerr << "Binary bitwise operator on two CBitVecs: " << '\n'
              << "dimensions are not equal" << std::endl;
}

}  // namespace hcp

namespace {

// The result is the left operand combined over the bytes both operands
// have; with different sizes the size message comes first.
template <typename Combine>
CBitVec CombineVecs(const CBitVec& a, const CBitVec& b, Combine combine) {
    if (a.m_nBits != b.m_nBits) hcp::ReportBitVecSizeMismatch();
    CBitVec r(a);
    std::uint32_t common = r.Bytes() < b.Bytes() ? r.Bytes() : b.Bytes();
    if (common) combine(r.m_pData, b.m_pData, common);
    return r;
}

}  // namespace

CBitVec operator&(const CBitVec& a, const CBitVec& b) { return CombineVecs(a, b, hcp::AndBytes); }
CBitVec operator|(const CBitVec& a, const CBitVec& b) { return CombineVecs(a, b, hcp::OrBytes); }
CBitVec operator^(const CBitVec& a, const CBitVec& b) { return CombineVecs(a, b, hcp::XorBytes); }

// Scans whole bytes for one that is not all-clear (all-set), then the bits
// of that byte.
int FirstSet(const BYTE* block, std::uint32_t n) {
    std::uint32_t bytes = ByteCount(n);
    for (std::uint32_t i = 0; i < bytes; ++i) {
        if (block[i] == 0) continue;
        std::uint32_t k = i * 8 + static_cast<std::uint32_t>(std::countr_zero(static_cast<unsigned>(block[i])));
        return k < n ? static_cast<int>(k) : -1;
    }
    return -1;
}

int FirstClear(const BYTE* block, std::uint32_t n) {
    std::uint32_t bytes = ByteCount(n);
    for (std::uint32_t i = 0; i < bytes; ++i) {
        if (block[i] == 0xFF) continue;
        unsigned inv = static_cast<BYTE>(~block[i]);
        std::uint32_t k = i * 8 + static_cast<std::uint32_t>(std::countr_zero(inv));
        return k < n ? static_cast<int>(k) : -1;
    }
    return -1;
}
