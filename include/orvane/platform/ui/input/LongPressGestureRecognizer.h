#pragma once
// Recognises a press held still (the platform's UILongPressGestureRecognizer): it begins once
// the fingers have stayed down for minimumPressDuration without moving more than
// allowableMovement, reports moves as changes and ends when they lift. Lifting or moving
// too far before then fails it.
//
//   auto press = std::make_shared<ov::ui::LongPressGestureRecognizer>(showMenu);
//   press->setMinimumPressDuration(0.16);

#include <memory>

#include "orvane/platform/ui/input/GestureRecognizer.h"

namespace ov {
class Timer;
}

namespace ov::ui {

class LongPressGestureRecognizer : public GestureRecognizer {
  public:
    using GestureRecognizer::GestureRecognizer;
    ~LongPressGestureRecognizer() override;

    // Seconds; 0.5.
    double minimumPressDuration() const { return m_minimumPressDuration; }
    void setMinimumPressDuration(double seconds) { m_minimumPressDuration = seconds; }
    // Points; 10.
    double allowableMovement() const { return m_allowableMovement; }
    void setAllowableMovement(double points) { m_allowableMovement = points; }
    unsigned long numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(unsigned long touches) { m_touchesRequired = touches; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void reset() override;

  private:
    void stopTimer();

    double m_minimumPressDuration = 0.5;
    double m_allowableMovement = 10;
    unsigned long m_touchesRequired = 1;
    Point m_start;
    std::shared_ptr<Timer> m_timer;
};

}  // namespace ov::ui
