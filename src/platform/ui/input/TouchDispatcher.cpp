#include "platform/ui/input/TouchDispatcher.h"

#include <algorithm>

#include "orvane/platform/ui/input/GestureRecognizer.h"
#include "orvane/platform/ui/input/Responder.h"
#include "orvane/platform/ui/views/Control.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/Clock.h"
#include "platform/ui/input/GestureArena.h"

namespace ov::ui {

namespace {

bool stopsListening(UIGestureRecognizerState state) {
    return state == UIGestureRecognizerStateEnded || state == UIGestureRecognizerStateCancelled ||
           state == UIGestureRecognizerStateFailed;
}

bool acceptsTouch(GestureRecognizer& recognizer, const Touch& touch) {
    if (!recognizer.isEnabled() || stopsListening(recognizer.state())) return false;
    const auto delegate = recognizer.delegate();
    return !delegate ||
           delegate->gestureRecognizerShouldReceiveTouch(recognizer, touch).value_or(true);
}

// Hands the change to the nearest responder above the hit view; a control on the way takes
// it through its own tracking entry points.
void deliverToHandler(View* hit, UITouchPhase phase, const std::shared_ptr<Touch>& touch,
                      const Event& event) {
    const TouchSet changed{touch};
    for (View* view = hit; view; view = view->superview()) {
        if (auto* responder = dynamic_cast<Responder*>(view)) {
            switch (phase) {
                case UITouchPhaseBegan:
                    responder->touchesBegan(changed, event);
                    break;
                case UITouchPhaseMoved:
                case UITouchPhaseStationary:
                    responder->touchesMoved(changed, event);
                    break;
                case UITouchPhaseEnded:
                    responder->touchesEnded(changed, event);
                    break;
                case UITouchPhaseCancelled:
                    responder->touchesCancelled(changed, event);
                    break;
            }
            return;
        }
        if (auto* control = dynamic_cast<Control*>(view)) {
            const Point point = touch->locationInView(control);
            switch (phase) {
                case UITouchPhaseBegan:
                    control->touchDown(point);
                    break;
                case UITouchPhaseMoved:
                case UITouchPhaseStationary:
                    control->touchMoved(point);
                    break;
                case UITouchPhaseEnded:
                    control->touchUp(point);
                    break;
                case UITouchPhaseCancelled:
                    control->touchCancelled();
                    break;
            }
            return;
        }
    }
}

}  // namespace

TouchDispatcher& TouchDispatcher::shared() {
    static TouchDispatcher dispatcher;
    return dispatcher;
}

Event TouchDispatcher::currentEvent() const {
    return Event(m_touches, Clock::current().now());
}

bool TouchDispatcher::isTaken(const Touch& touch) const {
    return std::find(m_taken.begin(), m_taken.end(), &touch) != m_taken.end();
}

void TouchDispatcher::attachRecognizers(const std::shared_ptr<Touch>& touch) {
    View* root = touch->root();
    View* hit = root ? root->hitTest(touch->locationInView(root)) : nullptr;
    if (!hit) return;
    touch->setView(hit->weak_from_this().lock());
    std::vector<std::weak_ptr<GestureRecognizer>> receiving;
    for (View* view = hit; view; view = view->superview()) {
        for (const auto& recognizer : gestureRecognizers(*view)) {
            if (!acceptsTouch(*recognizer, *touch)) continue;
            GestureArena::shared().join(recognizer);
            recognizer->receiveTouch(touch);
            receiving.push_back(recognizer);
        }
        if (view == root) break;
    }
    touch->setGestureRecognizers(std::move(receiving));
}

void TouchDispatcher::deliverToRecognizers(const std::shared_ptr<Touch>& touch,
                                           const Event& event) {
    const TouchSet changed{touch};
    for (const auto& weak : touch->gestureRecognizers()) {
        const auto recognizer = weak.lock();
        if (!recognizer || !recognizer->isEnabled() || stopsListening(recognizer->state())) {
            continue;
        }
        switch (touch->phase()) {
            case UITouchPhaseBegan:
                recognizer->touchesBegan(changed, event);
                break;
            case UITouchPhaseMoved:
            case UITouchPhaseStationary:
                recognizer->touchesMoved(changed, event);
                break;
            case UITouchPhaseEnded:
                recognizer->touchesEnded(changed, event);
                break;
            case UITouchPhaseCancelled:
                recognizer->touchesCancelled(changed, event);
                break;
        }
    }
}

void TouchDispatcher::deliverToView(const std::shared_ptr<Touch>& touch, const Event& event) {
    if (!isTaken(*touch)) deliverToHandler(touch->view(), touch->phase(), touch, event);
}

void TouchDispatcher::dispatch(const std::shared_ptr<Touch>& touch) {
    if (touch->phase() == UITouchPhaseBegan) {
        m_touches.push_back(touch);
        attachRecognizers(touch);
    }
    const Event event = currentEvent();
    deliverToRecognizers(touch, event);
    deliverToView(touch, event);
    if (touch->phase() == UITouchPhaseEnded || touch->phase() == UITouchPhaseCancelled) {
        std::erase(m_touches, touch);
        std::erase(m_taken, touch.get());
    }
    GestureArena::shared().settle();
}

void TouchDispatcher::takeTouchesFromViews(GestureRecognizer& recognizer) {
    const Event event = currentEvent();
    for (const auto& touch : recognizer.touches()) {
        const bool down = std::find(m_touches.begin(), m_touches.end(), touch) != m_touches.end();
        if (!down || isTaken(*touch)) continue;
        m_taken.push_back(touch.get());
        deliverToHandler(touch->view(), UITouchPhaseCancelled, touch, event);
    }
}

}  // namespace ov::ui
