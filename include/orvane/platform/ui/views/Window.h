#pragma once
// The root of a view tree that is on screen (the platform's UIWindow). Views find it with
// View::window() and hear willMoveToWindow/didMoveToWindow when they join or leave one.
//
//   auto window = std::make_shared<ov::ui::Window>(ov::ui::Rect{0, 0, 375, 667});
//   window->makeKeyAndVisible();
//   window->addSubview(screen);
//   ov::ui::Window::keyWindow();   // window.get()

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

class Window : public View {
  public:
    explicit Window(const Rect& frame = {});
    ~Window() override;

    // Becomes the key window and shows.
    void makeKeyAndVisible();
    bool isKeyWindow() const { return keyWindow() == this; }
    // The last window made key that is still alive, or nullptr.
    static Window* keyWindow();
};

}  // namespace ov::ui
