#pragma once
// Decoding and encoding one UTF-8 sequence, shared by the string conversions and the JSON
// reader and writer.

#include <optional>

namespace ov {

// The code point of the well-formed UTF-8 sequence at [position, end), advancing past it; none,
// without advancing, for a malformed one (truncated, overlong, a surrogate, past U+10FFFF).
// `position` must be before `end`.
std::optional<char32_t> decodeUtf8Sequence(const unsigned char*& position,
                                           const unsigned char* end);

// The code point at `position`, advancing past its one or two units; an unpaired surrogate
// gives U+FFFD. `position` must be before `end`.
char32_t decodeUtf16Sequence(const char16_t*& position, const char16_t* end);

// Writes the 1 to 4 bytes of `codePoint` (at most U+10FFFF) to `out`; gives their end.
char* encodeUtf8(char32_t codePoint, char* out);

}  // namespace ov
