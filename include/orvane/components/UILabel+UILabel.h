#pragma once
// Keeping a label's text at its top or bottom edge by padding it with line breaks.
//
//   label->setNumberOfLines(3);
//   ov::UILabel_UILabel::alignTop(*label);

#include "orvane/platform/ui/views/Label.h"

namespace ov::UILabel_UILabel {

// Clips lines and appends 44 line breaks, so a label of several lines shows its text at the
// top. No text counts as an empty one.
void alignTop(ui::Label& label);
// Clips lines and puts 4 line breaks in front of the text.
void alignBottom(ui::Label& label);

}  // namespace ov::UILabel_UILabel
