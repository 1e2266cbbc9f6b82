#pragma once
// Reads the binary property-list form ("bplist00") from untrusted bytes. Every offset, count
// and reference is checked against the file; a reference cycle, nesting beyond
// PropertyListSerialization::kMaxDepth, or shared objects whose copies would add up to far
// more than the file holds make it malformed. An object referred to twice is decoded once and
// shared, so memory stays in proportion to the file. Internal to the platform layer.
//
// Integers keep all 64 bits (unsigned ones above 2^63 - 1 included); strings keep every code
// unit, U+0000 and unpaired surrogates too; dates are exact doubles; a UID reads as a
// reference dictionary (PropertyListReference.h).

#include <cstdint>
#include <span>

#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov::plist {

Result<Value> readBinaryPropertyList(std::span<const uint8_t> bytes);

}  // namespace ov::plist
