// The process-wide additive feedback generator behind every CRandSrc, for
// engine code that draws many values in a row: it takes the generator lock
// once instead of once per draw. Internal to the engine.
#pragma once

#include <cstdint>
#include <mutex>

class CRandSrc;

namespace hcp {

// Holds the generator lock for its lifetime; the draw functions below may
// only be called while one is alive on the calling thread.
class GeneratorLock {
public:
    GeneratorLock();
    ~GeneratorLock();
    GeneratorLock(const GeneratorLock&) = delete;
    GeneratorLock& operator=(const GeneratorLock&) = delete;

    void Seed(std::uint32_t x);
    // One raw draw, 0 .. 2^31-1.
    std::uint32_t Raw();
    // One draw shaped by src's mask, range and mode.
    int Shaped(const CRandSrc& src);

private:
    std::unique_lock<std::mutex> m_lock;
};

}  // namespace hcp
