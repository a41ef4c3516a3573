// TSPLIB HCP graph files: Store and PrintOn write them. Load is built on the
// engine's strict reader (io/bitgraphload.cpp); its failures are recorded
// here, where LastLoadError finds them.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graph/bitgraph.h"
#include "graph/diagnostics.h"
#include "graph/loaderror.h"

namespace {

thread_local std::string t_lastLoadError;

// Writes n right-aligned in six columns (node numbers have at most five
// digits).
char* PutPadded(char* out, int n) {
    char digits[12];
    int len = 0;
    do {
        digits[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    for (int pad = len; pad < 6; ++pad) *out++ = ' ';
    while (len > 0) *out++ = digits[--len];
    return out;
}

// The joined-pair mask of the len (1..64) pair bits from bit start on:
// bit t set when pair start + t is joined.
std::uint64_t JoinedRun(const CBitVec& bits, std::uint32_t start, unsigned len) {
    const std::uint32_t bytes = bits.Bytes();
    const std::uint32_t byte = start >> 3;
    const unsigned shift = start & 7u;
    std::uint64_t raw = 0;
    std::uint32_t take = bytes - byte < 8 ? bytes - byte : 8;
    std::memcpy(&raw, bits.m_pData + byte, take);  // little-endian host
    std::uint64_t v = raw >> shift;
    if (shift != 0 && len > 64 - shift && byte + 8 < bytes)
        v |= static_cast<std::uint64_t>(bits.m_pData[byte + 8]) << (64 - shift);
    v = ~v;
    if (len < 64) v &= (std::uint64_t{1} << len) - 1;
    return v;
}

}  // namespace

namespace hcp {

const char* LastLoadError() { return t_lastLoadError.c_str(); }

void ClearLoadError() { t_lastLoadError.clear(); }

void ReportLoadFailure(const std::string& recorded, const std::string& printed) {
    t_lastLoadError = recorded;
    // The calling thread's sink: std::cerr unless its caller chose another.
    Diagnostics() << printed << std::endl;
}

}  // namespace hcp

// Edge lines run in descending order of the larger node i and, within it,
// of the smaller node j, so they walk the store column by column. To keep
// that fast, columns are taken 64 at a time: for each row j the bits of
// the block's columns lie side by side and come out in one word, and the
// rows with no edge into the block are dropped before the columns are
// listed.
bool CBitGraph::PrintOn(std::ostream& os) {
    os << "COMMENT: Hamiltonian cycle problem\n"
       << "TYPE: HCP\n"
       << "DIMENSION: " << m_nDim << "\n"
       << "EDGE_DATA_FORMAT: EDGE_LIST\n"
       << "EDGE_DATA_SECTION\n";
    std::string block;
    constexpr std::size_t kBlock = 1 << 16;
    block.reserve(kBlock + 16);
    // Every node number right-aligned in six columns, formatted once.
    std::vector<char> padded(static_cast<std::size_t>(m_nDim > 0 ? m_nDim + 1 : 1) * 6);
    for (int k = 1; k <= m_nDim; ++k) PutPadded(padded.data() + 6 * k, k);
    char line[16];
    std::vector<short> rows;
    std::vector<std::uint64_t> words;
    const int n = m_nDim;
    for (int top = n; top >= 2; top -= 64) {
        const int bottom = top - 63 < 2 ? 2 : top - 63;
        rows.clear();
        words.clear();
        for (int j = top - 1; j >= 1; --j) {
            int first = j + 1 > bottom ? j + 1 : bottom;
            std::uint64_t w = JoinedRun(m_Bits, PairIndex(static_cast<short>(j), static_cast<short>(first)),
                                        static_cast<unsigned>(top - first + 1));
            if (w == 0) continue;
            rows.push_back(static_cast<short>(j));
            words.push_back(w << (first - bottom));
        }
        for (int i = top; i >= bottom; --i) {
            const std::uint64_t bit = std::uint64_t{1} << (i - bottom);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (!(words[r] & bit)) continue;
                std::memcpy(line, padded.data() + 6 * i, 6);
                line[6] = ' ';
                std::memcpy(line + 7, padded.data() + 6 * rows[r], 6);
                line[13] = '\n';
                block.append(line, 14);
                if (block.size() >= kBlock) {
                    os.write(block.data(), static_cast<std::streamsize>(block.size()));
                    block.clear();
                }
            }
        }
    }
    os.write(block.data(), static_cast<std::streamsize>(block.size()));
    os << "-1\nEOF\n";
    return static_cast<bool>(os);
}

bool CBitGraph::Store(const char* path) {
    const char* name = path ? path : "";
    std::ofstream out(name, std::ios::out | std::ios::trunc);
    if (!out.is_open()) {
        std::cerr << "Cannot open file " << name << std::endl;
        return false;
    }
    out << "NAME: " << name << "\n";
    PrintOn(out);
    out.close();
    if (out.fail()) {
        std::cerr << "Cannot write file " << name << std::endl;
        return false;
    }
    return true;
}
