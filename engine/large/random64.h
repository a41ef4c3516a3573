// Random64: the 64-bit random source of the large-graph search. The legacy
// 15-bit generator cannot draw node numbers past 32,767 without bias; this
// one (xoshiro256**, seeded through splitmix64) gives every seed its own
// stream, identical on every platform and run.
#pragma once

#include <cstdint>

namespace hcp {

class Random64 {
public:
    explicit Random64(std::uint64_t seed)
    {
        // splitmix64 spreads even neighbouring seeds over the whole state.
        for (auto& s : m_state) {
            seed += 0x9e3779b97f4a7c15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            s = z ^ (z >> 31);
        }
    }

    std::uint64_t operator()()
    {
        const std::uint64_t result = Rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = Rotl(m_state[3], 45);
        return result;
    }

    // Uniform in 0..n-1 (n > 0), by Lemire's multiply-and-reject, so no
    // value is favoured however large n is.
    std::uint32_t Below(std::uint32_t n)
    {
        std::uint64_t m = static_cast<std::uint64_t>(static_cast<std::uint32_t>((*this)() >> 32)) * n;
        auto low = static_cast<std::uint32_t>(m);
        if (low < n) {
            const std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;
            while (low < threshold) {
                m = static_cast<std::uint64_t>(static_cast<std::uint32_t>((*this)() >> 32)) * n;
                low = static_cast<std::uint32_t>(m);
            }
        }
        return static_cast<std::uint32_t>(m >> 32);
    }

private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t m_state[4];
};

}  // namespace hcp
