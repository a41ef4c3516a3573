#include "core/deadline.h"

#include <chrono>

namespace hcp {

Deadline::Deadline(std::stop_token caller, double seconds)
{
    if (!(seconds > 0) || seconds >= kLongestTimeLimit) {
        m_token = std::move(caller);
        return;
    }
    m_token = m_source.get_token();
    if (caller.stop_possible())
        m_forward.emplace(caller, std::function<void()>([this] { m_source.request_stop(); }));
    const auto until = std::chrono::steady_clock::now()
                       + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                           std::chrono::duration<double>(seconds));
    m_timer = std::thread([this, until] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_wake.wait_until(lock, until, [this] { return m_done; })) {
            m_expired = true;
            m_source.request_stop();
        }
    });
}

Deadline::~Deadline()
{
    if (m_timer.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_timer.join();
    }
    m_forward.reset();
}

}  // namespace hcp
