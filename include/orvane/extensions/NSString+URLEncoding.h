#pragma once
// Percent-encoding of text for use inside a URL component, in a chosen string encoding. Only
// letters, digits and "-._~" stay literal: the URL delimiters ! * ' ( ) ; : @ & = + $ , / ? % #
// [ ], the double quotation mark and the space are escaped too.
//
//   using namespace ov::NSString_URLEncoding;
//   urlEncodeUsingEncoding(ov::String("a b&c"), ov::NSUTF8StringEncoding);  // "a%20b%26c"

#include <optional>

#include "orvane/platform/text/StringEncoding.h"
#include "orvane/platform/values/String.h"

namespace ov::NSString_URLEncoding {

// None for a null receiver, an unknown encoding, or a character the encoding cannot represent.
std::optional<String> urlEncodeUsingEncoding(const std::optional<String>& receiver,
                                             StringEncoding encoding);

}  // namespace ov::NSString_URLEncoding
