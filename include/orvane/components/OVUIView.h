#pragma once
// A view that shakes itself every shakeDistance seconds (2 while it is 0).
//
//   auto bell = std::make_shared<ov::OVUIView>(ov::ui::Rect{0, 0, 44, 44});
//   bell->startShakeAfterDelay(1.0);   // then every 2 s, until stopShake or destruction
//
// The timers run on the current run loop and are invalidated when the view goes away.

#include <memory>
#include <mutex>

#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class OVUIView : public ui::View {
  public:
    using ui::View::View;
    ~OVUIView() override;

    // Restarts the repeating shake and shakes once at once.
    void startShake();
    void startShakeAfterDelay(double delay);
    void stopShake();
    // A shake of 6 points.
    void shake();
    void shakeValue(int distance);

    // The interval between shakes; a change while shaking restarts the timer with it.
    double shakeDistance() const { return m_shakeDistance; }
    void setShakeDistance(double interval);
    std::shared_ptr<Timer> tmr_shake() const;
    void setTmr_shake(std::shared_ptr<Timer> timer);

  private:
    double m_shakeDistance = 0;
    mutable std::mutex m_timerMutex;
    std::shared_ptr<Timer> m_tmr_shake;
    std::shared_ptr<Timer> m_delayTimer;
};

}  // namespace ov
