#pragma once
// Null cleaning for decoded web-service replies: the null marker becomes the empty string.

#include "orvane/platform/values/Value.h"

namespace ov::NSMutableDictionary_NSMutableDictionary {

// A copy of `dictionary` where every null value, at any depth of nested dictionaries, and every
// null element of an array value becomes "". Dictionaries inside such arrays are cleaned too;
// arrays nested directly in arrays are left as they are. The input is not changed.
Dictionary recursiveNullRemove(const Dictionary& dictionary);

}  // namespace ov::NSMutableDictionary_NSMutableDictionary
