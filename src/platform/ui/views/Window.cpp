#include "orvane/platform/ui/views/Window.h"

namespace ov::ui {

namespace {

Window*& keyWindowSlot() {
    static Window* window = nullptr;
    return window;
}

}  // namespace

Window::Window(const Rect& frame) : View(frame) {}

Window::~Window() {
    if (keyWindowSlot() == this) keyWindowSlot() = nullptr;
}

void Window::makeKeyAndVisible() {
    keyWindowSlot() = this;
    setHidden(false);
}

Window* Window::keyWindow() {
    return keyWindowSlot();
}

}  // namespace ov::ui
