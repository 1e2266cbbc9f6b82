#pragma once
// A reference (the binary form's UID, which keyed archives use to point into "$objects") as a
// Value: the dictionary {"CF$UID": index}, which is how the XML form spells it. The binary
// writer turns such a dictionary back into a UID, as the platform does on reading XML.
// Internal to the platform layer.

#include <cstdint>
#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov::plist {

inline constexpr const char* kReferenceKey = "CF$UID";

Value reference(uint64_t index);
// The index of a reference dictionary; none for any other value.
std::optional<uint64_t> referencedIndex(const Value& value);

}  // namespace ov::plist
