// NSDate(Utilities): calendar questions at their edges (week spans, month ends, daylight
// saving, the end of the day), truncation of distances and the clock-relative operations.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <thread>
#include <vector>

#include "orvane/extensions/NSDate+Utilities.h"
#include "support/LocalMoment.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using namespace NSDate_Utilities;

// A fixed default zone and a manual clock, both put back afterwards.
class DateUtilitiesTest : public ::testing::Test {
  protected:
    void SetUp() override { useZone("UTC"); }
    void TearDown() override { TimeZone::setDefaultTimeZone(std::nullopt); }

    static void useZone(const char* name) {
        TimeZone::setDefaultTimeZone(TimeZone::timeZoneWithName(String(name)));
    }
    static Date at(long year, long month, long day, long hour = 0, long minute = 0,
                   long second = 0) {
        return test::localMoment(year, month, day, hour, minute, second);
    }
    void setNow(const Date& now) { m_time.clock().setNow(now.timeIntervalSinceReferenceDate()); }

    test::ManualClockScope m_time{740000000.0};
};

TEST_F(DateUtilitiesTest, SameWeekNeedsASpanStrictlyBelowAWeek) {
    // The week that ends daylight saving is an hour longer than 604800 s, so two moments
    // exactly that far apart can share a week number. Find such a pair whatever day the
    // locale starts its weeks on.
    useZone("America/New_York");
    const Date fallBack = at(2025, 11, 2, 1, 30);
    std::optional<Date> start;
    for (int hours = -7 * 24; hours <= 0 && !start; ++hours) {
        const Date candidate = fallBack.dateByAddingTimeInterval(hours * 3600.0);
        if (week(candidate) == week(candidate.dateByAddingTimeInterval(kWeek))) start = candidate;
    }
    ASSERT_TRUE(start);
    EXPECT_FALSE(isSameWeekAsDate(*start, start->dateByAddingTimeInterval(kWeek)));
    EXPECT_TRUE(isSameWeekAsDate(*start, start->dateByAddingTimeInterval(kWeek - 1)));
    // The fraction is dropped before comparing.
    EXPECT_TRUE(isSameWeekAsDate(start->dateByAddingTimeInterval(kWeek - 0.5), *start));
    EXPECT_TRUE(isSameWeekAsDate(*start, *start));

    // Same week number a year apart is not the same week.
    useZone("UTC");
    const Date june = at(2024, 6, 12, 12);
    const Date yearLater = june.dateByAddingTimeInterval(52 * kWeek);
    ASSERT_EQ(week(june), week(yearLater));
    EXPECT_FALSE(isSameWeekAsDate(june, yearLater));
}

TEST_F(DateUtilitiesTest, RelativeWeeksMonthsAndYearsFollowTheClock) {
    setNow(at(2024, 6, 12, 12));  // a Wednesday
    EXPECT_TRUE(isThisWeek(at(2024, 6, 13, 9)));
    EXPECT_TRUE(isNextWeek(at(2024, 6, 20, 9)));
    EXPECT_TRUE(isLastWeek(at(2024, 6, 6, 9)));
    EXPECT_FALSE(isThisWeek(at(2024, 6, 20, 9)));
    EXPECT_TRUE(isThisMonth(at(2024, 6, 1)));
    EXPECT_TRUE(isLastMonth(at(2024, 5, 31)));
    EXPECT_TRUE(isNextMonth(at(2024, 7, 1)));
    EXPECT_FALSE(isNextMonth(at(2025, 7, 1)));
    EXPECT_TRUE(isThisYear(at(2024, 1, 1)));
    EXPECT_TRUE(isNextYear(at(2025, 12, 31)));
    EXPECT_TRUE(isLastYear(at(2023, 1, 1)));
    EXPECT_FALSE(isLastYear(at(2022, 12, 31)));
    EXPECT_TRUE(isToday(at(2024, 6, 12, 23, 59, 59)));
    EXPECT_FALSE(isToday(at(2024, 6, 13)));
    EXPECT_TRUE(isTomorrow(at(2024, 6, 13)));
    EXPECT_TRUE(isYesterday(at(2024, 6, 11, 0, 0, 1)));

    // A month back from 31 March is the end of February, still "last month".
    setNow(at(2024, 3, 31, 12));
    EXPECT_TRUE(isLastMonth(at(2024, 2, 10)));
    EXPECT_FALSE(isLastMonth(at(2024, 3, 1)));
}

TEST_F(DateUtilitiesTest, DaysAreTheDefaultZones) {
    // 23:30 in UTC is already the next day in Tokyo.
    const Date lateUtc = at(2024, 6, 12, 23, 30);
    const Date earlyUtc = at(2024, 6, 12, 0, 30);
    EXPECT_TRUE(isEqualToDateIgnoringTime(lateUtc, earlyUtc));
    useZone("Asia/Tokyo");
    EXPECT_FALSE(isEqualToDateIgnoringTime(lateUtc, earlyUtc));
    EXPECT_EQ(day(lateUtc), 13);
    EXPECT_EQ(hour(lateUtc), 8);
}

