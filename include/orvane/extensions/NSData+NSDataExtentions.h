#pragma once
// Text forms of bytes.
//
//   ov::NSData_NSDataExtentions::base64String(ov::Data::fromString("abc"));  // "YWJj"

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/String.h"

namespace ov::NSData_NSDataExtentions {

// Standard, padded Base64 without line breaks.
String base64String(const Data& data);

}  // namespace ov::NSData_NSDataExtentions
