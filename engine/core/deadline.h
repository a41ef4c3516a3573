// Turns a caller's stop token and a wall-clock budget into one token that a
// method watches. Without a budget it is the caller's token and costs
// nothing; with one, a waiting thread requests the stop when time is up.
#pragma once

#include <condition_variable>
#include <functional>
#include <atomic>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "export.h"

namespace hcp {

// A budget this long (about 31 years) or longer is no budget: the steady
// clock could not count to its end.
inline constexpr double kLongestTimeLimit = 1e9;

class TOURKERN_API Deadline {
public:
    Deadline(std::stop_token caller, double seconds);
    ~Deadline();
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

    std::stop_token Token() const { return m_token; }
    // True once the budget (not the caller) ended the run.
    bool Expired() const { return m_expired; }

private:
    std::stop_token m_token;
    std::stop_source m_source;
    std::optional<std::stop_callback<std::function<void()>>> m_forward;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::atomic<bool> m_expired{false};
    std::thread m_timer;
};

}  // namespace hcp
