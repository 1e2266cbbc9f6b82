#include "orvane/platform/ui/input/LongPressGestureRecognizer.h"

#include <cmath>

#include "orvane/platform/threads/Timer.h"

namespace ov::ui {

LongPressGestureRecognizer::~LongPressGestureRecognizer() {
    stopTimer();
}

void LongPressGestureRecognizer::touchesBegan(const TouchSet&, const Event&) {
    if (numberOfTouches() > m_touchesRequired) {
        setState(UIGestureRecognizerStateFailed);
        return;
    }
    if (numberOfTouches() != m_touchesRequired) return;
    m_start = locationInView(nullptr);
    std::weak_ptr<GestureRecognizer> weak = weak_from_this();
    stopTimer();
    m_timer = Timer::scheduledTimer(m_minimumPressDuration, false, [weak](Timer&) {
        if (auto self = weak.lock(); self && self->state() == UIGestureRecognizerStatePossible) {
            self->setState(UIGestureRecognizerStateBegan);
        }
    });
}

void LongPressGestureRecognizer::touchesMoved(const TouchSet&, const Event&) {
    if (state() == UIGestureRecognizerStatePossible) {
        const Point now = locationInView(nullptr);
        if (std::hypot(now.x - m_start.x, now.y - m_start.y) > m_allowableMovement) {
            setState(UIGestureRecognizerStateFailed);
        }
        return;
    }
    setState(UIGestureRecognizerStateChanged);
}

void LongPressGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
    if (numberOfTouches() > 0) return;
    setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateFailed
                                                         : UIGestureRecognizerStateEnded);
}

void LongPressGestureRecognizer::stopTimer() {
    if (m_timer) m_timer->invalidate();
    m_timer.reset();
}

void LongPressGestureRecognizer::reset() {
    stopTimer();
}

}  // namespace ov::ui
