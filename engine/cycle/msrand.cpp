// Per-thread linear congruential generator with the 0..32767 range.
#include "cycle/msrand.h"

namespace hcp {

namespace {
thread_local std::uint32_t t_state = 1;
}  // namespace

void MsSrand(std::uint32_t seed) { t_state = seed; }

int MsRand()
{
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFFu);
}

}  // namespace hcp
