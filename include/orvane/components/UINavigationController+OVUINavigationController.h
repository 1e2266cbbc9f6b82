#pragma once
// Finding screens of a class in a navigation stack, and pushing with a completion.
//
//   namespace nav = ov::UINavigationController_OVUINavigationController;
//   if (!nav::popToViewControllerClass<Inbox>(*navigation, true)) showInbox();
//   nav::pushViewController(*navigation, details, true, [] { details->focus(); });
//
// "Of the class" includes its subclasses.

#include <functional>
#include <memory>

#include "orvane/platform/ui/containers/NavigationController.h"

namespace ov::UINavigationController_OVUINavigationController {

// The lowest controller in the stack that is a `Class`, or nullptr.
template <class Class>
ui::ViewController* firstViewControllerOfClass(const ui::NavigationController& navigation) {
    for (const auto& controller : navigation.viewControllers()) {
        if (dynamic_cast<Class*>(controller.get())) return controller.get();
    }
    return nullptr;
}

// Pops to the lowest `Class` in the stack; false (and nothing changes) when there is none.
template <class Class>
bool popToViewControllerClass(ui::NavigationController& navigation, bool animated) {
    ui::ViewController* found = firstViewControllerOfClass<Class>(navigation);
    if (found) navigation.popToViewController(*found, animated);
    return found != nullptr;
}

template <class Class>
bool containsViewControllerClass(const ui::NavigationController& navigation) {
    return firstViewControllerOfClass<Class>(navigation) != nullptr;
}

// Pushes inside an animation transaction: `completion` runs on the main run loop once the
// push's animations have ended.
void pushViewController(ui::NavigationController& navigation,
                        std::shared_ptr<ui::ViewController> controller, bool animated,
                        std::function<void()> completion);

}  // namespace ov::UINavigationController_OVUINavigationController
