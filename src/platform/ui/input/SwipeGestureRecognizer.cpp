#include "orvane/platform/ui/input/SwipeGestureRecognizer.h"

#include <cmath>

namespace ov::ui {

namespace {

UISwipeGestureRecognizerDirection strokeDirection(double dx, double dy) {
    if (std::abs(dx) >= std::abs(dy)) {
        return dx >= 0 ? UISwipeGestureRecognizerDirectionRight
                       : UISwipeGestureRecognizerDirectionLeft;
    }
    return dy >= 0 ? UISwipeGestureRecognizerDirectionDown : UISwipeGestureRecognizerDirectionUp;
}

}  // namespace

void SwipeGestureRecognizer::touchesBegan(const TouchSet&, const Event& event) {
    if (numberOfTouches() > m_touchesRequired) {
        setState(UIGestureRecognizerStateFailed);
        return;
    }
    m_start = locationInView(nullptr);
    if (!m_started) m_startTime = event.timestamp();
    m_started = true;
}

void SwipeGestureRecognizer::touchesMoved(const TouchSet&, const Event& event) {
    if (event.timestamp() - m_startTime > kMaximumDuration) {
        setState(UIGestureRecognizerStateFailed);
        return;
    }
    if (numberOfTouches() != m_touchesRequired) return;
    const Point now = locationInView(nullptr);
    const double dx = now.x - m_start.x;
    const double dy = now.y - m_start.y;
    if (std::hypot(dx, dy) < kMinimumDistance) return;
    const UISwipeGestureRecognizerDirection stroke = strokeDirection(dx, dy);
    if (!(stroke & m_direction)) {
        setState(UIGestureRecognizerStateFailed);
        return;
    }
    m_recognized = stroke;
    setState(UIGestureRecognizerStateRecognized);
}

void SwipeGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
    if (numberOfTouches() == 0 && state() == UIGestureRecognizerStatePossible) {
        setState(UIGestureRecognizerStateFailed);
    }
}

void SwipeGestureRecognizer::reset() {
    m_started = false;
}

}  // namespace ov::ui
