#pragma once
// The platform's string encodings, by their public numbers, and conversion of text to bytes in
// them. UTF-8 and NeXTSTEP are built in; the other single-byte encodings go through ICU.
//
//   ov::bytesInEncoding("é", ov::NSNEXTSTEPStringEncoding);  // "\xDD"
//   ov::percentEncoded("é!", ov::CharacterSet::withCharactersInString("!"),
//                      ov::NSNEXTSTEPStringEncoding);       // "%DD!"

#include <cstdint>
#include <optional>
#include <string>

#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/values/String.h"

namespace ov {

using StringEncoding = uint64_t;
inline constexpr StringEncoding NSASCIIStringEncoding = 1;
inline constexpr StringEncoding NSNEXTSTEPStringEncoding = 2;
inline constexpr StringEncoding NSUTF8StringEncoding = 4;
inline constexpr StringEncoding NSISOLatin1StringEncoding = 5;
inline constexpr StringEncoding NSWindowsCP1252StringEncoding = 12;
inline constexpr StringEncoding NSMacOSRomanStringEncoding = 30;

// None for an unknown encoding or a character the encoding cannot represent.
std::optional<std::string> bytesInEncoding(const String& text, StringEncoding encoding);

// Like the UTF-8 percentEncoded, with every character outside `allowed` escaped per byte of
// `encoding`; none when a character cannot be represented.
std::optional<String> percentEncoded(const String& text, const CharacterSet& allowed,
                                     StringEncoding encoding);

}  // namespace ov
