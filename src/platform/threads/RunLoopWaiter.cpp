#include "platform/threads/RunLoopWaiter.h"

#include <algorithm>
#include <chrono>

namespace ov {

namespace {
// The loop re-evaluates after every wait, so a bound keeps "forever" clear of duration overflow.
constexpr double kLongestWait = 60.0;
}  // namespace

void RunLoopWaiter::wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_condition.notify_all();
}

double RunLoopWaiter::waitFor(double seconds) {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock lock(m_mutex);
    if (seconds > 0) {
        const std::chrono::duration<double> limit(std::min(seconds, kLongestWait));
        m_condition.wait_for(lock, limit, [&] { return m_woken; });
    }
    m_woken = false;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace ov
