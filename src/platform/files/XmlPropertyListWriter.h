#pragma once
// Writes a value as the platform's XML property list: the XML header and DOCTYPE,
// <plist version="1.0">, one element per line indented with tabs, base64 data in lines that
// narrow with the indentation. Internal to the platform layer.

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov::plist {

// Fails for what XML cannot hold (U+0000, an unpaired surrogate, a date outside the years
// 0001 to 9999), for values without a property-list form and for nesting beyond
// PropertyListSerialization::kMaxDepth.
Result<Data> writeXmlPropertyList(const Value& value);

}  // namespace ov::plist
