// The one place where the engine reads the clock to seed its generators.
// A caller can fix the reading for its own thread, or for a whole run with
// the environment variable TOURKERN_FIXED_CLOCK (a decimal number), so that
// runs repeat exactly.
#pragma once

#include <cstdint>

#include "export.h"

namespace hcp {

// Milliseconds since the process started (or the fixed value).
TOURKERN_API std::uint32_t SeedClockMillis();
// Current time in seconds (or the fixed value).
TOURKERN_API std::uint32_t SeedClockSeconds();

// Fixes every seeding clock reading of the calling thread to value, until
// ClearFixedSeedClock. A thread's fixed value takes precedence over the
// environment variable.
TOURKERN_API void SetFixedSeedClock(std::uint32_t value);
TOURKERN_API void ClearFixedSeedClock();

}  // namespace hcp
