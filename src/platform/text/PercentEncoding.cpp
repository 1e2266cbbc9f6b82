#include "orvane/platform/text/PercentEncoding.h"

#include <string>

namespace ov {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point starting at `index`, advancing `index` past it.
char32_t nextCodePoint(std::u16string_view units, size_t& index) {
    const char16_t unit = units[index++];
    if (isHighSurrogate(unit) && index < units.size() && isLowSurrogate(units[index])) {
        const char16_t low = units[index++];
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
    }
    if (isHighSurrogate(unit) || isLowSurrogate(unit)) return kReplacementCharacter;
    return unit;
}

void appendEscaped(std::u16string& out, uint8_t byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += u'%';
    out += char16_t(kHex[byte >> 4]);
    out += char16_t(kHex[byte & 0xF]);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

String percentEncoded(const String& text, const CharacterSet& allowed) {
    const std::u16string_view units = text.utf16();
    std::u16string out;
    out.reserve(units.size());
    for (size_t index = 0; index < units.size();) {
        const char32_t codePoint = nextCodePoint(units, index);
        if (allowed.contains(codePoint)) {
            out += String::fromCodePoint(codePoint).utf16();
            continue;
        }
        for (char byte : String::fromCodePoint(codePoint).toUtf8()) {
            appendEscaped(out, static_cast<uint8_t>(byte));
        }
    }
    return String(std::move(out));
}

std::optional<String> percentDecoded(const String& text) {
    const std::string bytes = text.toUtf8();
    std::string out;
    out.reserve(bytes.size());
    for (size_t index = 0; index < bytes.size(); ++index) {
        if (bytes[index] != '%') {
            out += bytes[index];
            continue;
        }
        if (index + 2 >= bytes.size()) return std::nullopt;
        const int high = hexValue(bytes[index + 1]);
        const int low = hexValue(bytes[index + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        index += 2;
    }
    return String::fromUtf8(out);
}

}  // namespace ov
