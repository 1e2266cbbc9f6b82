#pragma once
// Recognises taps (the platform's UITapGestureRecognizer): the required number of fingers
// put down and lifted, the required number of times, without moving more than
// kAllowableMovement points and with at most kMaximumTapInterval seconds between taps.
//
//   auto doubleTap = std::make_shared<ov::ui::TapGestureRecognizer>(zoom);
//   doubleTap->setNumberOfTapsRequired(2);

#include <memory>

#include "orvane/platform/ui/input/GestureRecognizer.h"

namespace ov {
class Timer;
}

namespace ov::ui {

class TapGestureRecognizer : public GestureRecognizer {
  public:
    static constexpr double kAllowableMovement = 10;
    static constexpr double kMaximumTapInterval = 0.35;

    using GestureRecognizer::GestureRecognizer;
    ~TapGestureRecognizer() override;

    unsigned long numberOfTapsRequired() const { return m_tapsRequired; }
    void setNumberOfTapsRequired(unsigned long taps) { m_tapsRequired = taps; }
    unsigned long numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(unsigned long touches) { m_touchesRequired = touches; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void reset() override;

  private:
    void waitForNextTap();
    void stopWaiting();

    unsigned long m_tapsRequired = 1;
    unsigned long m_touchesRequired = 1;
    unsigned long m_taps = 0;
    unsigned long m_fingersThisTap = 0;
    Point m_start;
    Point m_tapStart;
    std::shared_ptr<Timer> m_timeout;
};

}  // namespace ov::ui
