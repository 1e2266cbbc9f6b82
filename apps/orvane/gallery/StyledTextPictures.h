#pragma once
// Pictures of the styled-text labels: the gallery's "styled-labels" and "counters" pages.

#include <memory>

#include "Motion.h"
#include "orvane/platform/ui/views/View.h"

namespace orvane::styled {

// Links (one pressed), truncation at the head, middle and tail, alignments and line heights.
std::shared_ptr<ov::ui::View> labelsPicture();
// Counter labels at several values, with and without hundredths; live, they count on.
std::shared_ptr<ov::ui::View> countersPicture(gallery::Motion motion = gallery::Motion::Still);

}  // namespace orvane::styled