TEST_F(DateUtilitiesTest, OrderingIsStrict) {
    const Date date = at(2024, 6, 12);
    EXPECT_FALSE(isEarlierThanDate(date, date));
    EXPECT_FALSE(isLaterThanDate(date, date));
    EXPECT_TRUE(isEarlierThanDate(date, date.dateByAddingTimeInterval(0.001)));
    EXPECT_TRUE(isLaterThanDate(date.dateByAddingTimeInterval(0.001), date));

    setNow(date);
    EXPECT_FALSE(isInFuture(date));
    EXPECT_FALSE(isInPast(date));
    EXPECT_TRUE(isInFuture(dateWithMinutesFromNow(1)));
    EXPECT_TRUE(isInPast(dateWithHoursBeforeNow(1)));
}

TEST_F(DateUtilitiesTest, DistancesDropTheFractionTowardZero) {
    const Date start = at(2024, 6, 12);
    const Date later = start.dateByAddingTimeInterval(1.9 * kDay);
    const Date earlier = start.dateByAddingTimeInterval(-1.9 * kDay);
    EXPECT_EQ(daysAfterDate(later, start), 1);
    EXPECT_EQ(daysAfterDate(earlier, start), -1);
    EXPECT_EQ(daysBeforeDate(earlier, start), 1);
    EXPECT_EQ(hoursAfterDate(later, start), 45);
    EXPECT_EQ(hoursBeforeDate(later, start), -45);
    EXPECT_EQ(minutesAfterDate(start.dateByAddingTimeInterval(-119), start), -1);
    EXPECT_EQ(minutesBeforeDate(start.dateByAddingTimeInterval(-119), start), 1);
    const Date nowhere = Date::dateWithTimeIntervalSinceReferenceDate(NAN);
    EXPECT_EQ(daysAfterDate(nowhere, start), 0);
    EXPECT_EQ(hour(nowhere), 0);

    // Whole calendar days, not spans of 86400 s: 23:00 to 01:00 next day is no whole day.
    EXPECT_EQ(distanceInDaysToDate(at(2024, 6, 12, 23), at(2024, 6, 14, 1)), 1);
    EXPECT_EQ(distanceInDaysToDate(at(2024, 6, 14, 1), at(2024, 6, 12, 23)), -1);

    const DateComponents offset = componentsWithOffsetFromDate(at(2025, 7, 14, 13, 5, 9), start);
    EXPECT_EQ(offset.year, 1);
    EXPECT_EQ(offset.month, 1);
    EXPECT_EQ(offset.week, 0);
    EXPECT_EQ(offset.day, 2);
    EXPECT_EQ(offset.hour, 13);
    EXPECT_EQ(offset.minute, 5);
    EXPECT_EQ(offset.second, 9);
}

TEST_F(DateUtilitiesTest, CalendarArithmeticClampsMonthsAndKeepsClockTimeAcrossDst) {
    EXPECT_EQ(dateByAddingMonths(at(2024, 1, 31, 9), 1), at(2024, 2, 29, 9));
    EXPECT_EQ(dateBySubtractingMonths(at(2024, 3, 31), 1), at(2024, 2, 29));
    EXPECT_EQ(dateByAddingYears(at(2024, 2, 29), 1), at(2025, 2, 28));
    EXPECT_EQ(dateBySubtractingYears(at(2024, 2, 29), 4), at(2020, 2, 29));
    EXPECT_EQ(dateBySubtractingDays(at(2024, 3, 1), 1), at(2024, 2, 29));

    useZone("America/New_York");  // clocks go forward on 10 March 2024
    const Date saturday = at(2024, 3, 9, 9);
    EXPECT_EQ(dateByAddingDays(saturday, 1), at(2024, 3, 10, 9));
    EXPECT_EQ(dateByAddingHours(saturday, 24), at(2024, 3, 10, 10));
    EXPECT_EQ(dateBySubtractingHours(at(2024, 3, 10, 10), 24), saturday);
    EXPECT_EQ(dateByAddingMinutes(saturday, 90), at(2024, 3, 9, 10, 30));
    EXPECT_EQ(dateBySubtractingMinutes(saturday, -90), at(2024, 3, 9, 10, 30));

    // Amounts no calendar can take leave the date as it was.
    EXPECT_EQ(dateByAddingYears(saturday, LONG_MAX), saturday);
    EXPECT_EQ(dateBySubtractingDays(saturday, LONG_MIN), saturday);

    setNow(saturday);
    EXPECT_EQ(dateTomorrow(), at(2024, 3, 10, 9));
    EXPECT_EQ(dateWithDaysBeforeNow(7), at(2024, 3, 2, 9));
    EXPECT_EQ(dateWithHoursFromNow(2), at(2024, 3, 9, 11));
    EXPECT_EQ(dateWithMinutesBeforeNow(10), at(2024, 3, 9, 8, 50));
}

