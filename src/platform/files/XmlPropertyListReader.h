#pragma once
// Reads the XML property-list form. The parser descends one call per nesting level and stops
// at PropertyListSerialization::kMaxDepth, so no input can exhaust the stack; what it builds
// is never larger than the input. Internal to the platform layer.
//
// It takes what the platform and this library write and the usual variations: an optional
// <plist> wrapper, comments and processing instructions anywhere, CDATA sections, the five
// named entities and character references, attributes in either kind of quotes, integers in
// decimal or "0x" hexadecimal, dates with or without a fraction of a second. Text must be
// UTF-8 and may not hold U+0000; anything else is malformed.

#include <string_view>

#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov::plist {

Result<Value> readXmlPropertyList(std::string_view text);

}  // namespace ov::plist
