// TSPLIB HCP graph files: Store and PrintOn write them, Load reads them
// positionally (dimension from line 4, edges from line 7 on). Load reads
// into a temporary store and replaces the graph only when the whole file
// was read without a fault, so a rejected file leaves the graph untouched.
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
#include "graph/hcplines.h"

namespace {

thread_local std::string t_lastLoadError;

// Records a rejection and writes it as one line on the error stream.
bool Reject(const std::string& message) {
    t_lastLoadError = message;
    std::cerr << message << std::endl;
    return false;
}

bool RejectAt(const char* path, long line, const std::string& problem) {
    return Reject(std::string(path) + ":" + std::to_string(line) + ": " + problem);
}

std::string_view StripTrailingBlanks(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string_view StripLeadingBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

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

bool CBitGraph::Load(const char* path) {
    t_lastLoadError.clear();
    const char* name = path ? path : "";
    std::FILE* file = std::fopen(name, "rb");
    if (file == nullptr) return Reject(std::string("Can't open file ") + name);
    hcp::LineReader reader(file);
    auto fileCloser = [](std::FILE* f) { std::fclose(f); };
    std::unique_ptr<std::FILE, decltype(fileCloser)> closeOnReturn(file, fileCloser);

    std::string line;
    bool gotFirst = reader.Next(line);
    if (reader.Failed()) return Reject(std::string("Can't open file ") + name);
    if (!gotFirst || line.compare(0, 4, "NAME") != 0) {
        t_lastLoadError = std::string(name) + ":1: Can't recognize TSPLIB format.";
        std::cerr << "Can't recognize TSPLIB format." << std::endl;
        return false;
    }

    // Header: lines 2 and 3 are skipped, line 4 holds the dimension after
    // its last ':', lines 5 and 6 are skipped.
    long n = 0;
    long dimensionLine = 0;
    for (int k = 2; k <= 6; ++k) {
        if (!reader.Next(line)) {
            if (reader.Failed()) return RejectAt(name, reader.LineNumber(), "read error");
            return RejectAt(name, reader.LineNumber(), "file ends before the edge section");
        }
        if (k != 4) continue;
        dimensionLine = reader.LineNumber();
        std::size_t colon = line.rfind(':');
        if (colon == std::string::npos) return RejectAt(name, dimensionLine, "dimension line has no ':'");
        n = hcp::ParseLeadingInt(std::string_view(line).substr(colon + 1));
        if (n < 0 || n > 32767)
            return RejectAt(name, dimensionLine, "dimension " + std::to_string(n) + " is outside 0..32767");
    }

    std::uint64_t pairs = n < 2 ? 0 : static_cast<std::uint64_t>(n) * (n - 1) / 2;
    CBitVec store(static_cast<std::uint32_t>(pairs), true);
    if (store.m_nBits != pairs)
        return RejectAt(name, dimensionLine, "not enough memory for " + std::to_string(n) + " nodes");

    // Edge list: a line without a blank (after trailing blanks are dropped)
    // ends it, and so do "-1" and "EOF" however they are indented.
    while (reader.Next(line)) {
        std::string_view text = StripTrailingBlanks(line);
        std::string_view bare = StripLeadingBlanks(text);
        if (bare.empty() || bare == "-1" || bare == "EOF") break;
        std::size_t lastSpace = text.rfind(' ');
        if (lastSpace == std::string_view::npos) break;
        long a = hcp::ParseLeadingInt(text);
        long b = hcp::ParseLeadingInt(text.substr(lastSpace + 1));
        if (a < 1 || a > n || b < 1 || b > n || a == b) {
            std::string edge = "edge " + std::to_string(a) + " " + std::to_string(b);
            if (a == b && a >= 1 && a <= n)
                return RejectAt(name, reader.LineNumber(), edge + " joins a node to itself");
            return RejectAt(name, reader.LineNumber(), edge + " names a node outside 1.." + std::to_string(n));
        }
        if (a > b) std::swap(a, b);
        std::uint64_t p = static_cast<std::uint64_t>(a - 1) * (2 * n - a) / 2 + static_cast<std::uint64_t>(b - a - 1);
        store.m_pData[p >> 3] &= static_cast<BYTE>(~(1u << (p & 7u)));
    }
    if (reader.Failed()) return RejectAt(name, reader.LineNumber(), "read error");

    // Commit: size the object through its own SetDim (a derived class sizes
    // its bookkeeping too), then put the edges in place.
    SetDim(static_cast<short>(n));
    if (m_nDim != n || m_Bits.m_nBits != pairs)
        return RejectAt(name, dimensionLine, "not enough memory for " + std::to_string(n) + " nodes");
    std::swap(m_Bits.m_pData, store.m_pData);
    CalcDeg();
    return true;
}
