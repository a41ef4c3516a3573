// CBitVec text and binary stream forms. Readers fill a temporary vector and
// replace the target only when the read succeeded, so a bad stream never
// leaves a vector half-read.
#include "graph/bitvec.h"

#include <cctype>
#include <cstring>
#include <istream>
#include <ostream>
#include <utility>

std::ostream& operator<<(std::ostream& os, const CBitVec& v) {
    os << "[\n  ";
    for (std::uint32_t k = 0; k < v.m_nBits; ++k) {
        if (k > 0 && k % 25 == 0) os << "\n  ";
        os << (((v.m_pData[k >> 3] >> (k & 7u)) & 1u) ? "1 " : "0 ");
    }
    os << "\n]";
    return os;
}

namespace {

// Stores item number k, growing the vector by 32 bits whenever it is full.
bool PutItem(CBitVec& v, std::uint32_t k, bool bit) {
    if (k >= v.m_nBits && !v.Resize(v.m_nBits + 32)) return false;
    v.SetBit(k, bit);
    return true;
}

}  // namespace

// Items are the characters '1' and '0' as the writer puts them. Any other
// item, a list cut off before its "]", or memory running out sets failbit
// and leaves v unchanged. The bare form (no "[") ends at the end of the
// stream or before the first character that is not an item; its count is
// the number of items read.
std::istream& operator>>(std::istream& is, CBitVec& v) {
    CBitVec items;
    std::uint32_t count = 0;
    char c = 0;
    if (!(is >> c)) return is;
    if (c == '[') {
        for (;;) {
            if (!(is >> c)) return is;  // cut off: failbit already set
            if (c == ']') break;
            if ((c != '0' && c != '1') || !PutItem(items, count, c == '1')) {
                is.setstate(std::ios::failbit);
                return is;
            }
            ++count;
        }
    } else {
        is.putback(c);
        for (;;) {
            is >> std::ws;
            int next = is.peek();
            if (next != '0' && next != '1') break;
            is.get();
            if (!PutItem(items, count, next == '1')) {
                is.setstate(std::ios::failbit);
                return is;
            }
            ++count;
        }
        if (count == 0) {
            is.setstate(std::ios::failbit);
            return is;
        }
        is.clear(is.rdstate() & ~std::ios::failbit);
    }
    if (!items.Resize(count)) {
        is.setstate(std::ios::failbit);
        return is;
    }
    std::swap(v.m_pData, items.m_pData);
    std::swap(v.m_nBits, items.m_nBits);
    return is;
}

void CBitVec::WriteBinary(std::ostream& os) const {
    os << m_nBits;
    if (m_nBits) os.write(reinterpret_cast<const char*>(m_pData), Bytes());
}

// The count is read as the decimal digits in front of the bytes, at most
// ten of them and no more than a 32-bit count holds. A block whose first
// byte is itself an ASCII digit cannot be told apart from a longer count;
// the form has no separator, so such a block misreads.
void CBitVec::ReadBinary(std::istream& is) {
    std::uint64_t n = 0;
    int digits = 0;
    while (digits < 10) {
        int c = is.peek();
        if (c == std::char_traits<char>::eof() || !std::isdigit(c)) break;
        std::uint64_t next = n * 10 + static_cast<unsigned>(c - '0');
        if (next > 0xFFFFFFFFull) break;
        n = next;
        is.get();
        ++digits;
    }
    if (digits == 0) {
        is.setstate(std::ios::failbit);
        return;
    }
    if (n != 0 && !is.good()) return;
    CBitVec block(static_cast<std::uint32_t>(n));
    if (n != 0 && block.m_pData == nullptr) {
        is.setstate(std::ios::failbit);
        return;
    }
    if (n != 0 && !is.read(reinterpret_cast<char*>(block.m_pData), block.Bytes())) return;
    std::swap(m_pData, block.m_pData);
    std::swap(m_nBits, block.m_nBits);
}
