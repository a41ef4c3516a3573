#include "exhaustive.h"

#include <stdexcept>

namespace tooltest {

namespace {

constexpr int kMaxNodes = 16;

// The bits that follow the node count, six to a byte, most significant first.
class Bits {
public:
    Bits(const std::string& s, std::size_t at) : m_s(s), m_at(at) {}
    bool Next()
    {
        if (m_at >= m_s.size()) throw std::invalid_argument("line ends early: " + m_s);
        const int c = m_s[m_at] - 63;
        if (c < 0 || c > 63) throw std::invalid_argument("not a graph6 byte in " + m_s);
        const bool bit = (c >> (5 - m_bit) & 1) != 0;
        if (++m_bit == 6) {
            m_bit = 0;
            ++m_at;
        }
        return bit;
    }

private:
    const std::string& m_s;
    std::size_t m_at;
    int m_bit = 0;
};

// ends[mask] (one bit per node) of the walks that start at a node of
// starts, follow edges (arcs) and visit exactly the nodes of mask.
std::vector<std::uint32_t> PathEnds(const SmallGraph& g, std::uint32_t starts)
{
    const std::uint32_t all = (1u << g.n) - 1;
    std::vector<std::uint32_t> ends(all + 1, 0);
    for (int v = 0; v < g.n; ++v)
        if (starts >> v & 1u) ends[1u << v] |= 1u << v;
    for (std::uint32_t mask = 1; mask <= all; ++mask) {
        if (ends[mask] == 0) continue;
        for (int v = 0; v < g.n; ++v) {
            if ((ends[mask] >> v & 1u) == 0) continue;
            std::uint32_t next = g.out[v] & ~mask;
            for (int w = 0; w < g.n; ++w)
                if (next >> w & 1u) ends[mask | 1u << w] |= 1u << w;
        }
    }
    return ends;
}

}  // namespace

SmallGraph DecodeNautyLine(const std::string& line)
{
    SmallGraph g;
    std::size_t at = 0;
    if (!line.empty() && line[0] == '&') {
        g.directed = true;
        at = 1;
    }
    if (at >= line.size()) throw std::invalid_argument("empty line");
    g.n = line[at] - 63;
    if (g.n < 0 || g.n > kMaxNodes) throw std::invalid_argument("not a small graph: " + line);
    g.out.assign(static_cast<std::size_t>(g.n), 0);
    Bits bits(line, at + 1);
    if (g.directed) {
        for (int i = 0; i < g.n; ++i)
            for (int j = 0; j < g.n; ++j)
                if (bits.Next()) g.out[i] |= 1u << j;
    } else {
        for (int j = 1; j < g.n; ++j)
            for (int i = 0; i < j; ++i)
                if (bits.Next()) {
                    g.out[i] |= 1u << j;
                    g.out[j] |= 1u << i;
                }
    }
    return g;
}

bool HasHamiltonianCycle(const SmallGraph& g)
{
    if (g.n < (g.directed ? 2 : 3)) return false;
    const std::uint32_t all = (1u << g.n) - 1;
    const std::vector<std::uint32_t> ends = PathEnds(g, 1u);   // every cycle passes node 0
    for (int v = 1; v < g.n; ++v)
        if ((ends[all] >> v & 1u) && g.Has(v, 0)) return true;
    return false;
}

bool HasHamiltonianPath(const SmallGraph& g, std::optional<int> from, std::optional<int> to)
{
    if (g.n == 0) return false;
    const std::uint32_t all = (1u << g.n) - 1;
    const std::vector<std::uint32_t> ends = PathEnds(g, from ? 1u << *from : all);
    return to ? (ends[all] >> *to & 1u) != 0 : ends[all] != 0;
}

bool IsHamiltonianPath(const SmallGraph& g, const std::vector<int>& order)
{
    if (static_cast<int>(order.size()) != g.n) return false;
    std::uint32_t seen = 0;
    for (int v : order) {
        if (v < 0 || v >= g.n || (seen >> v & 1u)) return false;
        seen |= 1u << v;
    }
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        if (!g.Has(order[k], order[k + 1])) return false;
    return true;
}

}  // namespace tooltest
