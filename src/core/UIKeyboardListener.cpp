#include "orvane/core/UIKeyboardListener.h"

#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/application/KeyboardNotifications.h"

namespace ov {

UIKeyboardListener::UIKeyboardListener() {
    auto& center = NotificationCenter::defaultCenter();
    // The listener lives as long as its subscriptions, so `this` stays valid in them.
    m_didShow = center.addObserver(String(ui::UIKeyboardDidShowNotification),
                                   [this](const Notification&) { setVisible(true); });
    m_willHide = center.addObserver(String(ui::UIKeyboardWillHideNotification),
                                    [this](const Notification&) { setVisible(false); });
}

UIKeyboardListener& UIKeyboardListener::shared() {
    // Never destroyed: shared instances live until the process ends.
    static auto* listener = new UIKeyboardListener;
    return *listener;
}

}  // namespace ov
