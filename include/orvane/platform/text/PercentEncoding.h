#pragma once
// Percent encoding of text for the parts of a URL.
//
//   ov::percentEncoded("café & co", ov::CharacterSet::urlQueryAllowed());  // "caf%C3%A9%20&%20co"
//   ov::percentDecoded("caf%C3%A9");  // "café"
//   ov::percentDecoded("100%");       // none: '%' without two hex digits

#include <optional>

#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/values/String.h"

namespace ov {

// Every code point outside `allowed` becomes %XX per UTF-8 byte, in uppercase hex. An unpaired
// surrogate is encoded as U+FFFD.
String percentEncoded(const String& text, const CharacterSet& allowed);

// None when an escape is not '%' and two hex digits, or when the bytes are not UTF-8.
std::optional<String> percentDecoded(const String& text);

}  // namespace ov
