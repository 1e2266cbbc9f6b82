#pragma once
// User-perceived characters (the platform's composed character sequences): the text cut into
// grapheme clusters by Unicode's segmentation rules, through ICU's character break iterator.
//
//   ov::composedCharacterRanges("a\u0301😀");   // {0, 2}, {2, 2}
//
// Ranges are in UTF-16 code units, in text order, covering the whole text. Thread-safe.

#include <vector>

#include "orvane/platform/values/String.h"

namespace ov {

std::vector<Range> composedCharacterRanges(const String& text);

}  // namespace ov
