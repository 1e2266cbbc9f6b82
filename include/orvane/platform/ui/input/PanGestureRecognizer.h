#pragma once
// Recognises a drag (the platform's UIPanGestureRecognizer): it begins once the fingers have
// moved kHysteresis points, reports every move as a change and ends when they lift.
// Translation is measured from where the fingers went down, so a drag of 100 points reads
// 100; velocity comes from the last kVelocityWindow seconds of movement.
//
//   void Sheet::dragged(ov::ui::PanGestureRecognizer& pan) {
//       moveBy(pan.translationInView(superview()));
//       pan.setTranslation({0, 0}, superview());          // relative steps from now on
//       if (pan.state() == ov::ui::UIGestureRecognizerStateEnded)
//       fling(pan.velocityInView(superview()));
//   }

#include <deque>
#include <limits>

#include "orvane/platform/ui/input/GestureRecognizer.h"

namespace ov::ui {

class PanGestureRecognizer : public GestureRecognizer {
  public:
    static constexpr double kHysteresis = 10;
    static constexpr double kVelocityWindow = 0.1;

    using GestureRecognizer::GestureRecognizer;

    unsigned long minimumNumberOfTouches() const { return m_minimumTouches; }
    void setMinimumNumberOfTouches(unsigned long touches) { m_minimumTouches = touches; }
    unsigned long maximumNumberOfTouches() const { return m_maximumTouches; }
    void setMaximumNumberOfTouches(unsigned long touches) { m_maximumTouches = touches; }

    // In `view`'s coordinate space (its axes and scale); nullptr: the root's.
    Point translationInView(const View* view) const;
    void setTranslation(Point translation, const View* view);
    // Points per second.
    Point velocityInView(const View* view) const;

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void reset() override;

  private:
    struct Sample {
        Point location;
        double time;
    };

    // A vector in the root's space expressed in `view`'s.
    Point vectorInView(Point rootVector, const View* view) const;
    void record(double time);
    void followCentroid();

    unsigned long m_minimumTouches = 1;
    unsigned long m_maximumTouches = std::numeric_limits<unsigned long>::max();
    // Where the fingers went down, less any translation set since (root coordinates).
    Point m_origin;
    bool m_tracking = false;
    std::deque<Sample> m_samples;
};

}  // namespace ov::ui
