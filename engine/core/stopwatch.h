// A cheap stop test for hot loops: it looks at the stop token only every
// 'stride' calls, so a loop can ask on every step.
#pragma once

#include <cstdint>
#include <stop_token>

namespace hcp {

class StopWatch {
public:
    explicit StopWatch(std::stop_token stop, std::uint32_t stride = 1024)
        : m_stop(std::move(stop)), m_stride(stride) {}
    bool Stopped() {
        if (m_stopped) return true;
        if (++m_count < m_stride) return false;
        m_count = 0;
        m_stopped = m_stop.stop_requested();
        return m_stopped;
    }
    // Asks the token now, whatever the count.
    bool StoppedNow() { return m_stopped = m_stopped || m_stop.stop_requested(); }

private:
    std::stop_token m_stop;
    std::uint32_t m_stride;
    std::uint32_t m_count = 0;
    bool m_stopped = false;
};

}  // namespace hcp
