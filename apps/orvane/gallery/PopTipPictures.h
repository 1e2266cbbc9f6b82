#pragma once
// Pictures of the pop tip for the gallery.

#include <memory>

#include "Motion.h"
#include "orvane/platform/ui/views/View.h"

namespace orvane::poptip {

// Tips in each direction, kept inside the container's edges, with styled text and a custom
// view. Live, the tips come in with their entrance animation, and a tap on a stage shows its
// tip again.
std::shared_ptr<ov::ui::View> placesPicture(gallery::Motion motion = gallery::Motion::Still);
// A moment of each entrance, exit and action animation.
std::shared_ptr<ov::ui::View> animationsPicture();

}  // namespace orvane::poptip
