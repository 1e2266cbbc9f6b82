#include <gtest/gtest.h>

#include <cmath>

#include "orvane/platform/time/Calendar.h"
#include "orvane/platform/time/DateFormatter.h"

namespace ov {
namespace {

Calendar calendarIn(const char* zone) {
    Calendar calendar = Calendar::gregorian();
    calendar.setTimeZone(*TimeZone::timeZoneWithName(String(zone)));
    calendar.setLocale(Locale::localeWithLocaleIdentifier(String("en_US")));
    return calendar;
}

Date at(const Calendar& calendar, long year, long month, long day, long hour = 0, long minute = 0) {
    DateComponents parts;
    parts.year = year;
    parts.month = month;
    parts.day = day;
    parts.hour = hour;
    parts.minute = minute;
    return *calendar.dateFromComponents(parts);
}

constexpr unsigned kDayAndTime =
    CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay | CalendarUnitHour | CalendarUnitMinute;

TEST(TimeZone, NamesAbbreviationsAndOffsets) {
    const Date may = Date::dateWithTimeIntervalSince1970(1462096800.0);  // summer 2016
    EXPECT_EQ(TimeZone::timeZoneWithName(String("Asia/Jerusalem"))->secondsFromGMTForDate(may),
              10800);
    EXPECT_TRUE(
        TimeZone::timeZoneWithName(String("Asia/Jerusalem"))->isDaylightSavingTimeForDate(may));
    EXPECT_EQ(TimeZone::timeZoneWithAbbreviation(String("UTC"))->name(), String("UTC"));
    EXPECT_EQ(TimeZone::timeZoneWithAbbreviation(String("PST"))->secondsFromGMTForDate(may),
              -7 * 3600);
    EXPECT_FALSE(TimeZone::timeZoneWithName(String("Mars/Olympus_Mons")));
    EXPECT_FALSE(TimeZone::timeZoneWithName(String("")));
    EXPECT_FALSE(TimeZone::timeZoneWithAbbreviation(String("XYZ")));
    EXPECT_EQ(TimeZone::timeZoneForSecondsFromGMT(-5400)->secondsFromGMTForDate(may), -5400);
    EXPECT_EQ(TimeZone::timeZoneForSecondsFromGMT(-5400)->name(), String("GMT-0130"));
    EXPECT_FALSE(TimeZone::timeZoneForSecondsFromGMT(19 * 3600));
}

TEST(TimeZone, HostDefaultWinsUntilCleared) {
    TimeZone::setDefaultTimeZone(TimeZone::timeZoneWithName(String("Asia/Tokyo")));
    EXPECT_EQ(TimeZone::defaultTimeZone().name(), String("Asia/Tokyo"));
    EXPECT_EQ(Calendar::autoupdatingCurrentCalendar().timeZone().name(), String("Asia/Tokyo"));
    TimeZone::setDefaultTimeZone(std::nullopt);
    EXPECT_EQ(TimeZone::defaultTimeZone(), TimeZone::systemTimeZone());
}

TEST(Calendar, BreaksMomentsIntoFields) {
    const Calendar calendar = calendarIn("UTC");
    const Date tuesday = at(calendar, 2024, 3, 5, 13, 45);
    const DateComponents parts =
        calendar.components(kDayAndTime | CalendarUnitWeekday | CalendarUnitWeekdayOrdinal |
                                CalendarUnitWeek | CalendarUnitSecond,
                            tuesday);
    EXPECT_EQ(parts.year, 2024);
    EXPECT_EQ(parts.month, 3);
    EXPECT_EQ(parts.day, 5);
    EXPECT_EQ(parts.hour, 13);
    EXPECT_EQ(parts.minute, 45);
    EXPECT_EQ(parts.second, 0);
    EXPECT_EQ(parts.weekday, 3);  // 1 is Sunday
    EXPECT_EQ(parts.weekdayOrdinal, 1);
    EXPECT_EQ(parts.week, 10);
    EXPECT_FALSE(parts.era);  // not asked for
    EXPECT_EQ(calendarIn("Asia/Tokyo").components(CalendarUnitDay | CalendarUnitHour, tuesday),
              (DateComponents{.day = 5, .hour = 22}));
    EXPECT_EQ(calendar.components(kDayAndTime, Date::dateWithTimeIntervalSince1970(std::nan(""))),
              DateComponents{});
}

TEST(Calendar, AddsWithMonthEndsAndDaylightSaving) {
    const Calendar calendar = calendarIn("America/New_York");
    const Date january31 = at(calendar, 2024, 1, 31, 9);
    EXPECT_EQ(*calendar.dateByAddingUnit(CalendarUnitMonth, 1, january31),
              at(calendar, 2024, 2, 29, 9));
    EXPECT_EQ(*calendar.dateByAddingUnit(CalendarUnitYear, 1, at(calendar, 2024, 2, 29)),
              at(calendar, 2025, 2, 28));
    // The spring-forward day is 23 hours long: a day keeps the clock time, 24 hours do not.
    const Date before = at(calendar, 2024, 3, 9, 12);
    const Date nextDay = *calendar.dateByAddingUnit(CalendarUnitDay, 1, before);
    EXPECT_EQ(nextDay.timeIntervalSinceDate(before), 23 * 3600);
    EXPECT_EQ(calendar.components(CalendarUnitHour, nextDay).hour, 12);
    EXPECT_EQ(*calendar.dateByAddingUnit(CalendarUnitHour, 24, before),
              at(calendar, 2024, 3, 10, 13));
    EXPECT_FALSE(calendar.dateByAddingUnit(CalendarUnitDay, 1L << 40, before));
}

TEST(Calendar, DifferencesTakeLargerUnitsFirst) {
    const Calendar calendar = calendarIn("UTC");
    const Date from = at(calendar, 2023, 1, 15, 8);
    const Date to = at(calendar, 2024, 4, 20, 10, 30);
    const unsigned units = CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay |
                           CalendarUnitHour | CalendarUnitMinute;
    EXPECT_EQ(calendar.components(units, from, to),
              (DateComponents{.year = 1, .month = 3, .day = 5, .hour = 2, .minute = 30}));
    EXPECT_EQ(calendar.components(units, to, from),
              (DateComponents{.year = -1, .month = -3, .day = -5, .hour = -2, .minute = -30}));
    EXPECT_EQ(
        calendar.components(CalendarUnitWeek | CalendarUnitDay, from, at(calendar, 2023, 1, 31, 8)),
        (DateComponents{.day = 2, .week = 2}));
}

TEST(Calendar, CountsOrdinalityInTheEra) {
    const Calendar calendar = calendarIn("UTC");
    const Date saturday = at(calendar, 2024, 3, 9, 23);
    const Date sunday = at(calendar, 2024, 3, 10, 1);
    const Date nextSaturday = at(calendar, 2024, 3, 16, 12);
    EXPECT_EQ(calendar.ordinalityOfUnit(CalendarUnitDay, CalendarUnitEra, sunday) -
                  calendar.ordinalityOfUnit(CalendarUnitDay, CalendarUnitEra, saturday),
              1);
    // Weeks start on Sunday in the United States.
    const long week = calendar.ordinalityOfUnit(CalendarUnitWeek, CalendarUnitEra, sunday);
    EXPECT_EQ(week - calendar.ordinalityOfUnit(CalendarUnitWeek, CalendarUnitEra, saturday), 1);
    EXPECT_EQ(calendar.ordinalityOfUnit(CalendarUnitWeek, CalendarUnitEra, nextSaturday), week);
    EXPECT_EQ(calendar.ordinalityOfUnit(CalendarUnitDay, CalendarUnitMonth, sunday), 10);
    EXPECT_EQ(calendar.ordinalityOfUnit(CalendarUnitHour, CalendarUnitDay, sunday), 2);
    EXPECT_EQ(calendar.ordinalityOfUnit(CalendarUnitYear, CalendarUnitDay, sunday), 0);
}

TEST(Calendar, BuildsMomentsFromFields) {
    const Calendar calendar = calendarIn("Asia/Jerusalem");
    const Date noon = at(calendar, 2016, 5, 1, 13);
    EXPECT_EQ(noon.timeIntervalSince1970(), 1462096800.0);
    EXPECT_EQ(calendar.startOfDayForDate(noon), at(calendar, 2016, 5, 1));
    DateComponents secondTuesday{.year = 2024, .month = 3, .weekday = 3, .weekdayOrdinal = 2};
    EXPECT_EQ(calendar.components(CalendarUnitDay, *calendar.dateFromComponents(secondTuesday)),
              DateComponents{.day = 12});
    EXPECT_FALSE(calendar.dateFromComponents(DateComponents{.year = 1L << 40}));
}

TEST(Calendar, ADayStartsAtItsFirstMidnight) {
    // Havana turned its clocks back from 01:00 to 00:00 on 5 November 2023, so that day has
    // two midnights an hour apart.
    const Calendar calendar = calendarIn("America/Havana");
    const Date firstMidnight = Date::dateWithTimeIntervalSince1970(1699156800.0);
    const Date secondMidnight = firstMidnight.dateByAddingTimeInterval(3600);
    for (const Date& moment : {firstMidnight, firstMidnight.dateByAddingTimeInterval(1800),
                               secondMidnight, at(calendar, 2023, 11, 5, 12)}) {
        EXPECT_EQ(calendar.startOfDayForDate(moment), firstMidnight)
            << moment.timeIntervalSince1970();
    }
    EXPECT_EQ(calendar.startOfDayForDate(firstMidnight.dateByAddingTimeInterval(-1)),
              at(calendar, 2023, 11, 4));
    // The day before has one midnight and 24 hours.
    EXPECT_EQ(firstMidnight.timeIntervalSinceDate(at(calendar, 2023, 11, 4)), 24 * 3600);
}

TEST(DateFormatter, WritesTheFixedStyles) {
    DateFormatter formatter;
    formatter.setLocale(String("en_US"));
    formatter.setTimeZone(String("UTC"));
    formatter.setDateStyle(DateFormatterFullStyle);
    const Date date = Date::dateWithTimeIntervalSince1970(1709646300.0);  // 2024-03-05 13:45
    EXPECT_EQ(formatter.stringFromDate(date).toUtf8(), "Tuesday, March 5, 2024");
    formatter.setTimeStyle(DateFormatterShortStyle);
    EXPECT_EQ(formatter.stringFromDate(date).toUtf8().substr(0, 22), "Tuesday, March 5, 2024");
    formatter.setDateFormat(String("HH:mm"));  // a pattern replaces the styles
    EXPECT_EQ(formatter.stringFromDate(date).toUtf8(), "13:45");
    formatter.setDateStyle(DateFormatterNoStyle);
    EXPECT_EQ(formatter.stringFromDate(date).toUtf8(), "");
}

}  // namespace
}  // namespace ov
