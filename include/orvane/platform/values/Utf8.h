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
// `position` must be before `end`. Inline, as readers call it once per non-ASCII character.
inline std::optional<char32_t> decodeUtf8Sequence(const unsigned char*& position,
                                                  const unsigned char* end) {
    const unsigned char lead = *position;
    if (lead < 0x80) return *position++;
    int extra;
    char32_t codePoint;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (end - position <= extra) return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        if (!isUtf8Continuation(position[i])) return std::nullopt;
        codePoint = (codePoint << 6) | (position[i] & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF) return std::nullopt;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return std::nullopt;
    position += extra + 1;
    return codePoint;
}

// The code point at `position`, advancing past its one or two units; an unpaired surrogate
// gives U+FFFD. `position` must be before `end`.
char32_t decodeUtf16Sequence(const char16_t*& position, const char16_t* end);

// Writes the 1 to 4 bytes of `codePoint` (at most U+10FFFF) to `out`; gives their end.
char* encodeUtf8(char32_t codePoint, char* out);

}  // namespace ov
