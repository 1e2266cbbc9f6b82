#pragma once
// Gallery pages of the swipeable cell and the elastic pull-to-refresh, driven by injected
// touches on a manual clock so every moment shown is the same on each run.

#include <memory>

#include "Motion.h"
#include "orvane/platform/ui/views/View.h"

namespace orvane::swipe {

// A row at rest, one being swiped, one open on each side; live, rows to swipe.
std::shared_ptr<ov::ui::View> cellStatesPicture(gallery::Motion motion = gallery::Motion::Still);
// Pulls of several heights and finger positions, moments of the bounce, loading and stopping;
// live, one list to pull, which loads for two seconds.
std::shared_ptr<ov::ui::View> pullToRefreshPicture(gallery::Motion motion = gallery::Motion::Still);

}  // namespace orvane::swipe
