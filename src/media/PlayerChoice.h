#pragma once
// Internal: what both presenting categories do first: log the address and ask whether the
// device's system is older than version 10.

#include <optional>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/values/String.h"

namespace ov::detail {

// Compared the way version strings compare with the numeric option: runs of digits by their
// value, everything else by code unit; -1, 0 or 1.
int compareNumerically(const String& left, const String& right);
bool systemIsOlderThanTen();
// "play url: <address>" to the platform log.
void logPlayUrl(const std::optional<URL>& url);

}  // namespace ov::detail
