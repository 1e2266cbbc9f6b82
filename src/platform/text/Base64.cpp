#include "orvane/platform/text/Base64.h"

#include <algorithm>
#include <array>
#include <vector>

namespace ov {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int8_t, 128> makeDecodingTable() {
    std::array<int8_t, 128> table{};
    table.fill(-1);
    for (int8_t index = 0; index < 64; ++index)
        table[static_cast<size_t>(kAlphabet[index])] = index;
    return table;
}
constexpr std::array<int8_t, 128> kDecoding = makeDecodingTable();

int sextet(char16_t unit) {
    return unit < kDecoding.size() ? kDecoding[unit] : -1;
}

}  // namespace

String base64Encoded(const Data& data) {
    const std::span<const uint8_t> bytes = data.span();
    std::u16string out;
    out.reserve(4 * ((bytes.size() + 2) / 3));
    for (size_t index = 0; index < bytes.size(); index += 3) {
        const size_t count = std::min<size_t>(3, bytes.size() - index);
        uint32_t group = uint32_t(bytes[index]) << 16;
        if (count > 1) group |= uint32_t(bytes[index + 1]) << 8;
        if (count > 2) group |= bytes[index + 2];
        for (size_t position = 0; position < 4; ++position) {
            out += position <= count ? char16_t(kAlphabet[(group >> (18 - 6 * position)) & 0x3F])
                                     : u'=';
        }
    }
    return String(std::move(out));
}

std::optional<Data> base64Decoded(const String& text) {
    const std::u16string_view units = text.utf16();
    if (units.size() % 4 != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    bytes.reserve(units.size() / 4 * 3);
    for (size_t index = 0; index < units.size(); index += 4) {
        const bool last = index + 4 == units.size();
        size_t padding = 0;
        if (last)
            padding =
                (units[index + 3] == u'=') + (units[index + 2] == u'=' && units[index + 3] == u'=');
        uint32_t group = 0;
        for (size_t position = 0; position < 4 - padding; ++position) {
            const int value = sextet(units[index + position]);
            if (value < 0) return std::nullopt;
            group |= uint32_t(value) << (18 - 6 * position);
        }
        bytes.push_back(uint8_t(group >> 16));
        if (padding < 2) bytes.push_back(uint8_t(group >> 8));
        if (padding < 1) bytes.push_back(uint8_t(group));
    }
    return Data(std::move(bytes));
}

}  // namespace ov
