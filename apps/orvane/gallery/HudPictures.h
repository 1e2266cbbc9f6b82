#pragma once
// Pictures of the heads-up display: `orvane render hud ...` and the gallery's HUD pages.

#include <memory>
#include <optional>

#include "Command.h"
#include "Motion.h"
#include "orvane/platform/ui/views/View.h"

namespace orvane::hud {

// `render hud [--mode M] [--progress P] [--title T] [--details D] [--scale S] -o FILE.png`;
// the arguments after "hud".
// Answers the exit status, or nothing for bad arguments.
std::optional<int> renderHud(cli::Arguments arguments);

// The HUD in each mode, side by side; live, the spinner turns and the progress modes fill
// over and over.
std::shared_ptr<ov::ui::View> modesPicture(gallery::Motion motion = gallery::Motion::Still);
// The pie at 0.25, the ring and the bar at a few values.
std::shared_ptr<ov::ui::View> indicatorsPicture();

}  // namespace orvane::hud
