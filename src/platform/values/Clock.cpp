#include "orvane/platform/values/Clock.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

#include "orvane/platform/values/Date.h"

namespace ov {

namespace {

// Process-lifetime objects: threads may still read the clock while statics are destroyed.
SystemClock& systemClock() {
    static auto* clock = new SystemClock;
    return *clock;
}

std::atomic<Clock*> g_current{nullptr};

struct RetainedClocks {
    std::mutex mutex;
    std::vector<std::shared_ptr<Clock>> clocks;
};

RetainedClocks& retainedClocks() {
    static auto* retained = new RetainedClocks;
    return *retained;
}

}  // namespace

Clock& Clock::current() {
    Clock* clock = g_current.load(std::memory_order_acquire);
    return clock ? *clock : systemClock();
}

void Clock::setCurrent(std::shared_ptr<Clock> clock) {
    RetainedClocks& retained = retainedClocks();
    std::lock_guard lock(retained.mutex);
    Clock* raw = clock.get();
    if (clock &&
        std::find(retained.clocks.begin(), retained.clocks.end(), clock) == retained.clocks.end()) {
        retained.clocks.push_back(std::move(clock));
    }
    g_current.store(raw, std::memory_order_release);
}

double SystemClock::now() const {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count() -
           kTimeIntervalBetween1970AndReferenceDate;
}

void ManualClock::advance(double seconds) {
    m_now.fetch_add(seconds);
}

}  // namespace ov
