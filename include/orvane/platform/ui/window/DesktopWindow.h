#pragma once
// Shows a Window's view tree in a real desktop window (X11 or Wayland, through SDL2, which is
// loaded only when the first window opens). The tree is drawn in software on each display-link
// frame and put on screen when its pixels changed; SDL's events join the main run loop, so
// timers, queued work and animations run as they do headless. The mouse and touch screens
// become touches, typed text goes to the first responder, and a resize becomes the window's
// bounds and the device orientation.
//
//   auto window = std::make_shared<ov::ui::Window>(ov::ui::Rect{0, 0, 375, 667});
//   window->addSubview(screen);
//   if (auto shown = ov::ui::DesktopWindow::open(window, {.title = "Demo"})) {
//       shown->runUntilClosed();   // the main run loop, until the user closes the window
//   }
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "orvane/platform/files/Image.h"

namespace ov::ui {

class Window;

struct DesktopWindowOptions {
    std::string title = "Orvane";
    // Pixels per point; the display's own scale when not given.
    std::optional<double> scale;
};

class DesktopWindow {
  public:
    using Options = DesktopWindowOptions;

    // Whether the environment names a display (DISPLAY or WAYLAND_DISPLAY), without loading
    // SDL or reaching for it.
    static bool isDisplayNamed();

    // The desktop window, shown; nullptr with a log line when SDL cannot be loaded, no
    // display can be reached or `window` is null. A window with an empty frame is given a
    // phone's size, 375 by 667 points.
    static std::unique_ptr<DesktopWindow> open(std::shared_ptr<Window> window,
                                               const Options& options = {});

    // Closes the desktop window; the view tree stays with its owners.
    ~DesktopWindow();
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;

    // False once the user (or close()) has closed it.
    bool isOpen() const;
    void close();
    // Runs the main run loop until the window is closed.
    void runUntilClosed();

    double scale() const;
    // How often the tree is drawn, 60 times a second unless set (fewer saves work where
    // motion matters less than the result).
    void setFramesPerSecond(int framesPerSecond);
    // SDL's number for the window (events carry it).
    uint32_t windowId() const;
    // Draws the tree now and shows it if its pixels changed since the last frame (the
    // display link does this on every frame). Answers whether the screen changed.
    bool presentIfChanged();
    // The pixels on screen, read back from the window; nullptr once closed.
    std::shared_ptr<Image> screenshot() const;

  private:
    struct Parts;
    explicit DesktopWindow(std::unique_ptr<Parts> parts);

    std::unique_ptr<Parts> m_parts;
};

}  // namespace ov::ui
