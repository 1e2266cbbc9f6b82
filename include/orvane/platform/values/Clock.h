#pragma once
// The one source of "now". Every time-dependent part of the toolkit (dates, timers, the run
// loop, animations) reads Clock::current(), so tests install a ManualClock and move time on
// explicitly instead of sleeping.
//
//   auto clock = std::make_shared<ov::ManualClock>(0.0);
//   ov::Clock::setCurrent(clock);
//   clock->advance(2.5);  // timers due within 2.5 s fire when the run loop next turns

#include <atomic>
#include <memory>

namespace ov {

class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since the platform's reference moment, 2001-01-01 00:00:00 UTC.
    virtual double now() const = 0;
    // A manual clock never moves by itself; the run loop then jumps it to the next due timer
    // instead of waiting.
    virtual bool isManual() const { return false; }

    // Thread-safe. Passing nullptr restores the system clock. A replaced clock stays alive for
    // the rest of the process so that a thread still reading it is never left dangling.
    static Clock& current();
    static void setCurrent(std::shared_ptr<Clock> clock);
};

class SystemClock final : public Clock {
  public:
    double now() const override;
};

class ManualClock final : public Clock {
  public:
    explicit ManualClock(double start = 0.0) : m_now(start) {}
    double now() const override { return m_now.load(); }
    bool isManual() const override { return true; }
    void setNow(double seconds) { m_now.store(seconds); }
    void advance(double seconds);

  private:
    std::atomic<double> m_now;
};

}  // namespace ov
