#pragma once
// Decoding and encoding one UTF-8 sequence, shared by the string conversions and the JSON
// reader and writer.

#include <optional>

namespace ov {

inline bool isUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of the well-formed UTF-8 sequence at [position, end), advancing past it; none,
// without advancing, for a malformed one (truncated, overlong, a surrogate, past U+10FFFF).
// `position` must be before `end`. Always inline, as readers call it once per non-ASCII
// character and a call would cost as much as the decoding.
[[gnu::always_inline]] inline std::optional<char32_t> decodeUtf8Sequence(
    const unsigned char*& position, const unsigned char* end) {
    const unsigned char lead = *position;
    if (lead < 0x80) return *position++;
    const auto available = end - position;
    // Each length spelled out: most text outside ASCII is two- and three-byte sequences, and
    // unrolled they cost a few instructions each.
    if (lead >= 0xC2 && lead <= 0xDF) {  // 0xC0 and 0xC1 could only start overlong forms
        if (available < 2 || !isUtf8Continuation(position[1])) return std::nullopt;
        const char32_t codePoint = ((lead & 0x1Fu) << 6) | (position[1] & 0x3Fu);
        position += 2;
        return codePoint;
    }
    if ((lead & 0xF0) == 0xE0) {
        if (available < 3 || !isUtf8Continuation(position[1]) || !isUtf8Continuation(position[2])) {
            return std::nullopt;
        }
        const char32_t codePoint =
            ((lead & 0x0Fu) << 12) | ((position[1] & 0x3Fu) << 6) | (position[2] & 0x3Fu);
        if (codePoint < 0x800 || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return std::nullopt;
        position += 3;
        return codePoint;
    }
    if ((lead & 0xF8) == 0xF0) {
        if (available < 4 || !isUtf8Continuation(position[1]) || !isUtf8Continuation(position[2]) ||
            !isUtf8Continuation(position[3])) {
            return std::nullopt;
        }
        const char32_t codePoint = ((lead & 0x07u) << 18) | ((position[1] & 0x3Fu) << 12) |
                                   ((position[2] & 0x3Fu) << 6) | (position[3] & 0x3Fu);
        if (codePoint < 0x10000 || codePoint > 0x10FFFF) return std::nullopt;
        position += 4;
        return codePoint;
    }
    return std::nullopt;
}

// The code point at `position`, advancing past its one or two units; an unpaired surrogate
// gives U+FFFD. `position` must be before `end`.
char32_t decodeUtf16Sequence(const char16_t*& position, const char16_t* end);

// Writes the 1 to 4 bytes of `codePoint` (at most U+10FFFF) to `out`; gives their end.
char* encodeUtf8(char32_t codePoint, char* out);

}  // namespace ov
