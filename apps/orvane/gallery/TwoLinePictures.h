#pragma once
// The gallery's pages of the two-line label and button and of the subscription terms text.

#include <memory>

#include "orvane/platform/ui/views/View.h"

namespace orvane::two_line {

// Labels and buttons with one and two lines, colours and alignments.
std::shared_ptr<ov::ui::View> twoLinePicture();
// The terms text from a sample table in English, Hebrew and Russian, one under the other.
std::shared_ptr<ov::ui::View> termsPicture();

}  // namespace orvane::two_line
