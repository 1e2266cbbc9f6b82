#pragma once
// HTTP field names match without regard to ASCII case ("content-type" is "Content-Type").

#include <algorithm>

#include "orvane/platform/values/String.h"

namespace ov {

inline bool headerFieldNamesEqual(const String& left, const String& right) {
    const auto lower = [](char16_t unit) -> char16_t {
        return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
    };
    return std::ranges::equal(left.utf16(), right.utf16(),
                              [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

}  // namespace ov
