// The application category's window, screen and orientation operations.

#include "orvane/core/UIApplication+OVApplication.h"
#include "orvane/platform/ui/containers/DeviceOrientation.h"
#include "orvane/platform/ui/containers/NavigationController.h"
#include "orvane/platform/ui/containers/TabBarController.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov::UIApplication_OVApplication {

namespace {

constexpr const char* kOrientationKey = "orientation";

ui::ViewController* lastOnStack(const ui::NavigationController& navigation) {
    const auto& stack = navigation.viewControllers();
    return stack.empty() ? nullptr : stack.back().get();
}

}  // namespace

void forceOrientation(long orientation) {
    ui::DeviceOrientation::current().setValueForKey(Value(orientation), kOrientationKey);
}

ui::Window* window() {
    const auto windows = ui::windowsWithRootViewControllers();
    return windows.empty() ? ui::Window::keyWindow() : windows.back();
}

ui::ViewController* topViewController() {
    ui::Window* key = ui::Window::keyWindow();
    return key ? topViewController(ui::rootViewController(*key).get()) : nullptr;
}

ui::ViewController* topViewController(ui::ViewController* controller) {
    if (!controller) return nullptr;
    if (auto* navigation = dynamic_cast<ui::NavigationController*>(controller)) {
        return topViewController(lastOnStack(*navigation));
    }
    if (auto* tabs = dynamic_cast<ui::TabBarController*>(controller)) {
        return topViewController(tabs->selectedViewController());
    }
    ui::ViewController* presented = controller->presentedViewController();
    if (!presented) return controller;
    if (auto* navigation = dynamic_cast<ui::NavigationController*>(presented)) {
        return topViewController(lastOnStack(*navigation));
    }
    if (auto* tabs = dynamic_cast<ui::TabBarController*>(presented)) {
        return topViewController(tabs->selectedViewController());
    }
    return topViewController(presented);
}

}  // namespace ov::UIApplication_OVApplication
