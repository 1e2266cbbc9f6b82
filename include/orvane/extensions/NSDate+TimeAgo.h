#pragma once
// How long ago a date was, as a short localised phrase for lists, messages and feeds.
//
//   using namespace ov::NSDate_TimeAgo;
//   timeAgo(date);            // "3 minutes ago": from the elapsed seconds, past or future alike
//   timeAgoSimple(date);      // "3m"
//   dateTimeAgo(date);        // "1 year ago": the largest calendar unit that has passed
//   dateTimeUntilNow(date);   // "This morning", "Yesterday", "Last week", ...
//   timeAgoWithLimit(date, 3600);  // the phrase within an hour, else the full date and time
//
// Each call reads the clock (Clock.h) once, and the current calendar, the preferred languages
// and the phrase table afresh. The phrases are keys of the "NSDateTimeAgo" table in the
// framework's NSDateTimeAgo.bundle, looked up in the first preferred language the bundle has;
// a key without a translation, or a missing bundle, gives the English key itself. Russian keys
// carry a plural marker of underscores ("%d _minutes ago" for 2 to 4, "%d __minutes ago" for 1,
// 21, ...). Thread-safe.

#include "orvane/platform/time/DateFormatter.h"
#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/String.h"

namespace ov::NSDate_TimeAgo {

// From the absolute elapsed seconds: "Just now" under 5 s, up to "%d years ago".
String timeAgo(const Date& date);
// The same scale in compact form: "4s", "2m", "23h", "1d", "2w", "1mo", "2yr".
String timeAgoSimple(const Date& date);
// From the calendar difference up to now; a date in the future reads "Just now".
String dateTimeAgo(const Date& date);
// Day-level phrases once 6 hours have passed, else dateTimeAgo.
String dateTimeUntilNow(const Date& date);

// timeAgo while the date is at most `limit` seconds from now either way; past that the date
// in the full date and time styles of the current locale.
String timeAgoWithLimit(const Date& date, double limit);
String timeAgoWithLimit(const Date& date, double limit, DateFormatterStyle dateFormat,
                        DateFormatterStyle andTimeFormat);
String timeAgoWithLimit(const Date& date, double limit, const DateFormatter& dateFormatter);

// `format` is a key before its plural marker goes in, such as "%%d %@minutes ago": the marker
// for `value` takes the %@, the key is looked up and its %d is filled with `value`.
String stringFromFormat(const String& format, long withValue);
// The plural marker ("", "_" or "__") for the whole part of `value`; "" unless the phrases
// come from the Russian table.
String getLocaleFormatUnderscoresWithValue(double value);

}  // namespace ov::NSDate_TimeAgo
