#pragma once
// The Maps and translation service addresses the `geo` and `navigate` commands accept:
// --api URL, --site URL and --translate URL (over ORVANE_MAPS_API, ORVANE_MAPS_SITE and
// ORVANE_TRANSLATE).
#include <string_view>

namespace orvane::cli {

// Sets the service the option names to `value`; false when the option is not one of them.
bool takeServiceOption(std::string_view option, std::string_view value);

}  // namespace orvane::cli