TEST_F(DateUtilitiesTest, DayBoundsAreWholeSeconds) {
    const Date date = at(2024, 6, 12, 15, 20, 30).dateByAddingTimeInterval(0.25);
    const Date end = dateAtEndOfDay(date);
    EXPECT_EQ(end, at(2024, 6, 12, 23, 59, 59));
    EXPECT_EQ(seconds(end), 59);
    EXPECT_EQ(end.dateByAddingTimeInterval(1), dateAtStartOfDay(at(2024, 6, 13, 5)));
    EXPECT_EQ(dateAtStartOfDay(date), at(2024, 6, 12));

    // The day the clocks go forward has 23 hours.
    useZone("America/New_York");
    const Date shortDay = at(2024, 3, 10, 12);
    EXPECT_EQ(dateAtEndOfDay(shortDay).timeIntervalSinceDate(dateAtStartOfDay(shortDay)),
              23 * 3600 - 1);

    // Havana turns its clocks back from 01:00 to midnight: that day starts at the first one.
    useZone("America/Havana");
    const Date longDay = at(2023, 11, 5, 12);
    EXPECT_EQ(dateAtStartOfDay(longDay), Date::dateWithTimeIntervalSince1970(1699156800.0));
    EXPECT_EQ(dateAtEndOfDay(longDay).timeIntervalSinceDate(dateAtStartOfDay(longDay)),
              25 * 3600 - 1);
}

TEST_F(DateUtilitiesTest, NearestHourRoundsTheClockNotTheDate) {
    const Date anyDate = at(2001, 1, 1, 17);
    setNow(at(2024, 6, 12, 10, 29));
    EXPECT_EQ(nearestHour(anyDate), 10);
    setNow(at(2024, 6, 12, 10, 31));
    EXPECT_EQ(nearestHour(anyDate), 11);
    setNow(at(2024, 6, 12, 23, 45));
    EXPECT_EQ(nearestHour(anyDate), 0);
}

TEST_F(DateUtilitiesTest, CalendarParts) {
    const Date date = at(2024, 6, 15, 7, 8, 9);  // the third Saturday of June
    EXPECT_EQ(year(date), 2024);
    EXPECT_EQ(month(date), 6);
    EXPECT_EQ(day(date), 15);
    EXPECT_EQ(hour(date), 7);
    EXPECT_EQ(minute(date), 8);
    EXPECT_EQ(seconds(date), 9);
    EXPECT_EQ(weekday(date), 7);
    EXPECT_EQ(nthWeekday(date), 3);
    EXPECT_EQ(week(date), 24);  // whether weeks start on Sunday or Monday
    EXPECT_TRUE(isTypicallyWeekend(date));
    EXPECT_TRUE(isTypicallyWeekend(at(2024, 6, 16)));
    EXPECT_TRUE(isTypicallyWorkday(at(2024, 6, 17)));
    EXPECT_TRUE(isTypicallyWorkday(at(2024, 6, 14)));
}

TEST_F(DateUtilitiesTest, FormatsInTheDefaultZone) {
    useZone("Asia/Jerusalem");
    const Date date = at(2024, 6, 15, 7, 8, 9);
    EXPECT_EQ(stringWithFormat(date, "yyyy-MM-dd HH:mm:ss"), String("2024-06-15 07:08:09"));
    EXPECT_EQ(stringWithDateStyle(date, DateFormatterNoStyle, DateFormatterNoStyle), String());
    const std::string both = shortString(date).toUtf8();
    EXPECT_NE(both.find(shortDateString(date).toUtf8()), std::string::npos) << both;
    EXPECT_NE(both.find(shortTimeString(date).toUtf8()), std::string::npos) << both;
    EXPECT_NE(longString(date).toUtf8().find(longDateString(date).toUtf8()), std::string::npos);
    EXPECT_NE(longDateString(date), shortDateString(date));
}

TEST_F(DateUtilitiesTest, SharedCalendarFollowsTheZoneAndServesManyThreads) {
    EXPECT_EQ(currentCalendar().timeZone().name(), String("UTC"));
    useZone("Asia/Tokyo");
    EXPECT_EQ(currentCalendar().timeZone().name(), String("Asia/Tokyo"));

    const Date date = at(2024, 6, 15, 7, 8, 9);
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int thread = 0; thread < 4; ++thread) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                if (hour(date) != 7 || !isEqualToDateIgnoringTime(date, dateAtStartOfDay(date))) {
                    ++wrong;
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace ov
