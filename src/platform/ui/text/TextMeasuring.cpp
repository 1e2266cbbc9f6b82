// Measuring styled and plain text (the platform's string drawing additions).
#include <cmath>

#include "orvane/platform/ui/text/AttributedString.h"
#include "platform/ui/text/TextLayout.h"

namespace ov::ui {

namespace {

// 0, negative or not finite: no limit.
double limit(double value) {
    return std::isfinite(value) && value > 0 ? value : -1;
}

}  // namespace

Size AttributedString::size() const {
    return TextLayout(*this, TextBox{}).size();
}

Rect AttributedString::boundingRectWithSize(Size limits, StringDrawingOptions options,
                                            size_t numberOfLines) const {
    if (!(options & NSStringDrawingUsesLineFragmentOrigin)) {
        // One line, placed on its baseline.
        TextBox box;
        box.width = -1;
        const TextLayout layout(*this, box);
        const Size size = layout.size();
        return {0, -layout.firstBaseline(), size.width, size.height};
    }
    TextBox box;
    box.width = limit(limits.width);
    box.height = limit(limits.height);
    box.numberOfLines = numberOfLines;
    box.truncateLastLine = options & NSStringDrawingTruncatesLastVisibleLine;
    const Size size = TextLayout(*this, box).size();
    return {0, 0, size.width, size.height};
}

Size sizeWithAttributes(const String& string, const Dictionary& attributes) {
    return AttributedString(string, attributes).size();
}

Rect boundingRectWithSize(const String& string, Size limits, StringDrawingOptions options,
                          const Dictionary& attributes) {
    return AttributedString(string, attributes).boundingRectWithSize(limits, options);
}

}  // namespace ov::ui
