#include "orvane/platform/ui/input/TapGestureRecognizer.h"

#include <cmath>

#include "orvane/platform/threads/Timer.h"

namespace ov::ui {

namespace {

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

TapGestureRecognizer::~TapGestureRecognizer() {
    stopWaiting();
}

void TapGestureRecognizer::touchesBegan(const TouchSet& touches, const Event&) {
    stopWaiting();
    if (numberOfTouches() == touches.size()) {
        // The first finger of a tap: later taps must land near the first.
        const Point here = locationInView(nullptr);
        if (m_taps > 0 && distance(here, m_start) > 4 * kAllowableMovement) {
            setState(UIGestureRecognizerStateFailed);
            return;
        }
        if (m_taps == 0) m_start = here;
        m_tapStart = here;
        m_fingersThisTap = 0;
    }
    m_fingersThisTap += touches.size();
    if (m_fingersThisTap > m_touchesRequired) setState(UIGestureRecognizerStateFailed);
}

void TapGestureRecognizer::touchesMoved(const TouchSet&, const Event&) {
    if (distance(locationInView(nullptr), m_tapStart) > kAllowableMovement) {
        setState(UIGestureRecognizerStateFailed);
    }
}

void TapGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
    if (numberOfTouches() > 0) return;
    if (m_fingersThisTap != m_touchesRequired) {
        setState(UIGestureRecognizerStateFailed);
        return;
    }
    if (++m_taps >= m_tapsRequired) {
        setState(UIGestureRecognizerStateRecognized);
    } else {
        waitForNextTap();
    }
}

void TapGestureRecognizer::waitForNextTap() {
    std::weak_ptr<GestureRecognizer> weak = weak_from_this();
    m_timeout = Timer::scheduledTimer(kMaximumTapInterval, false, [weak](Timer&) {
        if (auto self = weak.lock()) self->setState(UIGestureRecognizerStateFailed);
    });
}

void TapGestureRecognizer::stopWaiting() {
    if (m_timeout) m_timeout->invalidate();
    m_timeout.reset();
}

void TapGestureRecognizer::reset() {
    stopWaiting();
    m_taps = 0;
    m_fingersThisTap = 0;
}

}  // namespace ov::ui
