#include "orvane/components/UITextView+UITextView.h"

namespace ov::UITextView_UITextView {

void scrollToBottom(ui::TextView& textView) {
    const size_t length = textView.text().length();
    if (length == 0) return;
    textView.scrollRangeToVisible(Range{length, 0});
    textView.setScrollEnabled(false);
    textView.setScrollEnabled(true);
}

}  // namespace ov::UITextView_UITextView
