#pragma once
// Pushes SDL's own input events at a desktop window, timed as EventInjector times its touches
// (a step, then the main run loop runs on), so the two can be compared gesture for gesture.
// Points are in the window's coordinates.

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/window/DesktopWindow.h"
#include "platform/ui/window/SdlLibrary.h"

namespace ov::test {

class SdlEvents {
  public:
    explicit SdlEvents(const ui::DesktopWindow& window)
        : m_sdl(*ui::SdlLibrary::video()), m_window(window.windowId()), m_scale(window.scale()) {}

    void tap(ui::Point at) {
        button(SDL_MOUSEBUTTONDOWN, at);
        wait(0.05);
        button(SDL_MOUSEBUTTONUP, at);
    }
    void longPress(ui::Point at, double duration) {
        button(SDL_MOUSEBUTTONDOWN, at);
        wait(duration);
        button(SDL_MOUSEBUTTONUP, at);
    }
    // A straight drag at even speed, in the injector's steps, released at the end.
    void drag(ui::Point from, ui::Point to, double duration) {
        button(SDL_MOUSEBUTTONDOWN, from);
        const int steps =
            std::max(1, static_cast<int>(std::lround(duration / ui::EventInjector::kStepInterval)));
        for (int step = 1; step <= steps; ++step) {
            wait(duration / steps);
            const double t = static_cast<double>(step) / steps;
            motion({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
        }
        button(SDL_MOUSEBUTTONUP, to);
    }
    void type(const char* utf8) {
        SDL_Event event{};
        event.text.type = SDL_TEXTINPUT;
        event.text.windowID = m_window;
        std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
        push(event);
    }
    void key(SDL_Keycode code) {
        SDL_Event event{};
        event.key.type = SDL_KEYDOWN;
        event.key.windowID = m_window;
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = code;
        push(event);
    }
    void close() {
        SDL_Event event{};
        event.window.type = SDL_WINDOWEVENT;
        event.window.windowID = m_window;
        event.window.event = SDL_WINDOWEVENT_CLOSE;
        push(event);
    }

    static void wait(double seconds) { ui::EventInjector::wait(seconds); }

  private:
    void button(SDL_EventType type, ui::Point at) {
        SDL_Event event{};
        event.button.type = type;
        event.button.windowID = m_window;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = pixels(at.x);
        event.button.y = pixels(at.y);
        push(event);
    }
    void motion(ui::Point at) {
        SDL_Event event{};
        event.motion.type = SDL_MOUSEMOTION;
        event.motion.windowID = m_window;
        event.motion.state = SDL_BUTTON_LMASK;
        event.motion.x = pixels(at.x);
        event.motion.y = pixels(at.y);
        push(event);
    }
    int pixels(double points) const { return static_cast<int>(std::lround(points * m_scale)); }
    void push(SDL_Event& event) { m_sdl.PushEvent(&event); }

    const ui::SdlLibrary& m_sdl;
    uint32_t m_window;
    double m_scale;
};

}  // namespace ov::test
