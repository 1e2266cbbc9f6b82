#pragma once
// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).
//
//   ov::base64Encoded(ov::Data::fromString("abc"));  // "YWJj"
//   ov::base64Decoded("YWJj");                       // the bytes "abc"
//   ov::base64Decoded("YWJ");                        // none: not a multiple of four

#include <optional>

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/String.h"

namespace ov {

// 4 * ((n + 2) / 3) characters for n bytes.
String base64Encoded(const Data& data);
// None unless the text is whole groups of four alphabet characters, padded only at the end.
std::optional<Data> base64Decoded(const String& text);

}  // namespace ov
