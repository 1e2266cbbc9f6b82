#pragma once
// The layout of the binary property-list form ("bplist00"), shared by its reader and writer:
//
//   "bplist00", the objects, a table of each object's offset, then a 32-byte trailer: six
//   unused bytes, the width of an offset, the width of an object reference, the number of
//   objects, the top object and where the offset table starts (big-endian, eight bytes each).
//
// Each object starts with a marker byte: the type in the high nibble, a size in the low one.
// Counts of 15 and more follow the marker as an integer object. Internal to the platform layer.

#include <cstdint>
#include <string_view>

namespace ov::plist::binary {

inline constexpr std::string_view kMagic = "bplist00";
inline constexpr size_t kTrailerSize = 32;
inline constexpr uint8_t kCountFollows = 0x0F;

enum Marker : uint8_t {
    kFalse = 0x08,
    kTrue = 0x09,
    kInteger = 0x10,  // 2^n bytes: 1, 2 and 4 unsigned, 8 signed, 16 a 128-bit integer
    kReal = 0x20,     // 2^n bytes: 4 (float) or 8 (double)
    kDate = 0x33,     // a double: seconds since 2001-01-01
    kData = 0x40,
    kAsciiString = 0x50,
    kUtf16String = 0x60,  // big-endian code units
    kUid = 0x80,          // n + 1 bytes
    kArray = 0xA0,
    kDictionary = 0xD0,  // the key references, then the value references
};

// The fewest of 1, 2, 4 or 8 bytes that hold the value.
inline uint8_t widthFor(uint64_t value) {
    if (value <= 0xFF) return 1;
    if (value <= 0xFFFF) return 2;
    if (value <= 0xFFFFFFFF) return 4;
    return 8;
}

}  // namespace ov::plist::binary
