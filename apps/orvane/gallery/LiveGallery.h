#pragma once
// The component gallery in a desktop window (`orvane gallery --live` and the demo's end): the
// page names in a column on the left, the chosen page on the right, live: its animations and
// timers run, and the mouse and keyboard drive its controls.

#include <memory>

#include "orvane/platform/ui/views/Window.h"

namespace orvane::gallery {

// The gallery's window, showing the first page; not on screen yet.
std::shared_ptr<ov::ui::Window> makeLiveGallery();
// Opens the gallery in a desktop window and runs the main run loop until the window is
// closed. False, with the reason in the log, when no window can be shown.
bool showLiveGallery();

}  // namespace orvane::gallery
