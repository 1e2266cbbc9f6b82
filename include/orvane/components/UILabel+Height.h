#pragma once
// The size a label's text takes when wrapped at the label's width.
//
//   const ov::ui::Size size = ov::UILabel_Height::sizeForWrappedText(*caption);

#include "orvane/platform/ui/views/Label.h"

namespace ov::UILabel_Height {

// Any number of lines, no height limit; the label itself is not changed.
ui::Size sizeForWrappedText(const ui::Label& label);

}  // namespace ov::UILabel_Height
