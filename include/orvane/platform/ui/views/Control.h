#pragma once
// A view that turns touches into control events and sends them to targets (the platform's
// UIControl): the states normal, highlighted, disabled and selected, target-action per event,
// and touch tracking that fires touchDown, the drag events and touchUpInside/Outside.
//
//   auto button = ov::ui::Button::buttonWithType(ov::ui::UIButtonTypeSystem);
//   button->addTarget(screen, "save:", [](ov::ui::Control& sender) { save(sender); },
//                     ov::ui::UIControlEventTouchUpInside);
//   button->simulateTap();                                 // touch down and up in the middle
//   button->removeTarget(nullptr, std::nullopt, ov::ui::UIControlEventAllEvents);
//
// Targets are held weakly: an action whose target has gone is skipped. An action added
// without a target (or with a null one) always runs. Touch entry points take points in the
// control's own coordinates; whoever delivers touches (gesture code, tests) calls them.
// Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

// A bit set; the platform's values.
using UIControlState = unsigned long;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;
inline constexpr UIControlState UIControlStateFocused = 1 << 3;

// A bit set; the platform's values.
using UIControlEvents = unsigned long;
inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventPrimaryActionTriggered = 1 << 13;
inline constexpr UIControlEvents UIControlEventEditingDidBegin = 1 << 16;
inline constexpr UIControlEvents UIControlEventEditingChanged = 1 << 17;
inline constexpr UIControlEvents UIControlEventEditingDidEnd = 1 << 18;
inline constexpr UIControlEvents UIControlEventEditingDidEndOnExit = 1 << 19;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x00000FFF;
inline constexpr UIControlEvents UIControlEventAllEditingEvents = 0x000F0000;
inline constexpr UIControlEvents UIControlEventApplicationReserved = 0x0F000000;
inline constexpr UIControlEvents UIControlEventSystemReserved = 0xF0000000;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

enum UIControlContentHorizontalAlignment : int {
    UIControlContentHorizontalAlignmentCenter = 0,
    UIControlContentHorizontalAlignmentLeft = 1,
    UIControlContentHorizontalAlignmentRight = 2,
    UIControlContentHorizontalAlignmentFill = 3,
};

enum UIControlContentVerticalAlignment : int {
    UIControlContentVerticalAlignmentCenter = 0,
    UIControlContentVerticalAlignmentTop = 1,
    UIControlContentVerticalAlignmentBottom = 2,
    UIControlContentVerticalAlignmentFill = 3,
};

class Control : public View {
  public:
    using Action = std::function<void(Control& sender)>;

    explicit Control(const Rect& frame = {});

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    // The flags above as a bit set.
    UIControlState state() const;

    UIControlContentHorizontalAlignment contentHorizontalAlignment() const { return m_horizontal; }
    void setContentHorizontalAlignment(UIControlContentHorizontalAlignment alignment);
    UIControlContentVerticalAlignment contentVerticalAlignment() const { return m_vertical; }
    void setContentVerticalAlignment(UIControlContentVerticalAlignment alignment);

    // addTarget:action:forControlEvents:. `action` names the handler so that it can be
    // removed again; adding the same target, name and events twice keeps one entry.
    void addTarget(const std::shared_ptr<void>& target, std::string action, Action handler,
                   UIControlEvents controlEvents);
    // An action with no target, for blocks that capture what they need.
    void addAction(Action handler, UIControlEvents controlEvents);
    // removeTarget:action:forControlEvents:. A null target matches every target and no
    // action name every action; the events are taken out of the matching entries.
    void removeTarget(const void* target, const std::optional<std::string>& action,
                      UIControlEvents controlEvents);
    // The events that have at least one action.
    UIControlEvents allControlEvents() const;
    // The live targets, each once, in the order they were added.
    std::vector<std::shared_ptr<void>> allTargets() const;
    // The action names for the target (null: the actions without a target) and the event.
    std::vector<std::string> actionsForTarget(const void* target,
                                              UIControlEvents controlEvent) const;
    // Runs every action registered for any of the events, in the order they were added.
    void sendActionsForControlEvents(UIControlEvents controlEvents);

    // Touch entry points, in this control's coordinates. A disabled control ignores them.
    void touchDown(Point point);
    void touchMoved(Point point);
    void touchUp(Point point);
    void touchCancelled();
    // A touch down and up in the middle of the bounds.
    void simulateTap();
    bool isTracking() const { return m_tracking; }
    bool isTouchInside() const { return m_touchInside; }

  protected:
    // Tracking hooks, as on the platform: answering false from begin/continue stops tracking.
    virtual bool beginTrackingAt(Point point);
    virtual bool continueTrackingAt(Point point);
    virtual void endTrackingAt(Point point);
    virtual void cancelTracking();
    // Told after enabled, selected or highlighted changed.
    virtual void stateDidChange() {}
    // How far outside the bounds a moving touch still counts as inside.
    static constexpr double kTouchSlop = 70;

  private:
    struct Entry {
        std::weak_ptr<void> target;
        const void* targetKey = nullptr;
        std::string action;
        Action handler;
        UIControlEvents events = 0;
    };
    bool isLive(const Entry& entry) const;
    bool withinSlop(Point point) const;

    std::vector<Entry> m_entries;
    bool m_enabled = true;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_tracking = false;
    bool m_touchActive = false;
    bool m_touchInside = false;
    UIControlContentHorizontalAlignment m_horizontal = UIControlContentHorizontalAlignmentCenter;
    UIControlContentVerticalAlignment m_vertical = UIControlContentVerticalAlignmentCenter;
};

}  // namespace ov::ui
