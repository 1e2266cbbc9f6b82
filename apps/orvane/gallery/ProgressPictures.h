#pragma once
// Pictures of the striped progress bar: `orvane render progress ...` and the gallery's page.

#include <memory>
#include <optional>

#include "Command.h"
#include "Motion.h"
#include "orvane/platform/ui/views/View.h"

namespace orvane::progress {

// `render progress VALUE [--type rounded|flat] [--behavior default|indeterminate|waiting]
// [--text none|track|progress|fixed] [--label TEXT] [--scale S] -o FILE.png`; the arguments
// after "progress".
// Answers the exit status, or nothing for bad arguments.
std::optional<int> renderProgress(cli::Arguments arguments);

// The bar in each behaviour and type, with and without its text; live, the stripes move.
std::shared_ptr<ov::ui::View> barsPicture(gallery::Motion motion = gallery::Motion::Still);

}  // namespace orvane::progress
