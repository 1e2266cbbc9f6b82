// The windows' root view controllers, kept beside the windows, and the turning of the
// interface when the device orientation changes.

#include <algorithm>

#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov::ui {

namespace {

struct Root {
    Window* window;
    // The window is alive while its layer still names it as delegate.
    std::weak_ptr<Layer> layer;
    std::shared_ptr<ViewController> controller;
};

std::vector<Root>& roots() {
    static std::vector<Root> list;
    return list;
}

UIInterfaceOrientation& currentInterfaceOrientation() {
    static UIInterfaceOrientation orientation = UIInterfaceOrientationPortrait;
    return orientation;
}

bool isAlive(const Root& root) {
    const auto layer = root.layer.lock();
    return layer && layer->delegate() == static_cast<LayerDelegate*>(root.window);
}

void dropGoneWindows() {
    std::erase_if(roots(), [](const Root& root) { return !isAlive(root); });
}

Root* rootOf(const Window& window) {
    dropGoneWindows();
    const auto found = std::find_if(roots().begin(), roots().end(),
                                    [&](const Root& r) { return r.window == &window; });
    return found == roots().end() ? nullptr : &*found;
}

// The controller that decides: the last one presented over the root.
ViewController& onScreen(ViewController& root) {
    ViewController* shown = &root;
    while (ViewController* presented = shown->presentedViewController())
        shown = presented;
    return *shown;
}

void turnTo(UIDeviceOrientation device) {
    const UIInterfaceOrientation wanted = interfaceOrientationForDevice(device);
    if (wanted == UIInterfaceOrientationUnknown || wanted == currentInterfaceOrientation()) return;
    dropGoneWindows();
    const Window* key = Window::keyWindow();
    const auto found = std::find_if(roots().begin(), roots().end(),
                                    [&](const Root& r) { return r.window == key; });
    if (found == roots().end() || !found->controller) return;
    ViewController& deciding = onScreen(*found->controller);
    const UIInterfaceOrientationMask bit = 1UL << static_cast<unsigned long>(wanted);
    if (!deciding.shouldAutorotate() || !(deciding.supportedInterfaceOrientations() & bit)) return;
    const bool swapsAxes = isLandscape(wanted) != isLandscape(currentInterfaceOrientation());
    currentInterfaceOrientation() = wanted;
    if (!swapsAxes) return;
    for (const Root& root : roots()) {
        Rect frame = root.window->frame();
        frame.size = {frame.size.height, frame.size.width};
        root.window->setFrame(frame);
    }
}

void followDeviceOrientation() {
    static ObservationToken token = DeviceOrientation::current().addObserver(
        "orientation", NSKeyValueObservingOptionNew, [](const ObservedChange& change) {
            turnTo(std::any_cast<UIDeviceOrientation>(change.newValue));
        });
}

}  // namespace

UIInterfaceOrientation ViewController::interfaceOrientation() {
    return currentInterfaceOrientation();
}

void setRootViewController(Window& window, std::shared_ptr<ViewController> controller) {
    followDeviceOrientation();
    Root* root = rootOf(window);
    if (root && root->controller == controller) return;
    const auto old = root ? root->controller : nullptr;
    if (old) {
        old->beginAppearanceTransition(false, false);
        if (View* v = old->viewIfLoaded()) v->removeFromSuperview();
        old->endAppearanceTransition();
    }
    if (!root) {
        roots().push_back({&window, window.layer().weak_from_this(), nullptr});
        root = &roots().back();
    }
    root->controller = controller;
    if (!controller) return;
    const auto& view = controller->view();
    view->setFrame(window.bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    window.insertSubview(view, 0);
    controller->beginAppearanceTransition(true, false);
    controller->endAppearanceTransition();
}

std::shared_ptr<ViewController> rootViewController(const Window& window) {
    const Root* root = rootOf(window);
    return root ? root->controller : nullptr;
}

std::vector<Window*> windowsWithRootViewControllers() {
    dropGoneWindows();
    std::vector<Window*> windows;
    for (const Root& root : roots()) {
        if (root.controller) windows.push_back(root.window);
    }
    return windows;
}

}  // namespace ov::ui
