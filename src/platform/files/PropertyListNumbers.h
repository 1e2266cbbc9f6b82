#pragma once
// How the readers and writers map integers between files and Number: signed 64-bit where the
// value fits, unsigned 64-bit above 2^63 - 1, so every 64-bit value keeps its sign and size.
// Internal to the platform layer.

#include <cstdint>
#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov::plist {

// A non-negative integer read from a file.
Value integerValue(uint64_t value);

// The value of an unsigned number above 2^63 - 1; none for every other number, which a
// writer stores as a signed 64-bit integer.
std::optional<uint64_t> unsignedBeyondSigned(const Number& number);

}  // namespace ov::plist
