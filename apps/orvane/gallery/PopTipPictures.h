#pragma once
// Pictures of the pop tip for the gallery.

#include <memory>

#include "orvane/platform/ui/views/View.h"

namespace orvane::poptip {

// Tips in each direction, kept inside the container's edges, with styled text and a custom
// view.
std::shared_ptr<ov::ui::View> placesPicture();
// A moment of each entrance, exit and action animation.
std::shared_ptr<ov::ui::View> animationsPicture();

}  // namespace orvane::poptip
