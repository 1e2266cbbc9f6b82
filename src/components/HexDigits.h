#pragma once
// Reading a piece of a colour text as a hexadecimal number, as the platform's scanner does:
// digits in either case, stopping at the first other character.

#include <cstdint>

#include "orvane/platform/values/String.h"

namespace ov {

inline uint32_t leadingHexValue(const String& piece) {
    uint32_t value = 0;
    for (char16_t unit : piece.utf16()) {
        int digit;
        if (unit >= u'0' && unit <= u'9') {
            digit = unit - u'0';
        } else if (unit >= u'a' && unit <= u'f') {
            digit = unit - u'a' + 10;
        } else if (unit >= u'A' && unit <= u'F') {
            digit = unit - u'A' + 10;
        } else {
            break;
        }
        // Pieces are short, but a long one must not overflow: the scanner saturates.
        value = value > 0x0FFFFFFF ? UINT32_MAX : value * 16 + digit;
    }
    return value;
}

inline String withoutHashes(const String& text) {
    std::u16string kept;
    for (char16_t unit : text.utf16()) {
        if (unit != u'#') kept += unit;
    }
    return String(std::move(kept));
}

}  // namespace ov
