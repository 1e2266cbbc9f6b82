#include "orvane/platform/ui/views/Control.h"

#include <algorithm>

namespace ov::ui {

Control::Control(const Rect& frame) : View(frame) {}

void Control::setEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    // A control switched off in the middle of a touch lets it go.
    if (!enabled) {
        m_tracking = false;
        m_touchActive = false;
        m_touchInside = false;
        m_highlighted = false;
    }
    stateDidChange();
    setNeedsDisplay();
}

void Control::setSelected(bool selected) {
    if (selected == m_selected) return;
    m_selected = selected;
    stateDidChange();
    setNeedsDisplay();
}

void Control::setHighlighted(bool highlighted) {
    if (highlighted == m_highlighted) return;
    m_highlighted = highlighted;
    stateDidChange();
    setNeedsDisplay();
}

UIControlState Control::state() const {
    UIControlState state = UIControlStateNormal;
    if (m_highlighted) state |= UIControlStateHighlighted;
    if (!m_enabled) state |= UIControlStateDisabled;
    if (m_selected) state |= UIControlStateSelected;
    return state;
}

void Control::setContentHorizontalAlignment(UIControlContentHorizontalAlignment alignment) {
    if (alignment == m_horizontal) return;
    m_horizontal = alignment;
    setNeedsLayout();
}

void Control::setContentVerticalAlignment(UIControlContentVerticalAlignment alignment) {
    if (alignment == m_vertical) return;
    m_vertical = alignment;
    setNeedsLayout();
}

void Control::addTarget(const std::shared_ptr<void>& target, std::string action, Action handler,
                        UIControlEvents controlEvents) {
    if (!handler || controlEvents == 0) return;
    const void* key = target.get();
    if (!action.empty()) {
        for (auto& entry : m_entries) {
            if (entry.targetKey == key && entry.action == action && isLive(entry)) {
                entry.events |= controlEvents;
                entry.handler = std::move(handler);
                return;
            }
        }
    }
    m_entries.push_back({target, key, std::move(action), std::move(handler), controlEvents});
}

void Control::addAction(Action handler, UIControlEvents controlEvents) {
    addTarget(nullptr, {}, std::move(handler), controlEvents);
}

void Control::removeTarget(const void* target, const std::optional<std::string>& action,
                           UIControlEvents controlEvents) {
    for (auto& entry : m_entries) {
        if (target && entry.targetKey != target) continue;
        if (action && entry.action != *action) continue;
        entry.events &= ~controlEvents;
    }
    std::erase_if(m_entries,
                  [this](const Entry& entry) { return entry.events == 0 || !isLive(entry); });
}

UIControlEvents Control::allControlEvents() const {
    UIControlEvents events = 0;
    for (const auto& entry : m_entries) {
        if (isLive(entry)) events |= entry.events;
    }
    return events;
}

std::vector<std::shared_ptr<void>> Control::allTargets() const {
    std::vector<std::shared_ptr<void>> targets;
    for (const auto& entry : m_entries) {
        auto target = entry.target.lock();
        if (target && std::find(targets.begin(), targets.end(), target) == targets.end())
            targets.push_back(std::move(target));
    }
    return targets;
}

std::vector<std::string> Control::actionsForTarget(const void* target,
                                                   UIControlEvents controlEvent) const {
    std::vector<std::string> actions;
    for (const auto& entry : m_entries) {
        if (entry.targetKey == target && (entry.events & controlEvent) && isLive(entry))
            actions.push_back(entry.action);
    }
    return actions;
}

void Control::sendActionsForControlEvents(UIControlEvents controlEvents) {
    // Handlers may add or remove actions, or let go of the control: work on a copy and keep
    // the control alive until they are done.
    std::vector<Action> due;
    for (const auto& entry : m_entries) {
        if ((entry.events & controlEvents) && isLive(entry)) due.push_back(entry.handler);
    }
    if (due.empty()) return;
    const auto keepAlive = weak_from_this().lock();
    for (const auto& handler : due)
        handler(*this);
}

bool Control::isLive(const Entry& entry) const {
    return entry.targetKey == nullptr || !entry.target.expired();
}

bool Control::withinSlop(Point point) const {
    return bounds().insetBy(-kTouchSlop, -kTouchSlop).contains(point);
}

void Control::touchDown(Point point) {
    if (!m_enabled || m_touchActive) return;
    m_touchActive = true;
    m_touchInside = true;
    m_tracking = beginTrackingAt(point);
    setHighlighted(true);
    sendActionsForControlEvents(UIControlEventTouchDown);
}

void Control::touchMoved(Point point) {
    if (!m_enabled || !m_touchActive) return;
    const bool wasInside = m_touchInside;
    const bool inside = withinSlop(point);
    m_touchInside = inside;
    if (m_tracking) m_tracking = continueTrackingAt(point);
    setHighlighted(inside);
    if (wasInside && !inside) sendActionsForControlEvents(UIControlEventTouchDragExit);
    if (!wasInside && inside) sendActionsForControlEvents(UIControlEventTouchDragEnter);
    sendActionsForControlEvents(inside ? UIControlEventTouchDragInside
                                       : UIControlEventTouchDragOutside);
}

void Control::touchUp(Point point) {
    if (!m_enabled || !m_touchActive) return;
    const bool inside = withinSlop(point);
    if (m_tracking) endTrackingAt(point);
    m_tracking = false;
    m_touchActive = false;
    m_touchInside = false;
    setHighlighted(false);
    sendActionsForControlEvents(inside ? UIControlEventTouchUpInside
                                       : UIControlEventTouchUpOutside);
}

void Control::touchCancelled() {
    if (!m_touchActive) return;
    if (m_tracking) cancelTracking();
    m_tracking = false;
    m_touchActive = false;
    m_touchInside = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel);
}

void Control::simulateTap() {
    const Rect box = bounds();
    const Point middle{box.midX(), box.midY()};
    touchDown(middle);
    touchUp(middle);
}

bool Control::beginTrackingAt(Point) {
    return true;
}

bool Control::continueTrackingAt(Point) {
    return true;
}

void Control::endTrackingAt(Point) {}

void Control::cancelTracking() {}

}  // namespace ov::ui
