#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "orvane/location/EDSunriseSet.h"

namespace ov {
namespace {

TimeZone zone(const char* name) {
    return *TimeZone::timeZoneWithName(String(name));
}

// Noon of the day in the zone, so the zone decides which day it is.
Date noonOf(long year, long month, long day, const TimeZone& in) {
    Calendar calendar = Calendar::gregorian();
    calendar.setTimeZone(in);
    DateComponents parts;
    parts.year = year;
    parts.month = month;
    parts.day = day;
    parts.hour = 12;
    return *calendar.dateFromComponents(parts);
}

Date utcAt(long year, long month, long day, double hours) {
    return noonOf(year, month, day, TimeZone::utc()).dateByAddingTimeInterval((hours - 12) * 3600);
}

double hoursBetween(const Date& later, const Date& earlier) {
    return later.timeIntervalSinceDate(earlier) / 3600.0;
}

TEST(EDSunriseSet, AnglesReduceIntoTheirRanges) {
    EXPECT_DOUBLE_EQ(EDSunriseSet::revolution(-10), 350);
    EXPECT_DOUBLE_EQ(EDSunriseSet::revolution(720), 0);
    EXPECT_DOUBLE_EQ(EDSunriseSet::revolution(359.5), 359.5);
    EXPECT_NEAR(EDSunriseSet::revolution(-725), 355, 1e-9);
    EXPECT_DOUBLE_EQ(EDSunriseSet::rev180(190), -170);
    EXPECT_DOUBLE_EQ(EDSunriseSet::rev180(180), -180);
    EXPECT_DOUBLE_EQ(EDSunriseSet::rev180(-180), -180);
    EXPECT_DOUBLE_EQ(EDSunriseSet::rev180(179), 179);
    EXPECT_DOUBLE_EQ(EDSunriseSet::rev180(-540), -180);
}

TEST(EDSunriseSet, DayNumbersCountFromTheEpoch) {
    EXPECT_EQ(EDSunriseSet::dayNumberForYear(2000, 1, 1), 1);
    EXPECT_EQ(EDSunriseSet::dayNumberForYear(1999, 12, 31), 0);
    EXPECT_EQ(EDSunriseSet::dayNumberForYear(2000, 3, 1), 61);  // across a leap February
    EXPECT_EQ(EDSunriseSet::dayNumberForYear(2001, 1, 1), 367);
    EXPECT_EQ(EDSunriseSet::dayNumberForYear(2024, 3, 20), 8846);
}

// References from an independent model (the fractional-year approximation): the origin on
// 2024-03-20 has its sunrise at 06:04:26 UTC, civil dawn 05:43:46, nautical 05:19:46,
// astronomical 04:55:46, noon 12:07:46 and the evening events mirrored about it.
TEST(EDSunriseSet, EquinoxAtTheOriginMatchesAnIndependentModel) {
    const auto sun = EDSunriseSet::sunrisesetWithDate(noonOf(2024, 3, 20, TimeZone::utc()),
                                                      TimeZone::utc(), 0, 0);
    const double minute = 1.0 / 60;
    EXPECT_NEAR(hoursBetween(sun->sunrise(), utcAt(2024, 3, 20, 0)), 6 + 4.4 * minute, 2 * minute);
    EXPECT_NEAR(hoursBetween(sun->sunset(), utcAt(2024, 3, 20, 0)), 18 + 11.1 * minute, 2 * minute);
    EXPECT_NEAR(hoursBetween(sun->civilTwilightStart(), utcAt(2024, 3, 20, 0)), 5 + 43.8 * minute,
                2 * minute);
    EXPECT_NEAR(hoursBetween(sun->nauticalTwilightEnd(), utcAt(2024, 3, 20, 0)), 18 + 55.8 * minute,
                2 * minute);
    EXPECT_NEAR(hoursBetween(sun->astronomicalTwilightStart(), utcAt(2024, 3, 20, 0)),
                4 + 55.8 * minute, 2 * minute);

    EXPECT_LT(sun->astronomicalTwilightStart(), sun->nauticalTwilightStart());
    EXPECT_LT(sun->nauticalTwilightStart(), sun->civilTwilightStart());
    EXPECT_LT(sun->civilTwilightStart(), sun->sunrise());
    EXPECT_LT(sun->sunrise(), sun->sunset());
    EXPECT_LT(sun->sunset(), sun->civilTwilightEnd());
    EXPECT_LT(sun->civilTwilightEnd(), sun->nauticalTwilightEnd());
    EXPECT_LT(sun->nauticalTwilightEnd(), sun->astronomicalTwilightEnd());
    // Events of one pair are symmetric about the transit.
    EXPECT_NEAR(hoursBetween(sun->sunset(), sun->astronomicalTwilightEnd()),
                hoursBetween(sun->astronomicalTwilightStart(), sun->sunrise()), 1e-9);
}

TEST(EDSunriseSet, LocalTimesAreTheMomentsInTheZone) {
    const TimeZone jerusalem = zone("Asia/Jerusalem");
    const EDSunriseSet sun(noonOf(2024, 6, 21, jerusalem), jerusalem, 31.7683, 35.2137);
    const DateComponents sunrise = sun.localSunrise();
    ASSERT_TRUE(sunrise.hour && sunrise.minute && sunrise.second);
    EXPECT_FALSE(sunrise.day);
    EXPECT_EQ(*sunrise.hour, 5);  // 05:33 summer time
    EXPECT_NEAR(*sunrise.minute, 33, 2);
    Calendar calendar = Calendar::gregorian();
    calendar.setTimeZone(jerusalem);
    const auto expected = calendar.components(
        CalendarUnitHour | CalendarUnitMinute | CalendarUnitSecond, sun.astronomicalTwilightEnd());
    EXPECT_EQ(sun.localAstronomicalTwilightEnd(), expected);
    EXPECT_EQ(*sun.localSunset().hour, 19);
}

TEST(EDSunriseSet, PolarDayAndNightAt78North) {
    double rise = 0;
    double set = 0;
    EXPECT_EQ(EDSunriseSet::sunRiseSetForYear(2024, 6, 21, 15.6, 78.2, rise, set), 1);
    EXPECT_DOUBLE_EQ(set - rise, 24.0);
    EXPECT_EQ(EDSunriseSet::sunRiseSetForYear(2024, 12, 21, 15.6, 78.2, rise, set), -1);
    EXPECT_DOUBLE_EQ(rise, set);
    // In December noon's sun is some 11 degrees below the horizon: civil twilight never comes
    // either, nor does astronomical night in June.
    EXPECT_EQ(EDSunriseSet::civilTwilightForYear(2024, 12, 21, 15.6, 78.2, rise, set), -1);
    EXPECT_EQ(EDSunriseSet::astronomicalTwilightForYear(2024, 6, 21, 15.6, 78.2, rise, set), 1);

    const TimeZone utc = TimeZone::utc();
    const EDSunriseSet june(noonOf(2024, 6, 21, utc), utc, 78.2, 15.6);
    EXPECT_DOUBLE_EQ(hoursBetween(june.sunset(), june.sunrise()), 24.0);
    const EDSunriseSet december(noonOf(2024, 12, 21, utc), utc, 78.2, 15.6);
    EXPECT_EQ(december.sunrise(), december.sunset());
    // The transit at longitude 15.6 east comes about an hour before noon in universal time.
    EXPECT_NEAR(hoursBetween(december.sunrise(), utcAt(2024, 12, 21, 0)), 11.0, 0.2);
}

TEST(EDSunriseSet, AZoneFarEastComputesItsOwnDay) {
    // 11:00 UTC on 20 March is already 21 March in Auckland in March (+13).
    const TimeZone auckland = zone("Pacific/Auckland");
    const Date moment = utcAt(2024, 3, 20, 11);
    const EDSunriseSet sun(moment, auckland, -36.85, 174.76);
    const EDSunriseSet reference(noonOf(2024, 3, 21, auckland), auckland, -36.85, 174.76);
    EXPECT_EQ(sun.sunrise(), reference.sunrise());
    EXPECT_EQ(sun.astronomicalTwilightEnd(), reference.astronomicalTwilightEnd());
    // That day's events are moments of universal time counted from 21 March 00:00 UTC, so the
    // sunrise (07:3x local) lands on the evening of 20 March in universal time: -5.5 h.
    EXPECT_NEAR(hoursBetween(sun.sunrise(), utcAt(2024, 3, 21, 0)), -5.5, 0.3);
    EXPECT_EQ(*sun.localSunrise().hour, 7);

    // Twelve hours ahead at the origin: the day is the zone's, while the moments keep the
    // origin's universal times.
    const TimeZone ahead = *TimeZone::timeZoneForSecondsFromGMT(12 * 3600);
    const EDSunriseSet east(utcAt(2024, 3, 20, 13), ahead, 0, 0);
    const EDSunriseSet nextDay(noonOf(2024, 3, 21, TimeZone::utc()), TimeZone::utc(), 0, 0);
    EXPECT_EQ(east.sunrise(), nextDay.sunrise());
    EXPECT_EQ(*east.localSunrise().hour, 18);
}

TEST(EDSunriseSet, ReadersOnOtherThreadsSeeWholeValues) {
    const TimeZone utc = TimeZone::utc();
    EDSunriseSet sun(noonOf(2024, 3, 20, utc), utc, 0, 0);
    DateComponents first;
    first.hour = 1;
    first.second = 3;
    DateComponents second;
    second.minute = 5;
    sun.setLocalSunrise(first);
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            sun.setLocalSunrise(i % 2 ? first : second);
    });
    for (int i = 0; i < 2000; ++i) {
        const DateComponents seen = sun.localSunrise();
        EXPECT_TRUE(seen == first || seen == second);
    }
    writer.join();
}

