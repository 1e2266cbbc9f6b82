#pragma once
// Installs a ManualClock for as long as it lives, then puts the system clock back.
//
//   ov::test::ManualClockScope time(100.0);
//   time.clock().advance(2.0);

#include <memory>

#include "orvane/platform/values/Clock.h"

namespace ov::test {

class ManualClockScope {
  public:
    explicit ManualClockScope(double start = 0.0) : m_clock(std::make_shared<ManualClock>(start)) {
        Clock::setCurrent(m_clock);
    }
    ~ManualClockScope() { Clock::setCurrent(nullptr); }
    ManualClockScope(const ManualClockScope&) = delete;
    ManualClockScope& operator=(const ManualClockScope&) = delete;

    ManualClock& clock() { return *m_clock; }
    double now() const { return m_clock->now(); }

  private:
    std::shared_ptr<ManualClock> m_clock;
};

}  // namespace ov::test
