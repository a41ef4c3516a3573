// FastKeySet: a set of small fixed-size keys (tried-gap pairs, move
// records) for the fast search. Open addressing in a flat table that grows
// with the keys actually inserted, and a clear that costs O(keys held), so
// that the search's frequent resets stay cheap however large the graph.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hcp {

// Node numbers packed 16 bits each; the all-zero key never occurs since
// node numbers start at 1.
struct FastKey {
    std::uint64_t lo = 0;
    std::uint64_t hi = 0;
    bool operator==(const FastKey&) const = default;
};

// The unordered pair {u, v}.
inline FastKey PairKey(short u, short v)
{
    if (u > v) std::swap(u, v);
    return {static_cast<std::uint16_t>(u) | (std::uint64_t{static_cast<std::uint16_t>(v)} << 16), 0};
}

// Four node numbers in any order, identified after sorting.
inline FastKey RecordKey(short a, short b, short c, short d)
{
    short n[4] = {a, b, c, d};
    std::sort(n, n + 4);
    FastKey k;
    for (int i = 0; i < 4; ++i) k.lo |= std::uint64_t{static_cast<std::uint16_t>(n[i])} << (16 * i);
    return k;
}

// Five node numbers in any order, identified after sorting.
inline FastKey RecordKey(short a, short b, short c, short d, short e)
{
    short n[5] = {a, b, c, d, e};
    std::sort(n, n + 5);
    FastKey k;
    for (int i = 0; i < 4; ++i) k.lo |= std::uint64_t{static_cast<std::uint16_t>(n[i])} << (16 * i);
    k.hi = static_cast<std::uint16_t>(n[4]);
    return k;
}

class FastKeySet {
public:
    FastKeySet() { m_slots.resize(kInitial); }

    // Adds k; true when it was not there yet.
    bool Insert(const FastKey& k) {
        std::size_t s = Find(k);
        if (m_slots[s] == k) return false;
        m_slots[s] = k;
        m_used.push_back(static_cast<std::uint32_t>(s));
        if (m_used.size() * 2 > m_slots.size()) Grow();
        return true;
    }
    bool Contains(const FastKey& k) const { return m_slots[Find(k)] == k; }
    std::size_t Size() const { return m_used.size(); }
    // Bytes held by the table.
    std::size_t Bytes() const {
        return m_slots.size() * sizeof(FastKey) + m_used.capacity() * sizeof(std::uint32_t);
    }
    // Calls f(key) for every key held.
    template <typename F>
    void ForEach(F f) const {
        for (std::uint32_t s : m_used) f(m_slots[s]);
    }

    void Clear() {
        if (m_used.size() * 8 > m_slots.size()) {
            std::fill(m_slots.begin(), m_slots.end(), FastKey{});
        } else {
            for (std::uint32_t s : m_used) m_slots[s] = FastKey{};
        }
        m_used.clear();
    }

private:
    static constexpr std::size_t kInitial = 64;

    static std::uint64_t Hash(const FastKey& k) {
        std::uint64_t h = k.lo * 0x9E3779B97F4A7C15ull ^ (k.hi + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        return h ^ (h >> 29);
    }
    // The slot holding k, or the empty slot where it would go.
    std::size_t Find(const FastKey& k) const {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t s = Hash(k) & mask;
        while (!(m_slots[s] == k) && !(m_slots[s] == FastKey{})) s = (s + 1) & mask;
        return s;
    }
    void Grow() {
        std::vector<FastKey> old;
        old.swap(m_slots);
        m_slots.assign(old.size() * 2, FastKey{});
        m_used.clear();
        for (const FastKey& k : old) {
            if (k == FastKey{}) continue;
            std::size_t s = Find(k);
            m_slots[s] = k;
            m_used.push_back(static_cast<std::uint32_t>(s));
        }
    }

    std::vector<FastKey> m_slots;        // power-of-two table, zero = empty
    std::vector<std::uint32_t> m_used;   // occupied slots, for Clear
};

}  // namespace hcp
