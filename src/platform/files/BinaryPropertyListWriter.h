#pragma once
// Writes a value as a binary property list ("bplist00"). Equal leaves (strings, numbers,
// dates, data, references) are stored once; the top object comes first and containers come
// before what they hold. Internal to the platform layer.

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov::plist {

// Fails for a date that is not a finite number, for values without a property-list form and
// for nesting beyond PropertyListSerialization::kMaxDepth.
Result<Data> writeBinaryPropertyList(const Value& value);

}  // namespace ov::plist
