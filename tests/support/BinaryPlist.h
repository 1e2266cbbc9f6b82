#pragma once
// Builds a binary property list ("bplist00") from the bytes of each object, with one-byte
// offsets and references (two-byte ones for `wide`), so tests can write damaged files by hand.
//
//   ov::test::binaryPlist({{0xA1, 1}, {0x51, 'x'}});  // ["x"]

#include <cstdint>
#include <vector>

#include "orvane/platform/values/Data.h"

namespace ov::test {

inline void appendBigEndian(std::vector<uint8_t>& bytes, uint64_t value, size_t width) {
    for (size_t i = width; i > 0; --i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * (i - 1))));
}

inline Data binaryPlist(const std::vector<std::vector<uint8_t>>& objects, uint8_t top = 0,
                        size_t offsetWidth = 1) {
    std::vector<uint8_t> bytes{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<uint64_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(bytes.size());
        bytes.insert(bytes.end(), object.begin(), object.end());
    }
    const uint64_t table = bytes.size();
    for (const uint64_t offset : offsets)
        appendBigEndian(bytes, offset, offsetWidth);
    bytes.insert(bytes.end(), 6, 0);
    bytes.push_back(static_cast<uint8_t>(offsetWidth));
    bytes.push_back(1);  // reference width
    appendBigEndian(bytes, objects.size(), 8);
    appendBigEndian(bytes, top, 8);
    appendBigEndian(bytes, table, 8);
    return Data(std::move(bytes));
}

}  // namespace ov::test
