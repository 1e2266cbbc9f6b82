#pragma once
// Small text edits shared by the text field and the text view.

#include "orvane/platform/values/String.h"

namespace ov::ui {

// What a backspace removes at the end of `text`: the last code point, so a surrogate pair
// goes as one. Empty at the end of an empty text.
inline Range lastCharacterRange(const String& text) {
    const size_t length = text.length();
    if (length == 0) return {0, 0};
    const char16_t last = text.characterAtIndex(length - 1);
    const bool pair = length >= 2 && last >= 0xDC00 && last <= 0xDFFF &&
                      text.characterAtIndex(length - 2) >= 0xD800 &&
                      text.characterAtIndex(length - 2) <= 0xDBFF;
    const size_t count = pair ? 2 : 1;
    return {length - count, count};
}

inline String replacingRange(const String& text, Range range, const String& replacement) {
    return text.substringToIndex(range.location) + replacement +
           text.substringFromIndex(range.location + range.length);
}

}  // namespace ov::ui
