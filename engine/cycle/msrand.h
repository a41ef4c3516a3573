// The library's own small pseudo-random generator for order shuffles: the
// linear congruential rand()/srand() pair with results 0..32767 that Windows
// C libraries carry, so that a seed gives the same shuffle on every platform
// and the process's own rand() is left alone. Its state is per thread, so
// searches running in parallel threads do not disturb each other.
#pragma once

#include <cstdint>

#include "export.h"

namespace hcp {

// Largest value MsRand returns.
constexpr int kMsRandMax = 0x7FFF;

// Sets the calling thread's state to seed (the state starts at 1).
TOURKERN_API void MsSrand(std::uint32_t seed);
// Steps the state (x = x * 214013 + 2531011 mod 2^32) and returns
// bits 16..30 of it, 0..32767.
TOURKERN_API int MsRand();

}  // namespace hcp
