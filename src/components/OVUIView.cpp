#include "orvane/components/OVUIView.h"

#include "orvane/components/UIView+OVUIViewAnimations.h"

namespace ov {

namespace {

constexpr double kDefaultInterval = 2.0;

}  // namespace

OVUIView::~OVUIView() {
    // Both timers point at this view: none may fire once it is gone.
    stopShake();
    if (m_delayTimer) m_delayTimer->invalidate();
}

void OVUIView::startShake() {
    stopShake();
    if (m_shakeDistance == 0) m_shakeDistance = kDefaultInterval;
    auto timer = Timer::scheduledTimer(m_shakeDistance, true, [this](Timer&) { shake(); });
    setTmr_shake(timer);
    timer->fire();
}

void OVUIView::startShakeAfterDelay(double delay) {
    if (m_delayTimer) m_delayTimer->invalidate();
    m_delayTimer = Timer::scheduledTimer(delay, false, [this](Timer&) { startShake(); });
}

void OVUIView::stopShake() {
    if (auto timer = tmr_shake()) timer->invalidate();
}

void OVUIView::shake() {
    shakeValue(6);
}

void OVUIView::shakeValue(int distance) {
    UIView_OVUIViewAnimations::shakeValue(*this, distance);
}

void OVUIView::setShakeDistance(double interval) {
    m_shakeDistance = interval;
    const auto timer = tmr_shake();
    if (!timer || !timer->isValid()) return;
    timer->invalidate();
    startShake();
}

std::shared_ptr<Timer> OVUIView::tmr_shake() const {
    std::lock_guard lock(m_timerMutex);
    return m_tmr_shake;
}

void OVUIView::setTmr_shake(std::shared_ptr<Timer> timer) {
    std::lock_guard lock(m_timerMutex);
    m_tmr_shake = std::move(timer);
}

}  // namespace ov
