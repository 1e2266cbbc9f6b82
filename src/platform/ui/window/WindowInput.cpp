#include "platform/ui/window/WindowInput.h"

#include <utility>

#include "orvane/platform/ui/views/FirstResponder.h"
#include "orvane/platform/ui/views/TextField.h"
#include "orvane/platform/ui/views/TextView.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

namespace {

// Text fields and text views type alike but share no base, so the keys find theirs here.
template <class Action>
void withFocusedText(Action action) {
    FirstResponder* focused = FirstResponder::current();
    if (!focused) return;
    if (auto* field = dynamic_cast<TextField*>(focused)) {
        action(*field);
    } else if (auto* textView = dynamic_cast<TextView*>(focused)) {
        action(*textView);
    }
}

void handleKey(const SDL_KeyboardEvent& event) {
    switch (event.keysym.sym) {
        case SDLK_BACKSPACE:
            withFocusedText([](auto& text) { text.deleteBackward(); });
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            withFocusedText([](auto& text) { text.insertText("\n"); });
            break;
        default:
            break;
    }
}

}  // namespace

WindowInput::WindowInput(std::shared_ptr<View> root, double scale)
    : m_root(root), m_scale(scale), m_injector(std::move(root)) {}

bool WindowInput::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            handleMouseButton(event.button);
            return true;
        case SDL_MOUSEMOTION:
            handleMouseMotion(event.motion);
            return true;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP:
            handleFinger(event.tfinger);
            return true;
        case SDL_KEYDOWN:
            handleKey(event.key);
            return true;
        case SDL_TEXTINPUT:
            withFocusedText([&](auto& text) { text.insertText(String(event.text.text)); });
            return true;
        default:
            return false;
    }
}

void WindowInput::handleMouseButton(const SDL_MouseButtonEvent& event) {
    if (event.button != SDL_BUTTON_LEFT || event.which == SDL_TOUCH_MOUSEID) return;
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        if (m_mouseTouch == 0) m_mouseTouch = m_injector.touchDown(pointOf(event.x, event.y));
        return;
    }
    // The release lands where the last motion left the touch, as a lifted finger does.
    if (m_mouseTouch != 0) m_injector.touchUp(std::exchange(m_mouseTouch, 0));
}

void WindowInput::handleMouseMotion(const SDL_MouseMotionEvent& event) {
    // SDL also reports touch-screen fingers as a mouse; they come as fingers too. A pointer
    // that moves without the button held (the window system placing it) drags nothing.
    if (event.which == SDL_TOUCH_MOUSEID || !(event.state & SDL_BUTTON_LMASK)) return;
    if (m_mouseTouch != 0) m_injector.touchMove(m_mouseTouch, pointOf(event.x, event.y));
}

void WindowInput::handleFinger(const SDL_TouchFingerEvent& event) {
    const auto root = m_root.lock();
    if (!root) return;
    // Finger positions come as fractions of the window.
    const Point point{event.x * root->bounds().width(), event.y * root->bounds().height()};
    const auto found = m_fingerTouches.find(event.fingerId);
    if (event.type == SDL_FINGERDOWN) {
        if (found == m_fingerTouches.end())
            m_fingerTouches[event.fingerId] = m_injector.touchDown(point);
        return;
    }
    if (found == m_fingerTouches.end()) return;
    if (event.type == SDL_FINGERMOTION) {
        m_injector.touchMove(found->second, point);
        return;
    }
    m_injector.touchUp(found->second);
    m_fingerTouches.erase(found);
}

Point WindowInput::pointOf(double pixelX, double pixelY) const {
    return {pixelX / m_scale, pixelY / m_scale};
}

}  // namespace ov::ui
