#pragma once
// Decoding one UTF-8 sequence, shared by the string conversions and the JSON parser.

#include <optional>

namespace ov {

// The code point of the well-formed UTF-8 sequence at [position, end), advancing past it; none,
// without advancing, for a malformed one (truncated, overlong, a surrogate, past U+10FFFF).
// `position` must be before `end`.
std::optional<char32_t> decodeUtf8Sequence(const unsigned char*& position,
                                           const unsigned char* end);

}  // namespace ov
