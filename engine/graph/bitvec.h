// CBitVec: a growable vector of bits packed eight to a byte, least
// significant bit first. It is the pair store of every CBitGraph and stays
// internal to the library (not exported).
#pragma once

#include <cstdint>
#include <iosfwd>

typedef std::uint8_t BYTE;

class CBitVec {
public:
    // Storage: (n+7)/8 bytes, null when n = 0. Bits of the last byte beyond
    // n are spare bits: whole-byte operations carry them, bit queries ignore
    // them.
    BYTE* m_pData;
    std::uint32_t m_nBits;

    // Construction and assignment.
    CBitVec();
    explicit CBitVec(std::uint32_t n);
    CBitVec(std::uint32_t n, bool v);
    CBitVec(const BYTE* buf, std::uint32_t n);  // null buf is fatal (exit 1)
    CBitVec(const CBitVec& v);
    ~CBitVec();
    CBitVec& operator=(const CBitVec& v);
    CBitVec& operator=(bool v);

    // Sets the bit count to m; leading bytes are kept, new bits read 0.
    // Returns false, leaving the vector unchanged, when memory runs out.
    bool Resize(std::uint32_t m);

    std::uint32_t Size() const { return m_nBits; }
    std::uint32_t Bytes() const { return (m_nBits + 7) / 8; }

    // Checked bit access: an index not below n writes a message to the
    // standard error stream; GetBit then answers false and SetBit does
    // nothing.
    bool GetBit(std::uint32_t k) const;
    void SetBit(std::uint32_t k, bool v);

    // Whole-vector queries; spare bits are ignored.
    bool operator==(const CBitVec& v) const;
    bool operator!=(const CBitVec& v) const { return !(*this == v); }
    bool operator==(bool v) const;
    std::uint32_t Count() const;
    std::uint32_t Hash() const;
    CBitVec operator~() const;

    // Binary form: n in decimal directly followed by the raw bytes.
    void WriteBinary(std::ostream& os) const;
    void ReadBinary(std::istream& is);
};

// Byte-wise combination over the left operand's bytes (the common part when
// the sizes differ, after the size message).
CBitVec operator&(const CBitVec& a, const CBitVec& b);
CBitVec operator|(const CBitVec& a, const CBitVec& b);
CBitVec operator^(const CBitVec& a, const CBitVec& b);

// Text form: "[\n  " then "1 "/"0 " per bit, 25 to a line, then "\n]".
std::ostream& operator<<(std::ostream& os, const CBitVec& v);
std::istream& operator>>(std::istream& is, CBitVec& v);

namespace hcp {

// Byte-block helpers: dst[i] := dst[i] op src[i] for i < bytes.
void AndBytes(BYTE* dst, const BYTE* src, std::uint32_t bytes);
void OrBytes(BYTE* dst, const BYTE* src, std::uint32_t bytes);
void XorBytes(BYTE* dst, const BYTE* src, std::uint32_t bytes);

// Writes the size-mismatch message of the binary operators.
void ReportBitVecSizeMismatch();

}  // namespace hcp

// Index of the lowest set (clear) bit below n, or -1.
int FirstSet(const BYTE* block, std::uint32_t n);
int FirstClear(const BYTE* block, std::uint32_t n);
