#pragma once
// Turns a desktop window's SDL input into the interface's input: the left mouse button and
// touch-screen fingers become touches through EventInjector, the path tests use, so gestures
// and controls cannot tell them apart; typed text and the editing keys go to the first
// responder. Main thread only.

#include <SDL.h>

#include <map>
#include <memory>

#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/input/EventInjector.h"

namespace ov::ui {

class View;

class WindowInput {
  public:
    // `root` is the view shown; `scale` is pixels per point.
    WindowInput(std::shared_ptr<View> root, double scale);

    // Answers whether the event was input.
    bool handle(const SDL_Event& event);

  private:
    void handleMouseButton(const SDL_MouseButtonEvent& event);
    void handleMouseMotion(const SDL_MouseMotionEvent& event);
    void handleFinger(const SDL_TouchFingerEvent& event);
    Point pointOf(double pixelX, double pixelY) const;

    std::weak_ptr<View> m_root;
    double m_scale;
    EventInjector m_injector;
    // The touch the held left button makes, or 0.
    int m_mouseTouch = 0;
    std::map<SDL_FingerID, int> m_fingerTouches;
};

}  // namespace ov::ui
