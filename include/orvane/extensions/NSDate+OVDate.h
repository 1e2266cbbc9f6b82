#pragma once
// Dates tied to where the device is: the astronomical twilight of a day at the current
// position, local and universal time by the default zone's offset, and a greeting for the part
// of the day.
//
//   namespace Dates = ov::NSDate_OVDate;
//   ov::Date dawn = Dates::localAstronomicalTwilightStart();          // today, here
//   ov::Date nine = Dates::dateWithHour(ov::Date::now(), 9, 0, 0);
//   std::optional<ov::String> hello = Dates::loclizedLocalAstronomicalDayPart(ov::Date::now());
//
// The position is the shared location manager's last fix ((0, 0) while there is none), the
// zone the default one. The greetings come from the table "OVDate" of "OVDate.bundle" in the
// library's own resources, in the preferred language.

#include <optional>

#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/String.h"

namespace ov::NSDate_OVDate {

// Parts of the day answered by localAstronomicalDayPart.
inline constexpr long kDayPartMorning = 1;
inline constexpr long kDayPartNoon = 2;
inline constexpr long kDayPartEvening = 3;

// Start and end of astronomical twilight on the date's day (in the default zone), here.
Date localAstronomicalTwilightStart(const Date& date);
Date localAstronomicalTwilightEnd(const Date& date);
// The same for now.
Date localAstronomicalTwilightStart();
Date localAstronomicalTwilightEnd();

// The date's calendar day (current calendar) at the given clock time.
Date dateWithHour(const Date& date, long hour, long minute, long second);
// Moved by the default zone's offset from universal time at the date: forward, or back.
Date toLocalTime(const Date& date);
Date toGlobalTime(const Date& date);

// Morning from the hour of dawn twilight, noon from 11, evening from the hour of dusk twilight
// and before dawn. Reads the clock; `date` is not used.
long localAstronomicalDayPart(const Date& date);
// "Good morning" and its siblings in the preferred language; none when the texts are not
// installed. Reads the clock; `date` is not used.
std::optional<String> loclizedLocalAstronomicalDayPart(const Date& date);

}  // namespace ov::NSDate_OVDate
