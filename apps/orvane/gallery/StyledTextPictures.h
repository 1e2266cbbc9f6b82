#pragma once
// Pictures of the styled-text labels: the gallery's "styled-labels" and "counters" pages.

#include <memory>

#include "orvane/platform/ui/views/View.h"

namespace orvane::styled {

// Links (one pressed), truncation at the head, middle and tail, alignments and line heights.
std::shared_ptr<ov::ui::View> labelsPicture();
// Counter labels at several values, with and without hundredths.
std::shared_ptr<ov::ui::View> countersPicture();

}  // namespace orvane::styled
