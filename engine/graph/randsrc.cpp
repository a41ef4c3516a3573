// CRandSrc and the one process-wide generator it draws from: the additive
// feedback generator x^31 + x^3 + 1 over 31 words, seeded by a linear
// congruential fill and 310 discarded draws. The generator is guarded by a
// mutex so that threads seeding or drawing at the same time do not corrupt
// it; on one thread the sequence is exactly the unguarded one.
#include "graph/randsrc.h"

#include <bit>

#include "graph/randgen.h"
#include "graph/seedclock.h"

namespace {

constexpr int kWords = 31;
constexpr int kSeparation = 3;
constexpr int kDiscard = 10 * kWords;

struct GeneratorState {
    std::uint32_t s[kWords];
    int front;
    int rear;
};

constexpr std::uint32_t Step(GeneratorState& g) {
    g.s[g.front] += g.s[g.rear];
    std::uint32_t result = g.s[g.front] >> 1;
    if (++g.front == kWords) g.front = 0;
    if (++g.rear == kWords) g.rear = 0;
    return result;
}

constexpr void Seed(GeneratorState& g, std::uint32_t x) {
    g.s[0] = x;
    for (int i = 1; i < kWords; ++i) g.s[i] = 1103515245u * g.s[i - 1] + 12345u;
    g.front = kSeparation;
    g.rear = 0;
    for (int i = 0; i < kDiscard; ++i) Step(g);
}

constexpr GeneratorState SeededWith(std::uint32_t x) {
    GeneratorState g{};
    Seed(g, x);
    return g;
}

// The state before any seeding is the one seeding with 1 gives; it is
// fixed at compile time so that it is in place before any constructor runs.
constinit GeneratorState g_state = SeededWith(1);
std::mutex g_mutex;

// Mask of the smallest power of two above span (span 0 gives 0).
std::uint32_t RangeMask(std::uint32_t span) {
    int width = std::bit_width(span);
    return width >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << width) - 1;
}

std::uint32_t PrecisionMask(int bits) {
    return bits >= 1 && bits <= 31 ? (std::uint32_t{1} << bits) - 1 : 0xFFFFFFFFu;
}

}  // namespace

namespace hcp {

GeneratorLock::GeneratorLock() : m_lock(g_mutex) {}
GeneratorLock::~GeneratorLock() = default;

void GeneratorLock::Seed(std::uint32_t x) { ::Seed(g_state, x); }

std::uint32_t GeneratorLock::Raw() { return Step(g_state); }

// In range mode the masked draws above the span are rejected, so the
// result is uniform over low .. low + span.
int GeneratorLock::Shaped(const CRandSrc& src) {
    std::uint32_t v = Step(g_state) & src.m_nMask;
    if (src.m_bPrecision) return static_cast<int>(v);
    std::uint32_t span = static_cast<std::uint32_t>(src.m_nSpan);
    while (v > span) v = Step(g_state) & src.m_nMask;
    return static_cast<int>(static_cast<std::uint32_t>(src.m_nLow) + v);
}

}  // namespace hcp

CRandSrc::CRandSrc() : m_nMask(0xFFFFFFFFu), m_nLow(0), m_nSpan(0), m_bPrecision(true) {
    set_seed(static_cast<int>(hcp::SeedClockSeconds()));
}

CRandSrc::CRandSrc(int bits) : m_nMask(PrecisionMask(bits)), m_nLow(0), m_nSpan(0), m_bPrecision(true) {
    set_seed(static_cast<int>(hcp::SeedClockSeconds()));
}

CRandSrc::CRandSrc(int lo, int hi) : m_nMask(0xFFFFFFFFu), m_nLow(0), m_nSpan(0), m_bPrecision(true) {
    set_seed(static_cast<int>(hcp::SeedClockSeconds()));
    set_range(lo, hi);
}

void CRandSrc::set_seed(int x) {
    hcp::GeneratorLock lock;
    lock.Seed(static_cast<std::uint32_t>(x));
}

void CRandSrc::set_range(int lo, int hi) {
    m_bPrecision = false;
    m_nLow = lo;
    std::uint32_t span = hi >= lo ? static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo) : 0u;
    m_nSpan = static_cast<std::int32_t>(span);
    m_nMask = RangeMask(span);
}

void CRandSrc::set_precision(int bits) {
    m_bPrecision = true;
    m_nMask = PrecisionMask(bits);
}

unsigned int CRandSrc::get() {
    hcp::GeneratorLock lock;
    return lock.Raw();
}

int CRandSrc::operator()() {
    hcp::GeneratorLock lock;
    return lock.Shaped(*this);
}

// The divisor 2^bits - 1 is 0 for bits < 1, so such calls draw and answer
// 0; from 32 bits on the divisor exceeds every raw draw, which is returned
// as it is.
int CRandSrc::operator()(int bits) {
    std::uint32_t raw = get();
    if (bits < 1) return 0;
    if (bits >= 32) return static_cast<int>(raw);
    return static_cast<int>(raw % ((std::uint32_t{1} << bits) - 1));
}

// Shaping is done by a copy, so the instance's own settings are never
// changed, not even for a moment (another thread may be drawing from it).
int CRandSrc::operator()(int lo, int hi) {
    if (hi < lo) return 0;
    CRandSrc shape(*this);
    shape.set_range(lo, hi);
    return shape();
}

CRandSrc& CRandSrc::operator>>(char& v) { v = static_cast<char>((*this)()); return *this; }
CRandSrc& CRandSrc::operator>>(unsigned char& v) { v = static_cast<unsigned char>((*this)()); return *this; }
CRandSrc& CRandSrc::operator>>(int& v) { v = (*this)(); return *this; }
CRandSrc& CRandSrc::operator>>(unsigned int& v) { v = static_cast<unsigned int>((*this)()); return *this; }
CRandSrc& CRandSrc::operator>>(long& v) { v = static_cast<long>((*this)()); return *this; }
CRandSrc& CRandSrc::operator>>(unsigned long& v) {
    v = static_cast<unsigned long>(static_cast<unsigned int>((*this)()));
    return *this;
}

// A raw draw times 2^-31 is a fraction in [0, 1) in double precision; the
// float form rounds it and can reach exactly 1.0.
CRandSrc& CRandSrc::operator>>(float& v) {
    v = static_cast<float>(get() * (1.0 / 2147483648.0));
    return *this;
}

CRandSrc& CRandSrc::operator>>(double& v) {
    v = get() * (1.0 / 2147483648.0);
    return *this;
}

CRandSrc rand_int;
