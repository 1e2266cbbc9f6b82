#include <climits>
#include <cmath>
#include <mutex>

#include "orvane/extensions/NSDate+Utilities.h"

namespace ov::NSDate_Utilities {

namespace {

constexpr unsigned kStandardUnits =
    CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay | CalendarUnitHour | CalendarUnitMinute |
    CalendarUnitSecond | CalendarUnitWeek | CalendarUnitWeekday | CalendarUnitWeekdayOrdinal;

// A calendar object is not for concurrent use, so every use of the shared one holds this.
struct SharedCalendar {
    std::mutex mutex;
    Calendar calendar = Calendar::autoupdatingCurrentCalendar();
};

SharedCalendar& shared() {
    static SharedCalendar instance;
    return instance;
}

DateComponents standardBreakdown(const Date& date) {
    SharedCalendar& calendar = shared();
    std::lock_guard lock(calendar.mutex);
    return calendar.calendar.components(kStandardUnits, date);
}

Date sharedDateFromComponents(const DateComponents& components, const Date& fallback) {
    SharedCalendar& calendar = shared();
    std::lock_guard lock(calendar.mutex);
    return calendar.calendar.dateFromComponents(components).value_or(fallback);
}

Date addToCurrentCalendar(CalendarUnit unit, long value, const Date& date) {
    return Calendar::currentCalendar().dateByAddingUnit(unit, value, date).value_or(date);
}

// The span in whole units, the fraction dropped toward zero; 0 when it is not a number.
long wholeUnits(double seconds, long unit) {
    const double units = std::trunc(seconds / static_cast<double>(unit));
    return std::isfinite(units) ? static_cast<long>(units) : 0;
}

long field(const std::optional<long>& value) {
    return value.value_or(0);
}

// -n, without overflowing for the most negative n (which then moves nothing anyway).
long negated(long value) {
    return value == LONG_MIN ? LONG_MAX : -value;
}

Date addSeconds(const Date& date, long count, long unit) {
    return date.dateByAddingTimeInterval(static_cast<double>(count) * static_cast<double>(unit));
}

Date dateAtTimeOfDay(const Date& date, long hour, long minute, long second) {
    DateComponents components = standardBreakdown(date);
    if (!components.year) return date;
    components.hour = hour;
    components.minute = minute;
    components.second = second;
    return sharedDateFromComponents(components, date);
}

}  // namespace

Calendar currentCalendar() {
    SharedCalendar& calendar = shared();
    std::lock_guard lock(calendar.mutex);
    return calendar.calendar;
}

Date dateWithDaysFromNow(long days) {
    return dateByAddingDays(Date::now(), days);
}
Date dateWithDaysBeforeNow(long days) {
    return dateBySubtractingDays(Date::now(), days);
}
Date dateTomorrow() {
    return dateWithDaysFromNow(1);
}
Date dateYesterday() {
    return dateWithDaysBeforeNow(1);
}
Date dateWithHoursFromNow(long dHours) {
    return dateByAddingHours(Date::now(), dHours);
}
Date dateWithHoursBeforeNow(long dHours) {
    return dateBySubtractingHours(Date::now(), dHours);
}
Date dateWithMinutesFromNow(long dMinutes) {
    return dateByAddingMinutes(Date::now(), dMinutes);
}
Date dateWithMinutesBeforeNow(long dMinutes) {
    return dateBySubtractingMinutes(Date::now(), dMinutes);
}

bool isEqualToDateIgnoringTime(const Date& date, const Date& aDate) {
    const DateComponents first = standardBreakdown(date);
    const DateComponents second = standardBreakdown(aDate);
    return first.year && first.year == second.year && first.month == second.month &&
           first.day == second.day;
}

bool isToday(const Date& date) {
    return isEqualToDateIgnoringTime(date, Date::now());
}
bool isTomorrow(const Date& date) {
    return isEqualToDateIgnoringTime(date, dateTomorrow());
}
bool isYesterday(const Date& date) {
    return isEqualToDateIgnoringTime(date, dateYesterday());
}

bool isSameWeekAsDate(const Date& date, const Date& aDate) {
    const DateComponents first = standardBreakdown(date);
    const DateComponents second = standardBreakdown(aDate);
    if (!first.week || first.week != second.week) return false;
    return std::abs(std::trunc(date.timeIntervalSinceDate(aDate))) < static_cast<double>(kWeek);
}

bool isThisWeek(const Date& date) {
    return isSameWeekAsDate(date, Date::now());
}
bool isNextWeek(const Date& date) {
    return isSameWeekAsDate(date, Date::now().dateByAddingTimeInterval(kWeek));
}
bool isLastWeek(const Date& date) {
    return isSameWeekAsDate(date, Date::now().dateByAddingTimeInterval(-kWeek));
}

bool isSameMonthAsDate(const Date& date, const Date& aDate) {
    const DateComponents first = standardBreakdown(date);
    const DateComponents second = standardBreakdown(aDate);
    return first.year && first.year == second.year && first.month == second.month;
}

bool isThisMonth(const Date& date) {
    return isSameMonthAsDate(date, Date::now());
}
bool isLastMonth(const Date& date) {
    return isSameMonthAsDate(date, dateBySubtractingMonths(Date::now(), 1));
}
bool isNextMonth(const Date& date) {
    return isSameMonthAsDate(date, dateByAddingMonths(Date::now(), 1));
}

bool isSameYearAsDate(const Date& date, const Date& aDate) {
    const DateComponents first = standardBreakdown(date);
    return first.year && first.year == standardBreakdown(aDate).year;
}

bool isThisYear(const Date& date) {
    return isSameYearAsDate(date, Date::now());
}

bool isNextYear(const Date& date) {
    const DateComponents now = standardBreakdown(Date::now());
    return now.year && standardBreakdown(date).year == *now.year + 1;
}

bool isLastYear(const Date& date) {
    const DateComponents now = standardBreakdown(Date::now());
    return now.year && standardBreakdown(date).year == *now.year - 1;
}

bool isEarlierThanDate(const Date& date, const Date& aDate) {
    return date.timeIntervalSinceReferenceDate() < aDate.timeIntervalSinceReferenceDate();
}

bool isLaterThanDate(const Date& date, const Date& aDate) {
    return date.timeIntervalSinceReferenceDate() > aDate.timeIntervalSinceReferenceDate();
}

bool isInFuture(const Date& date) {
    return isLaterThanDate(date, Date::now());
}
bool isInPast(const Date& date) {
    return isEarlierThanDate(date, Date::now());
}

bool isTypicallyWeekend(const Date& date) {
    const long day = weekday(date);
    return day == 1 || day == 7;
}

bool isTypicallyWorkday(const Date& date) {
    return !isTypicallyWeekend(date);
}

Date dateByAddingYears(const Date& date, long dYears) {
    return addToCurrentCalendar(CalendarUnitYear, dYears, date);
}
Date dateBySubtractingYears(const Date& date, long dYears) {
    return dateByAddingYears(date, negated(dYears));
}
Date dateByAddingMonths(const Date& date, long dMonths) {
    return addToCurrentCalendar(CalendarUnitMonth, dMonths, date);
}
Date dateBySubtractingMonths(const Date& date, long dMonths) {
    return dateByAddingMonths(date, negated(dMonths));
}
Date dateByAddingDays(const Date& date, long dDays) {
    return addToCurrentCalendar(CalendarUnitDay, dDays, date);
}
Date dateBySubtractingDays(const Date& date, long dDays) {
    return dateByAddingDays(date, negated(dDays));
}

Date dateByAddingHours(const Date& date, long dHours) {
    return addSeconds(date, dHours, kHour);
}
Date dateBySubtractingHours(const Date& date, long dHours) {
    return dateByAddingHours(date, negated(dHours));
}
Date dateByAddingMinutes(const Date& date, long dMinutes) {
    return addSeconds(date, dMinutes, kMinute);
}
Date dateBySubtractingMinutes(const Date& date, long dMinutes) {
    return dateByAddingMinutes(date, negated(dMinutes));
}

Date dateAtStartOfDay(const Date& date) {
    // Not the time 00:00:00 of the day: where the clock goes back to midnight, that is the
    // second midnight, after moments of the same day.
    SharedCalendar& calendar = shared();
    std::lock_guard lock(calendar.mutex);
    return calendar.calendar.startOfDayForDate(date);
}
Date dateAtEndOfDay(const Date& date) {
    return dateAtTimeOfDay(date, 23, 59, 59);
}

DateComponents componentsWithOffsetFromDate(const Date& date, const Date& aDate) {
    SharedCalendar& calendar = shared();
    std::lock_guard lock(calendar.mutex);
    return calendar.calendar.components(kStandardUnits, aDate, date);
}

long minutesAfterDate(const Date& date, const Date& aDate) {
    return wholeUnits(date.timeIntervalSinceDate(aDate), kMinute);
}
long minutesBeforeDate(const Date& date, const Date& aDate) {
    return wholeUnits(aDate.timeIntervalSinceDate(date), kMinute);
}
long hoursAfterDate(const Date& date, const Date& aDate) {
    return wholeUnits(date.timeIntervalSinceDate(aDate), kHour);
}
long hoursBeforeDate(const Date& date, const Date& aDate) {
    return wholeUnits(aDate.timeIntervalSinceDate(date), kHour);
}
long daysAfterDate(const Date& date, const Date& aDate) {
    return wholeUnits(date.timeIntervalSinceDate(aDate), kDay);
}
long daysBeforeDate(const Date& date, const Date& aDate) {
    return wholeUnits(aDate.timeIntervalSinceDate(date), kDay);
}

long distanceInDaysToDate(const Date& date, const Date& anotherDate) {
    return field(Calendar::gregorian().components(CalendarUnitDay, date, anotherDate).day);
}

long nearestHour(const Date& /*date*/) {
    return hour(Date::now().dateByAddingTimeInterval(kHalfHour));
}
long hour(const Date& date) {
    return field(standardBreakdown(date).hour);
}
long minute(const Date& date) {
    return field(standardBreakdown(date).minute);
}
long seconds(const Date& date) {
    return field(standardBreakdown(date).second);
}
long day(const Date& date) {
    return field(standardBreakdown(date).day);
}
long month(const Date& date) {
    return field(standardBreakdown(date).month);
}
long week(const Date& date) {
    return field(standardBreakdown(date).week);
}
long weekday(const Date& date) {
    return field(standardBreakdown(date).weekday);
}
long nthWeekday(const Date& date) {
    return field(standardBreakdown(date).weekdayOrdinal);
}
long year(const Date& date) {
    return field(standardBreakdown(date).year);
}

String stringWithFormat(const Date& date, const String& format) {
    DateFormatter formatter;
    formatter.setDateFormat(format);
    return formatter.stringFromDate(date);
}

String stringWithDateStyle(const Date& date, DateFormatterStyle dateStyle,
                           DateFormatterStyle timeStyle) {
    DateFormatter formatter;
    formatter.setDateStyle(dateStyle);
    formatter.setTimeStyle(timeStyle);
    return formatter.stringFromDate(date);
}

String shortString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterShortStyle, DateFormatterShortStyle);
}
String shortTimeString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterNoStyle, DateFormatterShortStyle);
}
String shortDateString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterShortStyle, DateFormatterNoStyle);
}
String mediumString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterMediumStyle, DateFormatterMediumStyle);
}
String mediumTimeString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterNoStyle, DateFormatterMediumStyle);
}
String mediumDateString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterMediumStyle, DateFormatterNoStyle);
}
String longString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterLongStyle, DateFormatterLongStyle);
}
String longTimeString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterNoStyle, DateFormatterLongStyle);
}
String longDateString(const Date& date) {
    return stringWithDateStyle(date, DateFormatterLongStyle, DateFormatterNoStyle);
}

}  // namespace ov::NSDate_Utilities
