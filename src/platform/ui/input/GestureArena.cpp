#include "platform/ui/input/GestureArena.h"

#include <algorithm>

#include "orvane/platform/ui/input/Responder.h"
#include "orvane/platform/ui/views/View.h"
#include "platform/ui/input/TouchDispatcher.h"

namespace ov::ui {

namespace {

bool isActive(UIGestureRecognizerState state) {
    return state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateChanged;
}

bool hasRecognized(UIGestureRecognizerState state) {
    return isActive(state) || state == UIGestureRecognizerStateEnded;
}

bool isFinished(UIGestureRecognizerState state) {
    return state == UIGestureRecognizerStateEnded || state == UIGestureRecognizerStateCancelled ||
           state == UIGestureRecognizerStateFailed;
}

bool allowsSimultaneous(GestureRecognizer& asker, GestureRecognizer& other) {
    const auto delegate = asker.delegate();
    return delegate && delegate->gestureRecognizerShouldRecognizeSimultaneouslyWith(asker, other)
                           .value_or(false);
}

bool simultaneous(GestureRecognizer& a, GestureRecognizer& b) {
    return allowsSimultaneous(a, b) || allowsSimultaneous(b, a);
}

// Whether `winner`, once recognising, keeps `loser` from recognising too.
bool prevents(GestureRecognizer& winner, GestureRecognizer& loser) {
    return !simultaneous(winner, loser) && winner.canPreventGestureRecognizer(loser) &&
           loser.canBePreventedByGestureRecognizer(winner);
}

bool viewAllows(View* view, GestureRecognizer& recognizer) {
    auto* responder = dynamic_cast<Responder*>(view);
    return !responder || responder->gestureRecognizerShouldBegin(recognizer);
}

bool shouldBegin(GestureRecognizer& recognizer) {
    if (const auto delegate = recognizer.delegate();
        delegate && !delegate->gestureRecognizerShouldBegin(recognizer).value_or(true)) {
        return false;
    }
    View* own = recognizer.view();
    if (!viewAllows(own, recognizer)) return false;
    for (const auto& touch : recognizer.touches()) {
        View* hit = touch->view();
        if (hit != own && !viewAllows(hit, recognizer)) return false;
    }
    return true;
}

bool waitsFor(const GestureRecognizer& waiter, const GestureRecognizer& other) {
    const auto required = waiter.requiredToFail();
    return std::any_of(required.begin(), required.end(),
                       [&](const auto& r) { return r.get() == &other; });
}

}  // namespace

GestureArena& GestureArena::shared() {
    static GestureArena arena;
    return arena;
}

std::vector<std::shared_ptr<GestureRecognizer>> GestureArena::participants() const {
    std::vector<std::shared_ptr<GestureRecognizer>> alive;
    for (const auto& weak : m_participants) {
        if (auto recognizer = weak.lock()) alive.push_back(std::move(recognizer));
    }
    return alive;
}

bool GestureArena::isParticipant(const GestureRecognizer& recognizer) const {
    return std::any_of(m_participants.begin(), m_participants.end(),
                       [&](const auto& weak) { return weak.lock().get() == &recognizer; });
}

bool GestureArena::isPending(const GestureRecognizer& recognizer) const {
    return std::any_of(m_pending.begin(), m_pending.end(),
                       [&](const Pending& p) { return p.recognizer.lock().get() == &recognizer; });
}

void GestureArena::removePending(const GestureRecognizer& recognizer) {
    std::erase_if(m_pending, [&](const Pending& p) {
        const auto locked = p.recognizer.lock();
        return !locked || locked.get() == &recognizer;
    });
}

void GestureArena::join(const std::shared_ptr<GestureRecognizer>& recognizer) {
    if (!isParticipant(*recognizer)) m_participants.push_back(recognizer);
}

void GestureArena::requestRecognition(GestureRecognizer& recognizer,
                                      UIGestureRecognizerState target) {
    if (!recognizer.isEnabled()) return;
    bool waiting = false;
    for (const auto& required : recognizer.requiredToFail()) {
        if (hasRecognized(required->state())) {
            removePending(recognizer);
            recognizer.transitionTo(UIGestureRecognizerStateFailed);
            return;
        }
        waiting |=
            required->state() == UIGestureRecognizerStatePossible && isParticipant(*required);
    }
    removePending(recognizer);
    if (waiting) {
        m_pending.push_back({recognizer.weak_from_this(), target});
        return;
    }
    decide(recognizer, target);
}

void GestureArena::decide(GestureRecognizer& recognizer, UIGestureRecognizerState target) {
    for (const auto& other : participants()) {
        if (other.get() != &recognizer && isActive(other->state()) &&
            prevents(*other, recognizer)) {
            recognizer.transitionTo(UIGestureRecognizerStateFailed);
            return;
        }
    }
    if (!shouldBegin(recognizer)) {
        recognizer.transitionTo(UIGestureRecognizerStateFailed);
        return;
    }
    recognizer.transitionTo(target);
    failThoseExcludedBy(recognizer);
    if (recognizer.cancelsTouchesInView() && hasRecognized(recognizer.state())) {
        TouchDispatcher::shared().takeTouchesFromViews(recognizer);
    }
}

void GestureArena::failThoseExcludedBy(GestureRecognizer& winner) {
    for (const auto& other : participants()) {
        if (other.get() == &winner || other->state() != UIGestureRecognizerStatePossible) continue;
        if (waitsFor(*other, winner) || prevents(winner, *other)) {
            removePending(*other);
            other->transitionTo(UIGestureRecognizerStateFailed);
        }
    }
}

void GestureArena::didFail(GestureRecognizer& recognizer) {
    removePending(recognizer);
    const auto waiting = m_pending;
    for (const auto& pending : waiting) {
        auto waiter = pending.recognizer.lock();
        if (!waiter || !isPending(*waiter) || !waitsFor(*waiter, recognizer)) continue;
        requestRecognition(*waiter, pending.target);
    }
}

bool GestureArena::keepsWaiting(const GestureRecognizer& recognizer) const {
    if (recognizer.state() != UIGestureRecognizerStatePossible) return false;
    if (isPending(recognizer)) return true;
    return std::any_of(m_pending.begin(), m_pending.end(), [&](const Pending& p) {
        const auto waiter = p.recognizer.lock();
        return waiter && waitsFor(*waiter, recognizer);
    });
}

void GestureArena::settle() {
    if (m_settling || TouchDispatcher::shared().hasTouchesDown()) return;
    m_settling = true;
    for (const auto& recognizer : participants()) {
        if (isActive(recognizer->state())) {
            recognizer->transitionTo(UIGestureRecognizerStateCancelled);
        }
    }
    std::vector<std::weak_ptr<GestureRecognizer>> staying;
    for (const auto& recognizer : participants()) {
        if (isFinished(recognizer->state())) {
            recognizer->resetToPossible();
        } else if (!recognizer->touches().empty() || keepsWaiting(*recognizer)) {
            // Still counting taps, or holding up one that waits for it.
            staying.push_back(recognizer);
        }
    }
    m_participants = std::move(staying);
    m_settling = false;
}

}  // namespace ov::ui
