#pragma once
// Editing operations on mutable text.
//
//   ov::String text = "abc";
//   ov::NSMutableString_NSMutableString::deleteLastCharacter(text);  // true, text is "ab"

#include "orvane/platform/values/String.h"

namespace ov::NSMutableString_NSMutableString {

// Removes the last code unit; false (and no change) for empty text.
bool deleteLastCharacter(String& text);

}  // namespace ov::NSMutableString_NSMutableString
