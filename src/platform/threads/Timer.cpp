#include "orvane/platform/threads/Timer.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/Clock.h"

namespace ov {

Timer::Timer(PrivateTag, double interval, bool repeats, Block block)
    : m_interval(std::max(interval, kMinimumInterval)),
      m_repeats(repeats),
      m_fireDate(Clock::current().now() + m_interval),
      m_block(std::make_shared<const Block>(std::move(block))) {}

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, bool repeats, Block block) {
    std::shared_ptr<Timer> timer = create(interval, repeats, std::move(block));
    RunLoop::current().addTimer(timer);
    return timer;
}

std::shared_ptr<Timer> Timer::create(double interval, bool repeats, Block block) {
    return std::make_shared<Timer>(PrivateTag{}, interval, repeats, std::move(block));
}

void Timer::invalidate() {
    if (!m_valid.exchange(false)) return;
    // The loop may hold the last reference; keep this object alive until the call returns.
    const std::shared_ptr<Timer> self = shared_from_this();
    std::shared_ptr<const Block> block;
    std::shared_ptr<RunLoop> loop;
    {
        std::lock_guard lock(m_mutex);
        block = std::move(m_block);
        loop = m_loop.lock();
    }
    // Released outside every lock: the block's captures may run arbitrary destructors.
    if (loop) loop->removeTimer(*this);
}

void Timer::fire() {
    if (!isValid()) return;
    const std::shared_ptr<Timer> self = shared_from_this();
    const std::shared_ptr<const Block> running = block();
    if (!m_repeats) invalidate();
    if (running) (*running)(*this);
}

Date Timer::fireDate() const {
    return Date::dateWithTimeIntervalSinceReferenceDate(m_fireDate.load());
}

void Timer::setFireDate(Date date) {
    m_fireDate.store(date.timeIntervalSinceReferenceDate());
    std::shared_ptr<RunLoop> loop;
    {
        std::lock_guard lock(m_mutex);
        loop = m_loop.lock();
    }
    if (loop) loop->wake();
}

bool Timer::attach(const std::shared_ptr<RunLoop>& loop) {
    std::lock_guard lock(m_mutex);
    if (m_attached || !isValid()) return false;
    m_attached = true;
    m_loop = loop;
    return true;
}

std::shared_ptr<const Timer::Block> Timer::block() const {
    std::lock_guard lock(m_mutex);
    return m_block;
}

// Keeps to the original schedule and skips the firings already missed.
void Timer::rescheduleAfter(double now) {
    double scheduled = m_fireDate.load();
    const double missed = std::floor((now - scheduled) / m_interval);
    double next = scheduled + (std::max(missed, 0.0) + 1.0) * m_interval;
    while (next <= now)
        next += m_interval;
    // A concurrent setFireDate wins.
    m_fireDate.compare_exchange_strong(scheduled, next);
}

}  // namespace ov
