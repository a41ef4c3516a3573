// TSPLIB HCP graph files: Store and PrintOn write them in the engine's one
// HCP layout (io/hcpwriter.h). Load is built on the engine's strict reader
// (io/bitgraphload.cpp); its failures are recorded here, where
// LastLoadError finds them.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>
#include <unistd.h>

#include "graph/bitgraph.h"
#include "graph/diagnostics.h"
#include "graph/loaderror.h"
#include "io/atomicfile.h"
#include "io/hcpwriter.h"

namespace {

thread_local std::string t_lastLoadError;

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

namespace {

// Edge lines run in descending order of the larger node i and, within it,
// of the smaller node j, so they walk the store column by column. To keep
// that fast, columns are taken 64 at a time: for each row j the bits of
// the block's columns lie side by side and come out in one word, and the
// rows with no edge into the block are dropped before the columns are
// listed.
bool WriteBitGraph(const CBitGraph& g, std::ostream& os, const hcp::HcpWriteInfo& info) {
    hcp::HcpWriter out(os, info, static_cast<std::uint64_t>(g.m_nDim > 0 ? g.m_nDim : 0));
    std::vector<short> rows;
    std::vector<std::uint64_t> words;
    const int n = g.m_nDim;
    for (int top = n; top >= 2; top -= 64) {
        const int bottom = top - 63 < 2 ? 2 : top - 63;
        rows.clear();
        words.clear();
        for (int j = top - 1; j >= 1; --j) {
            int first = j + 1 > bottom ? j + 1 : bottom;
            std::uint64_t w = JoinedRun(g.m_Bits, g.PairIndex(static_cast<short>(j), static_cast<short>(first)),
                                        static_cast<unsigned>(top - first + 1));
            if (w == 0) continue;
            rows.push_back(static_cast<short>(j));
            words.push_back(w << (first - bottom));
        }
        for (int i = top; i >= bottom; --i) {
            const std::uint64_t bit = std::uint64_t{1} << (i - bottom);
            for (std::size_t r = 0; r < rows.size(); ++r)
                if (words[r] & bit) out.Edge(static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(rows[r]));
        }
    }
    return out.Finish();
}

}  // namespace

bool CBitGraph::PrintOn(std::ostream& os) { return WriteBitGraph(*this, os, hcp::HcpWriteInfo{}); }

// The file is replaced through the engine's atomic save, so a failed Store
// leaves the old file whole. A file that exists but may not be written is
// refused as unopenable rather than replaced, as an ordinary open would.
bool CBitGraph::Store(const char* path) {
    const std::string name = path ? path : "";
    if (name.empty() || (::access(name.c_str(), F_OK) == 0 && ::access(name.c_str(), W_OK) != 0)) {
        std::cerr << "Cannot open file " << name << std::endl;
        return false;
    }
    hcp::HcpWriteInfo info;
    info.name = name;
    switch (hcp::WriteFileAtomically(name, [&](std::ostream& os) { return WriteBitGraph(*this, os, info); })) {
    case hcp::AtomicWrite::Ok:
        return true;
    case hcp::AtomicWrite::CannotCreate:
    case hcp::AtomicWrite::NotRegularFile:
        std::cerr << "Cannot open file " << name << std::endl;
        return false;
    case hcp::AtomicWrite::CannotWrite:
        break;
    }
    std::cerr << "Cannot write file " << name << std::endl;
    return false;
}
