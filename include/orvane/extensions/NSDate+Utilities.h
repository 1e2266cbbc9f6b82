#pragma once
// Calendar questions about dates, shifts by calendar or clock units, distances between dates,
// calendar parts and formatting.
//
//   namespace Dates = ov::NSDate_Utilities;
//   ov::Date due = Dates::dateByAddingMonths(ov::Date::now(), 1);   // same day next month
//   if (Dates::isTomorrow(due)) ...
//   Dates::daysAfterDate(due, ov::Date::now());                     // whole days, toward zero
//   Dates::stringWithFormat(due, "yyyy-MM-dd");
//
// Calendar parts come from one shared calendar that follows the device's calendar, zone and
// locale as they change; additions by years, months and days use the current calendar of the
// moment. "Now" is Clock::current(), read once per call. Thread-safe: the shared calendar is
// used under a lock.

#include "orvane/platform/time/Calendar.h"
#include "orvane/platform/time/DateComponents.h"
#include "orvane/platform/time/DateFormatter.h"
#include "orvane/platform/values/Date.h"

namespace ov::NSDate_Utilities {

// Fixed spans in seconds; months and years have none and move through the calendar.
inline constexpr long kMinute = 60;
inline constexpr long kHour = 3600;
inline constexpr long kDay = 86400;
inline constexpr long kWeek = 604800;
inline constexpr long kHalfHour = 1800;

// The shared calendar (a copy; the shared one itself is used only under its lock).
Calendar currentCalendar();

// Construction, from now.
Date dateWithDaysFromNow(long days);
Date dateWithDaysBeforeNow(long days);
Date dateTomorrow();
Date dateYesterday();
Date dateWithHoursFromNow(long dHours);
Date dateWithHoursBeforeNow(long dHours);
Date dateWithMinutesFromNow(long dMinutes);
Date dateWithMinutesBeforeNow(long dMinutes);

// Comparison. Days, weeks, months and years are those of the shared calendar.
bool isEqualToDateIgnoringTime(const Date& date, const Date& aDate);
bool isToday(const Date& date);
bool isTomorrow(const Date& date);
bool isYesterday(const Date& date);
// Same week number and strictly less than a week apart.
bool isSameWeekAsDate(const Date& date, const Date& aDate);
bool isThisWeek(const Date& date);
bool isNextWeek(const Date& date);
bool isLastWeek(const Date& date);
bool isSameMonthAsDate(const Date& date, const Date& aDate);
bool isThisMonth(const Date& date);
bool isLastMonth(const Date& date);
bool isNextMonth(const Date& date);
bool isSameYearAsDate(const Date& date, const Date& aDate);
bool isThisYear(const Date& date);
bool isNextYear(const Date& date);
bool isLastYear(const Date& date);
// Strict: equal dates are neither earlier nor later.
bool isEarlierThanDate(const Date& date, const Date& aDate);
bool isLaterThanDate(const Date& date, const Date& aDate);
bool isInFuture(const Date& date);
bool isInPast(const Date& date);
// Saturday or Sunday.
bool isTypicallyWeekend(const Date& date);
bool isTypicallyWorkday(const Date& date);

// Adjusting. Years, months and days follow the calendar (31 January plus a month is the last
// of February; a day keeps the clock time across a daylight-saving change); hours and minutes
// are fixed spans. A date the calendar cannot move comes back unchanged.
Date dateByAddingYears(const Date& date, long dYears);
Date dateBySubtractingYears(const Date& date, long dYears);
Date dateByAddingMonths(const Date& date, long dMonths);
Date dateBySubtractingMonths(const Date& date, long dMonths);
Date dateByAddingDays(const Date& date, long dDays);
Date dateBySubtractingDays(const Date& date, long dDays);
Date dateByAddingHours(const Date& date, long dHours);
Date dateBySubtractingHours(const Date& date, long dHours);
Date dateByAddingMinutes(const Date& date, long dMinutes);
Date dateBySubtractingMinutes(const Date& date, long dMinutes);
Date dateAtStartOfDay(const Date& date);
// 23:59:59 of the day, to the whole second.
Date dateAtEndOfDay(const Date& date);

// Measuring, in whole units with the fraction dropped toward zero.
// Year to second, week, weekday and weekday ordinal of the span from `aDate` to `date`.
DateComponents componentsWithOffsetFromDate(const Date& date, const Date& aDate);
long minutesAfterDate(const Date& date, const Date& aDate);
long minutesBeforeDate(const Date& date, const Date& aDate);
long hoursAfterDate(const Date& date, const Date& aDate);
long hoursBeforeDate(const Date& date, const Date& aDate);
long daysAfterDate(const Date& date, const Date& aDate);
long daysBeforeDate(const Date& date, const Date& aDate);
// Whole Gregorian days from `date` to `anotherDate`.
long distanceInDaysToDate(const Date& date, const Date& anotherDate);

// Calendar parts of the date (0 for a date that is not a finite moment).
long nearestHour(const Date& date);  // the hour half an hour from now; `date` is not used
long hour(const Date& date);
long minute(const Date& date);
long seconds(const Date& date);
long day(const Date& date);
long month(const Date& date);
long week(const Date& date);
long weekday(const Date& date);     // 1 = Sunday
long nthWeekday(const Date& date);  // 1 for the month's first such weekday
long year(const Date& date);

// Formatting in the device's locale and zone, with a new formatter each call.
String stringWithFormat(const Date& date, const String& format);
String stringWithDateStyle(const Date& date, DateFormatterStyle dateStyle,
                           DateFormatterStyle timeStyle);
String shortString(const Date& date);
String shortTimeString(const Date& date);
String shortDateString(const Date& date);
String mediumString(const Date& date);
String mediumTimeString(const Date& date);
String mediumDateString(const Date& date);
String longString(const Date& date);
String longTimeString(const Date& date);
String longDateString(const Date& date);

}  // namespace ov::NSDate_Utilities
