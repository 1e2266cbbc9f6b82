#pragma once
// Conversions between our types and ICU's, shared by the calendar, time-zone and date-format
// wrappers.

#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cmath>
#include <memory>
#include <string>

#include "orvane/platform/time/TimeZone.h"
#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/String.h"

namespace ov {
struct TimeZone::Data {
    std::unique_ptr<icu::TimeZone> zone;
};
}  // namespace ov

namespace ov::icu_support {

inline icu::UnicodeString toIcu(const String& text) {
    return icu::UnicodeString(text.utf16().data(), static_cast<int32_t>(text.length()));
}

inline String fromIcu(const icu::UnicodeString& text) {
    return String(std::u16string(text.getBuffer(), static_cast<size_t>(text.length())));
}

// ICU takes milliseconds since 1970. Rounding to the microsecond first absorbs the binary error
// of a date given to the millisecond, so x.123 does not print as x.122.
inline UDate toUDate(const Date& date) {
    const double milliseconds = date.timeIntervalSince1970() * 1000.0;
    return std::round(milliseconds * 1000.0) / 1000.0;
}

inline Date fromUDate(UDate milliseconds) {
    return Date::dateWithTimeIntervalSince1970(milliseconds / 1000.0);
}

// The zone the host runs in: TZ when set, else the system's. Not ICU's cached default, which
// never sees a later change of TZ.
std::unique_ptr<icu::TimeZone> createHostTimeZone();

// The default zone (the host's choice, else the host zone), and a count that changes whenever
// the host sets a new default, so that prepared formatters know to rebuild.
std::unique_ptr<icu::TimeZone> createDefaultTimeZone();
unsigned defaultTimeZoneGeneration();

inline const icu::TimeZone& icuZone(const TimeZone& zone) {
    return *zone.data().zone;
}
TimeZone makeTimeZone(std::unique_ptr<icu::TimeZone> zone);

}  // namespace ov::icu_support
