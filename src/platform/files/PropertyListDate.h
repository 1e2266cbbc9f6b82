#pragma once
// Dates in the XML property-list form: ISO 8601 text in UTC, "2001-01-01T00:00:00Z", for the
// years 0001 to 9999 of the proleptic Gregorian calendar. Internal to the platform layer.

#include <optional>
#include <string>
#include <string_view>

namespace ov::plist {

// The text of the whole second at or before the moment (seconds since 2001-01-01), as the
// platform writes it; none outside the years 0001 to 9999.
std::optional<std::string> xmlDateText(double secondsSinceReferenceDate);

// The moment such a text names; a fraction of a second ("...:05.25Z") is kept. None for
// anything else.
std::optional<double> secondsFromXmlDate(std::string_view text);

}  // namespace ov::plist
