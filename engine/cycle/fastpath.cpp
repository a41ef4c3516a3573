// The array order of the fast search: loading and writing back the node
// list, reversal in place and segment moves by rotation.
#include "cycle/fastpath.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace hcp {

bool FastPath::Load(const std::list<short>& l, int n)
{
    m_n = 0;
    m_order.clear();
    m_index.assign(static_cast<std::size_t>(n > 0 ? n + 1 : 1), -1);
    if (n <= 0 || l.size() != static_cast<std::size_t>(n)) return false;
    m_order.reserve(static_cast<std::size_t>(n));
    for (short v : l) {
        if (v < 1 || v > n || m_index[v] != -1) {
            m_order.clear();
            return false;
        }
        m_index[v] = static_cast<std::int32_t>(m_order.size());
        m_order.push_back(v);
    }
    m_n = n;
    m_scratch.resize(static_cast<std::size_t>(n));
    return true;
}

void FastPath::StoreInto(std::list<short>& l) const
{
    if (l.size() != m_order.size()) {
        l.assign(m_order.begin(), m_order.end());
        return;
    }
    auto it = l.begin();
    for (short v : m_order) *it++ = v;
}

// Exchanges the adjacent blocks [first, middle) and [middle, last): the
// shorter block goes through the scratch buffer, the longer one is moved
// with one memmove.
void FastPath::Rotate(int first, int middle, int last)
{
    short* o = m_order.data();
    short* s = m_scratch.data();
    const std::size_t left = static_cast<std::size_t>(middle - first);
    const std::size_t right = static_cast<std::size_t>(last - middle);
    if (left == 0 || right == 0) return;
    if (left <= right) {
        std::memcpy(s, o + first, left * sizeof(short));
        std::memmove(o + first, o + middle, right * sizeof(short));
        std::memcpy(o + first + right, s, left * sizeof(short));
    } else {
        std::memcpy(s, o + middle, right * sizeof(short));
        std::memmove(o + first + right, o + first, left * sizeof(short));
        std::memcpy(o + first, s, right * sizeof(short));
    }
}

void FastPath::Reindex(int from, int to)
{
    for (int i = from; i < to; ++i) m_index[m_order[i]] = i;
}

void FastPath::Reverse(short from, short to)
{
    int i = m_index[from];
    int j = m_index[to];
    int len = j - i + 1;
    if (len <= 0) len += m_n;
    if (len >= m_n) return;  // the whole order
    for (int k = len / 2; k > 0; --k) {
        short u = m_order[i], v = m_order[j];
        m_order[i] = v;
        m_order[j] = u;
        m_index[v] = i;
        m_index[u] = j;
        if (++i == m_n) i = 0;
        if (--j < 0) j = m_n - 1;
    }
}

void FastPath::MoveSegment(short x, short y, short before, bool reversed)
{
    const int i = m_index[x];
    const int j = m_index[y];
    const int pb = m_index[before];
    short* o = m_order.data();
    if (i <= j) {
        const int len = j - i + 1;
        assert(pb < i || pb > j);
        if (pb < i) {
            // [pb, i) [i, j] -> [i, j] [pb, i)
            Rotate(pb, i, j + 1);
            if (reversed) std::reverse(o + pb, o + pb + len);
            Reindex(pb, j + 1);
        } else {
            // [i, j] [j+1, pb) -> [j+1, pb) [i, j]
            Rotate(i, j + 1, pb);
            if (reversed) std::reverse(o + pb - len, o + pb);
            Reindex(i, pb);
        }
        return;
    }
    // The segment wraps: it is [i, N) followed by [0, j]. The rest of the
    // list starts at j + 1 and `before` lies in [j + 1, i).
    assert(pb > j && pb < i);
    short* s = m_scratch.data();
    short* out = s;
    out = std::copy(o + j + 1, o + pb, out);
    short* seg = out;
    out = std::copy(o + i, o + m_n, out);
    out = std::copy(o, o + j + 1, out);
    if (reversed) std::reverse(seg, out);
    std::copy(o + pb, o + i, out);
    std::copy(s, s + m_n, o);
    Reindex(0, m_n);
}

}  // namespace hcp
