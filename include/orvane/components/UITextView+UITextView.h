#pragma once
// One-call scrolling of a text view.
//
//   ov::UITextView_UITextView::scrollToBottom(*log);   // the last line comes into view

#include "orvane/platform/ui/views/TextView.h"

namespace ov::UITextView_UITextView {

// Shows the end of the text; an empty text changes nothing. Scrolling is turned off and on
// again, which stops any scroll under way.
void scrollToBottom(ui::TextView& textView);

}  // namespace ov::UITextView_UITextView
