#pragma once
// Checks property-list bytes before libplist parses them. libplist 2.2 recurses once per
// nesting level in both readers (deep input overflows the stack) and copies a shared binary
// object at every reference (a few hundred bytes can ask for 2^40 nodes). The screen walks
// the structure iteratively and refuses what would hurt; everything else is left to libplist.

#include <optional>
#include <string>

#include "orvane/platform/values/Data.h"

namespace ov::plist {

// The reason to refuse the bytes, or none when libplist may parse them.
std::optional<std::string> screen(const Data& data, size_t maxDepth);

}  // namespace ov::plist