TEST(EDSunriseSet, DescriptionListsTheLocalTimes) {
    const TimeZone utc = TimeZone::utc();
    const EDSunriseSet sun(noonOf(2024, 3, 20, utc), utc, 0, 0);
    const std::string text = sun.description().toUtf8();
    EXPECT_EQ(text.rfind("Date: 2024-03-20 12:00:00 +0000\nTimeZone: UTC\nLocal Sunrise: ", 0), 0u)
        << text;
    for (const char* label :
         {"\nLocal Sunset: ", "\nLocal Civil Twilight Start: ", "\nLocal Nautical Twilight End: ",
          "\nLocal Astronomical Twilight End: "}) {
        EXPECT_NE(text.find(label), std::string::npos) << label;
    }
    EXPECT_NE(text.find("Hour: 6"), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
}

TEST(EDSunriseSet, ADateWithoutADayLeavesTheResultsEmpty) {
    const EDSunriseSet sun(Date::dateWithTimeIntervalSinceReferenceDate(NAN), TimeZone::utc(), 0,
                           0);
    EXPECT_EQ(sun.sunrise(), Date());
    EXPECT_EQ(sun.localSunrise(), DateComponents());
    const EDSunriseSet nowhere(noonOf(2024, 3, 20, TimeZone::utc()), TimeZone::utc(), NAN, 0);
    EXPECT_EQ(nowhere.localSunset(), DateComponents());  // a moment that is not a number
}

}  // namespace
}  // namespace ov
