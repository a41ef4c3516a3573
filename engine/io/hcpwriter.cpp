#include "io/hcpwriter.h"

#include <cstring>
#include <ostream>

namespace hcp {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 16;
constexpr std::size_t kLongestLine = 64;
// Up to this many nodes every number is formatted once, up front (at most
// 6 bytes a node); larger graphs format each number as it comes.
constexpr std::uint64_t kPaddedTable = std::uint64_t{1} << 16;

// v right-aligned in six columns, wider when longer.
char* PutNumber(char* out, std::uint64_t v)
{
    char digits[24];
    int len = 0;
    do {
        digits[len++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0);
    for (int pad = len; pad < 6; ++pad) *out++ = ' ';
    while (len > 0) *out++ = digits[--len];
    return out;
}

}  // namespace

HcpWriter::HcpWriter(std::ostream& os, const HcpWriteInfo& info, std::uint64_t dimension)
    : m_os(os), m_block(kBlock + kLongestLine)
{
    std::string header;
    if (!info.name.empty()) header += "NAME: " + info.name + "\n";
    header += "COMMENT: " + info.comment + (info.directed ? "\nTYPE: DHCP" : "\nTYPE: HCP") + "\nDIMENSION: " + std::to_string(dimension)
            + "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n";
    m_os.write(header.data(), static_cast<std::streamsize>(header.size()));
    if (dimension < kPaddedTable) {
        m_padded.resize(6 * (dimension + 1));
        for (std::uint64_t v = 0; v <= dimension; ++v) PutNumber(m_padded.data() + 6 * v, v);
    }
}

char* HcpWriter::Put(char* out, std::uint64_t v) const
{
    if (6 * v < m_padded.size()) {
        std::memcpy(out, m_padded.data() + 6 * v, 6);
        return out + 6;
    }
    return PutNumber(out, v);
}

void HcpWriter::Edge(std::uint64_t larger, std::uint64_t smaller)
{
    char* p = m_block.data() + m_used;
    p = Put(p, larger);
    *p++ = ' ';
    p = Put(p, smaller);
    *p++ = '\n';
    m_used = static_cast<std::size_t>(p - m_block.data());
    if (m_used >= kBlock) Flush();
}

void HcpWriter::BeginFixedEdges()
{
    if (m_inFixed) return;
    Flush();
    m_os << "-1\nFIXED_EDGES_SECTION\n";
    m_inFixed = true;
}

bool HcpWriter::Finish()
{
    Flush();
    m_os << "-1\nEOF\n";
    m_os.flush();
    return static_cast<bool>(m_os);
}

// A failed stream stays failed; the remaining lines are dropped, and
// Finish reports it.
void HcpWriter::Flush()
{
    if (m_os) m_os.write(m_block.data(), static_cast<std::streamsize>(m_used));
    m_used = 0;
}

}  // namespace hcp
