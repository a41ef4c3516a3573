// The seeding clocks: milliseconds since the library was loaded (a steady
// clock, so it never runs backwards) and the wall-clock time in seconds,
// each replaceable by a fixed value for repeatable runs.
#include "graph/seedclock.h"

#include <chrono>
#include <cstdlib>
#include <optional>

namespace {

thread_local std::optional<std::uint32_t> t_fixedClock;

std::chrono::steady_clock::time_point StartTime() {
    static const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    return start;
}

// Captures the start time when the library is loaded rather than at the
// first reading.
[[maybe_unused]] const bool g_startCaptured = (StartTime(), true);

// The fixed value of the calling thread, else that of TOURKERN_FIXED_CLOCK
// when it holds a decimal number.
std::optional<std::uint32_t> FixedClock() {
    if (t_fixedClock) return t_fixedClock;
    const char* env = std::getenv("TOURKERN_FIXED_CLOCK");
    if (env == nullptr || *env == '\0') return std::nullopt;
    char* end = nullptr;
    unsigned long long v = std::strtoull(env, &end, 10);
    if (*end != '\0') return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

}  // namespace

namespace hcp {

std::uint32_t SeedClockMillis() {
    if (auto fixed = FixedClock()) return *fixed;
    auto elapsed = std::chrono::steady_clock::now() - StartTime();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

std::uint32_t SeedClockSeconds() {
    if (auto fixed = FixedClock()) return *fixed;
    auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

void SetFixedSeedClock(std::uint32_t value) { t_fixedClock = value; }

void ClearFixedSeedClock() { t_fixedClock.reset(); }

}  // namespace hcp
