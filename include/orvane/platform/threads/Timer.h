#pragma once
// A one-shot or repeating timer (the platform's NSTimer), fired by the run loop it is added
// to. Times are Clock::current() seconds, so a ManualClock drives timers in tests.
//
//   auto tick = ov::Timer::scheduledTimer(0.02, true, [this](ov::Timer&) { step(); });
//   ...
//   tick->invalidate();   // the block never runs again and the loop lets go of the timer
//
// A repeating timer keeps to its schedule (fire date + n * interval, no drift) and skips the
// firings it missed while the loop was busy. The loop holds the timer only while it is valid;
// an invalidated timer releases its block, which breaks cycles through captures.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "orvane/platform/values/Date.h"

namespace ov {

class RunLoop;

class Timer : public std::enable_shared_from_this<Timer> {
    struct PrivateTag {};

  public:
    using Block = std::function<void(Timer&)>;

    // Shortest interval; a smaller one (or <= 0) is raised to it, as the platform does.
    static constexpr double kMinimumInterval = 0.0001;

    Timer(PrivateTag, double interval, bool repeats, Block block);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // First fires `interval` seconds from now, on RunLoop::current().
    static std::shared_ptr<Timer> scheduledTimer(double interval, bool repeats, Block block);
    // Not yet on a loop: pass it to RunLoop::addTimer.
    static std::shared_ptr<Timer> create(double interval, bool repeats, Block block);

    // Thread-safe. No new run of the block starts once this returns.
    void invalidate();
    bool isValid() const { return m_valid.load(); }
    // Runs the block now, whatever the fire date; a one-shot timer is then invalidated, a
    // repeating one keeps its schedule.
    void fire();

    Date fireDate() const;
    // Thread-safe; the loop picks up the new date on its next turn.
    void setFireDate(Date date);
    // The repeat interval; 0 for a one-shot timer, as the platform answers.
    double timeInterval() const { return m_repeats ? m_interval : 0.0; }
    bool repeats() const { return m_repeats; }

  private:
    friend class RunLoop;

    bool attach(const std::shared_ptr<RunLoop>& loop);
    std::shared_ptr<const Block> block() const;
    void rescheduleAfter(double now);

    const double m_interval;
    const bool m_repeats;
    std::atomic<bool> m_valid{true};
    std::atomic<double> m_fireDate;
    mutable std::mutex m_mutex;
    std::shared_ptr<const Block> m_block;
    std::weak_ptr<RunLoop> m_loop;
    bool m_attached = false;
};

}  // namespace ov
