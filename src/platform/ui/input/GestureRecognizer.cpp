#include "orvane/platform/ui/input/GestureRecognizer.h"

#include <algorithm>

#include "orvane/platform/ui/views/View.h"
#include "platform/ui/input/GestureArena.h"

namespace ov::ui {

namespace {

bool isUp(const Touch& touch) {
    return touch.phase() == UITouchPhaseEnded || touch.phase() == UITouchPhaseCancelled;
}

}  // namespace

GestureRecognizer::GestureRecognizer(Action action) {
    if (action) addTarget(nullptr, std::move(action));
}

GestureRecognizer::~GestureRecognizer() = default;

View* GestureRecognizer::view() const {
    const auto layer = m_viewLayer.lock();
    return layer && m_view && layer->delegate() == m_view ? m_view : nullptr;
}

void GestureRecognizer::attachToView(View* view) {
    m_view = view;
    m_viewLayer = view ? view->layer().weak_from_this() : std::weak_ptr<Layer>();
}

void GestureRecognizer::addTarget(const void* target, Action action) {
    if (action) m_targets.push_back({target, std::move(action)});
}

void GestureRecognizer::removeTarget(const void* target) {
    if (!target) {
        m_targets.clear();
        return;
    }
    std::erase_if(m_targets, [&](const Target& t) { return t.target == target; });
}

void GestureRecognizer::setState(UIGestureRecognizerState state) {
    const auto keepAlive = weak_from_this().lock();
    if (state == m_state) {
        if (state == UIGestureRecognizerStateChanged) sendActions();
        return;
    }
    auto& arena = GestureArena::shared();
    if (m_state == UIGestureRecognizerStatePossible && state != UIGestureRecognizerStateFailed &&
        state != UIGestureRecognizerStateCancelled) {
        arena.requestRecognition(*this, state == UIGestureRecognizerStateChanged
                                            ? UIGestureRecognizerStateBegan
                                            : state);
    } else {
        transitionTo(state);
    }
    arena.settle();
}

void GestureRecognizer::transitionTo(UIGestureRecognizerState state) {
    if (state == m_state) return;
    const UIGestureRecognizerState old = m_state;
    m_state = state;
    didChangeValueForKey("state", old, state);
    if (state == UIGestureRecognizerStateFailed) {
        GestureArena::shared().didFail(*this);
    } else if (state != UIGestureRecognizerStatePossible) {
        sendActions();
    }
}

void GestureRecognizer::resetToPossible() {
    m_touches.clear();
    reset();
    transitionTo(UIGestureRecognizerStatePossible);
}

void GestureRecognizer::sendActions() {
    // An action may add or remove targets.
    const auto targets = m_targets;
    for (const auto& target : targets)
        target.action(*this);
}

void GestureRecognizer::setEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    if (enabled) return;
    const auto keepAlive = weak_from_this().lock();
    if (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged) {
        transitionTo(UIGestureRecognizerStateCancelled);
    } else if (m_state == UIGestureRecognizerStatePossible && !m_touches.empty()) {
        transitionTo(UIGestureRecognizerStateFailed);
    }
    GestureArena::shared().settle();
}

void GestureRecognizer::requireGestureRecognizerToFail(GestureRecognizer& other) {
    if (&other != this) m_requiredToFail.push_back(other.weak_from_this());
}

std::vector<std::shared_ptr<GestureRecognizer>> GestureRecognizer::requiredToFail() const {
    std::vector<std::shared_ptr<GestureRecognizer>> alive;
    for (const auto& weak : m_requiredToFail) {
        if (auto other = weak.lock()) alive.push_back(std::move(other));
    }
    return alive;
}

void GestureRecognizer::receiveTouch(const std::shared_ptr<Touch>& touch) {
    m_touches.push_back(touch);
}

size_t GestureRecognizer::numberOfTouches() const {
    return static_cast<size_t>(
        std::count_if(m_touches.begin(), m_touches.end(), [](const auto& t) { return !isUp(*t); }));
}

Point GestureRecognizer::locationInView(const View* view) const {
    const bool anyDown = numberOfTouches() > 0;
    Point sum;
    double count = 0;
    for (const auto& touch : m_touches) {
        if (anyDown && isUp(*touch)) continue;
        const Point p = touch->locationInView(view);
        sum.x += p.x;
        sum.y += p.y;
        ++count;
    }
    return count > 0 ? Point{sum.x / count, sum.y / count} : Point{};
}

Point GestureRecognizer::locationOfTouch(size_t index, const View* view) const {
    size_t seen = 0;
    for (const auto& touch : m_touches) {
        if (isUp(*touch)) continue;
        if (seen++ == index) return touch->locationInView(view);
    }
    return {};
}

void GestureRecognizer::touchesBegan(const TouchSet&, const Event&) {}
void GestureRecognizer::touchesMoved(const TouchSet&, const Event&) {}
void GestureRecognizer::touchesEnded(const TouchSet&, const Event&) {}

void GestureRecognizer::touchesCancelled(const TouchSet&, const Event&) {
    setState(m_state == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateFailed
                                                         : UIGestureRecognizerStateCancelled);
}

bool GestureRecognizer::canPreventGestureRecognizer(const GestureRecognizer&) const {
    return true;
}

bool GestureRecognizer::canBePreventedByGestureRecognizer(const GestureRecognizer&) const {
    return true;
}

}  // namespace ov::ui
