#include "io/graph6writer.h"

#include <stdexcept>

namespace hcp {

namespace {

constexpr int kBias = 63;

// Packs bits high-first into 6-bit bytes; the last byte is padded as the
// caller says (graph6 and digraph6 with zeros, sparse6 with its own rule).
class BitWriter {
public:
    explicit BitWriter(std::string& out) : m_out(out) {}
    void Put(bool bit) {
        m_byte = (m_byte << 1) | (bit ? 1 : 0);
        if (++m_bits == 6) Flush();
    }
    void Put(std::uint64_t value, int count) {
        for (int b = count - 1; b >= 0; --b) Put(((value >> b) & 1) != 0);
    }
    // Bits still to fill the last byte (6 when it is empty).
    int Room() const { return 6 - m_bits; }
    void Pad(bool bit) {
        while (m_bits != 0) Put(bit);
    }

private:
    void Flush() {
        m_out.push_back(static_cast<char>(m_byte + kBias));
        m_byte = 0;
        m_bits = 0;
    }
    std::string& m_out;
    int m_byte = 0;
    int m_bits = 0;
};

// N(n): one byte up to 62, '~' and 18 bits up to 258047, "~~" and 36 bits
// beyond.
void PutSize(std::string& out, std::uint64_t n)
{
    BitWriter bits(out);
    if (n <= 62) {
        out.push_back(static_cast<char>(n + kBias));
    } else if (n <= 258047) {
        out.push_back('~');
        bits.Put(n, 18);
    } else {
        out += "~~";
        bits.Put(n, 36);
    }
}

void RefuseDirected(const Graph& g, const char* format)
{
    if (g.Directed())
        throw std::invalid_argument(std::string("a directed graph has no ") + format
                                    + " line; digraph6 writes its arcs");
}

}  // namespace

std::string EncodeGraph6(const Graph& g)
{
    RefuseDirected(g, "graph6");
    const std::uint64_t n = g.NodeCount();
    std::string out;
    out.reserve(8 + n * (n - (n > 0 ? 1 : 0)) / 12);
    PutSize(out, n);
    // Column by column: pair (i, j), i < j, in the order j = 1.., i = 0..j-1;
    // a row's neighbours below j are the first entries of its sorted row.
    BitWriter bits(out);
    for (NodeId j = 1; j < n; ++j) {
        NodeId i = 0;
        for (NodeId u : g.Neighbors(j)) {
            if (u >= j) break;
            for (; i < u; ++i) bits.Put(false);
            bits.Put(true);
            i = u + 1;
        }
        for (; i < j; ++i) bits.Put(false);
    }
    bits.Pad(false);
    return out;
}

std::string EncodeSparse6(const Graph& g)
{
    RefuseDirected(g, "sparse6");
    const std::uint64_t n = g.NodeCount();
    int k = 0;
    for (std::uint64_t m = n > 0 ? n - 1 : 0; m > 0; m >>= 1) ++k;
    std::string out = ":";
    PutSize(out, n);
    BitWriter bits(out);
    // Edges (i, j), i <= j, by j then i. The current node v starts at 0: an
    // edge of the next node sets the "next" bit, one further away names j
    // first, then each edge names i.
    std::uint64_t last = 0;
    for (NodeId j = 0; j < n; ++j) {
        for (NodeId i : g.Neighbors(j)) {
            if (i > j) break;
            if (j == last) {
                bits.Put(false);
            } else {
                bits.Put(true);
                if (j > last + 1) {
                    bits.Put(j, k);
                    bits.Put(false);
                }
                last = j;
            }
            bits.Put(i, k);
        }
    }
    // Padding of ones reads as a node number past the end, except where
    // a one-bit would step to node n-1 and then name n-1 itself (n a power
    // of two, last edge at n-2): there a zero goes first, as nauty does.
    const int room = bits.Room();
    if (room != 6) {
        if (room >= k + 1 && n >= 2 && last == n - 2 && n == (std::uint64_t{1} << k)) bits.Put(false);
        bits.Pad(true);
    }
    return out;
}

std::string EncodeDigraph6(const Graph& g)
{
    const std::uint64_t n = g.NodeCount();
    std::string out = "&";
    out.reserve(8 + n * n / 6);
    PutSize(out, n);
    BitWriter bits(out);
    for (NodeId i = 0; i < n; ++i) {
        NodeId j = 0;
        for (NodeId v : g.Neighbors(i)) {
            for (; j < v; ++j) bits.Put(false);
            bits.Put(true);
            j = v + 1;
        }
        for (; j < n; ++j) bits.Put(false);
    }
    bits.Pad(false);
    return out;
}

}  // namespace hcp
