#pragma once
// Recognises a quick stroke in one direction (the platform's UISwipeGestureRecognizer): the
// fingers travel kMinimumDistance points mostly along an allowed direction within
// kMaximumDuration seconds. A stroke along another direction, too slow or lifted short of
// the distance fails.
//
//   auto swipe = std::make_shared<ov::ui::SwipeGestureRecognizer>(dismiss);
//   swipe->setDirection(ov::ui::UISwipeGestureRecognizerDirectionLeft |
//                       ov::ui::UISwipeGestureRecognizerDirectionRight);

#include "orvane/platform/ui/input/GestureRecognizer.h"

namespace ov::ui {

// A bit set.
using UISwipeGestureRecognizerDirection = unsigned long;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionRight = 1 << 0;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionLeft = 1 << 1;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionUp = 1 << 2;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionDown = 1 << 3;

class SwipeGestureRecognizer : public GestureRecognizer {
  public:
    static constexpr double kMinimumDistance = 50;
    static constexpr double kMaximumDuration = 0.5;

    using GestureRecognizer::GestureRecognizer;

    // Right by default.
    UISwipeGestureRecognizerDirection direction() const { return m_direction; }
    void setDirection(UISwipeGestureRecognizerDirection direction) { m_direction = direction; }
    unsigned long numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(unsigned long touches) { m_touchesRequired = touches; }
    // The direction of the stroke that was recognised (0 before).
    UISwipeGestureRecognizerDirection recognizedDirection() const { return m_recognized; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void reset() override;

  private:
    UISwipeGestureRecognizerDirection m_direction = UISwipeGestureRecognizerDirectionRight;
    UISwipeGestureRecognizerDirection m_recognized = 0;
    unsigned long m_touchesRequired = 1;
    Point m_start;
    double m_startTime = 0;
    bool m_started = false;
};

}  // namespace ov::ui
