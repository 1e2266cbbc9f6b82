#pragma once
// Internal: every null marker in a value tree turned into "", at any depth. The walk keeps its
// own stack, since a decoded reply may nest deeper than the call stack would allow.

#include "orvane/platform/values/Value.h"

namespace ov::null_blanks {

void replaceNullsWithBlanks(Value& root);

}  // namespace ov::null_blanks
