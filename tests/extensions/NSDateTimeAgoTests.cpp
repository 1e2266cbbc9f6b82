// NSDate(TimeAgo): the four scales at their boundaries, the limit forms, the Russian plural
// markers and the shipped phrase tables.
#include <gtest/gtest.h>

#include <limits>

#include "extensions/TimeAgoPhrases.h"
#include "orvane/core/OVClient.h"
#include "orvane/extensions/NSDate+TimeAgo.h"
#include "orvane/platform/text/StringsTable.h"
#include "orvane/platform/time/Calendar.h"
#include "support/LocalMoment.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using namespace NSDate_TimeAgo;

constexpr double kMinute = 60;

// A fixed clock, languages and default zone, all put back afterwards.
class TimeAgoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useLanguages({"en"});
        TimeZone::setDefaultTimeZone(TimeZone::utc());
    }
    void TearDown() override {
        Bundle::setPreferredLanguages(std::nullopt);
        TimeZone::setDefaultTimeZone(std::nullopt);
    }

    static void useLanguages(std::vector<String> languages) {
        Bundle::setPreferredLanguages(std::move(languages));
    }
    Date secondsAgo(double seconds) const {
        return Date::dateWithTimeIntervalSinceReferenceDate(m_time.now() - seconds);
    }
    static Date at(long year, long month, long day, long hour = 0, long minute = 0,
                   long second = 0) {
        return test::localMoment(year, month, day, hour, minute, second);
    }
    void setNow(const Date& now) { m_time.clock().setNow(now.timeIntervalSinceReferenceDate()); }

    test::ManualClockScope m_time{740000000.0};
};

TEST_F(TimeAgoTest, ElapsedScalesAtEveryBoundaryPastAndFuture) {
    struct Row {
        double seconds;
        const char* continuous;
        const char* compact;
    };
    const Row rows[] = {{0, "Just now", "0s"},
                        {4.9, "Just now", "4s"},
                        {5, "5 seconds ago", "5s"},
                        {59.9, "59 seconds ago", "59s"},
                        {60, "A minute ago", "1m"},
                        {119, "A minute ago", "1m"},
                        {120, "2 minutes ago", "2m"},
                        {59 * kMinute + 59, "59 minutes ago", "59m"},
                        {119 * kMinute + 59, "An hour ago", "1h"},
                        {120 * kMinute, "2 hours ago", "2h"},
                        {1439 * kMinute, "23 hours ago", "23h"},
                        {1440 * kMinute, "Yesterday", "1d"},
                        {2880 * kMinute, "2 days ago", "2d"},
                        {10079 * kMinute, "6 days ago", "6d"},
                        {10080 * kMinute, "Last week", "1w"},
                        {20159 * kMinute, "Last week", "1w"},
                        {20160 * kMinute, "2 weeks ago", "2w"},
                        {44640 * kMinute, "Last month", "1mo"},
                        {87840 * kMinute, "2 months ago", "2mo"},
                        {525959 * kMinute, "12 months ago", "12mo"},
                        {525960 * kMinute, "Last year", "1yr"},
                        {1052640 * kMinute, "2 years ago", "2yr"}};
    for (const Row& row : rows) {
        for (const double sign : {1.0, -1.0}) {
            const Date date = secondsAgo(sign * row.seconds);
            EXPECT_EQ(timeAgo(date).toUtf8(), row.continuous) << sign * row.seconds;
            EXPECT_EQ(timeAgoSimple(date).toUtf8(), row.compact) << sign * row.seconds;
        }
    }
    // Counts beyond any integer are held, not undefined.
    const Date far = Date::dateWithTimeIntervalSinceReferenceDate(1e300);
    EXPECT_EQ(timeAgo(far).toUtf8(), "9223372036854775807 years ago");
    EXPECT_EQ(dateTimeAgo(far).toUtf8(), "Just now");
}

TEST_F(TimeAgoTest, CalendarScaleTakesTheLargestUnitThatPassed) {
    setNow(at(2024, 6, 15, 12));
    const std::pair<Date, const char*> cases[] = {
        {at(2023, 3, 15, 12), "1 year ago"},
        {at(2022, 6, 15, 12), "2 years ago"},
        {at(2024, 2, 10, 9), "4 months ago"},
        {at(2024, 6, 8, 12), "1 week ago"},
        {at(2024, 5, 29, 8), "2 weeks ago"},
        {at(2024, 6, 14, 12), "1 day ago"},
        {at(2024, 6, 9, 13), "5 days ago"},
        {at(2024, 6, 15, 6, 0, 1), "5 hours ago"},
        {at(2024, 6, 15, 11), "An hour ago"},
        {at(2024, 6, 15, 11, 56, 50), "3 minutes ago"},
        {at(2024, 6, 15, 11, 59), "A minute ago"},
        {at(2024, 6, 15, 11, 59, 55), "5 seconds ago"},
        {at(2024, 6, 15, 11, 59, 56), "Just now"},
        {at(2024, 6, 15, 12, 3), "Just now"}};  // the future
    for (const auto& [date, phrase] : cases) {
        EXPECT_EQ(dateTimeAgo(date).toUtf8(), phrase) << date.description().toUtf8();
    }
}

TEST_F(TimeAgoTest, DayLevelScaleCountsCalendarDaysWeeksMonthsAndYears) {
    // 2024-06-13 is a Thursday: the cases hold for weeks starting on Sunday or on Monday.
    const Date thursday = at(2024, 6, 13, 12);
    const std::tuple<Date, Date, const char*> cases[] = {
        {at(2024, 6, 13, 8), at(2024, 6, 13, 15), "This morning"},
        {at(2024, 6, 13, 13), at(2024, 6, 13, 19), "This afternoon"},
        {at(2024, 6, 13, 12), at(2024, 6, 13, 23), "This afternoon"},
        {at(2024, 6, 13, 13), at(2024, 6, 13, 17), "4 hours ago"},  // under 6 hours
        {at(2024, 6, 13, 1), at(2024, 6, 13, 9), "Today"},
        {at(2024, 6, 13, 6), at(2024, 6, 13, 12, 30), "Today"},  // 12:30 is not after 12
        {at(2024, 6, 12, 22), at(2024, 6, 13, 8), "Yesterday"},
        {at(2024, 6, 11, 10), thursday, "This week"},
        {at(2024, 6, 4, 10), thursday, "Last week"},
        {at(2024, 6, 1, 10), thursday, "This month"},
        {at(2024, 5, 10, 10), thursday, "Last month"},
        {at(2024, 2, 10, 10), thursday, "This year"},
        {at(2023, 3, 1, 10), thursday, "Last year"},
        {at(2021, 5, 1, 10), thursday, "3 years ago"},
        {at(2024, 6, 14, 10), thursday, "Just now"},  // the future
        // Counting from the start of the era carries across the turn of a year.
        {at(2023, 12, 31, 22), at(2024, 1, 1, 8), "Yesterday"},
        {at(2023, 12, 28, 10), at(2024, 1, 4, 12), "Last week"},
        {at(2023, 12, 15, 10), at(2024, 1, 10, 12), "Last month"}};
    for (const auto& [date, now, phrase] : cases) {
        setNow(now);
        EXPECT_EQ(dateTimeUntilNow(date).toUtf8(), phrase)
            << date.description().toUtf8() << " seen at " << now.description().toUtf8();
    }
    // 22:30 UTC is 01:30 the next day in Jerusalem (UTC+3 in June).
    setNow(at(2024, 6, 13, 7));
    const Date lateEvening = at(2024, 6, 12, 22, 30);
    EXPECT_EQ(dateTimeUntilNow(lateEvening).toUtf8(), "Yesterday");
    TimeZone::setDefaultTimeZone(TimeZone::timeZoneWithName("Asia/Jerusalem"));
    EXPECT_EQ(dateTimeUntilNow(lateEvening).toUtf8(), "Today");
}

TEST_F(TimeAgoTest, LimitChoosesBetweenThePhraseAndTheFormattedDate) {
    const Date pastLimit = secondsAgo(3601);
    EXPECT_EQ(timeAgoWithLimit(secondsAgo(3600), 3600).toUtf8(), "An hour ago");
    EXPECT_EQ(timeAgoWithLimit(secondsAgo(-3600), 3600).toUtf8(), "An hour ago");
    const String full = DateFormatter::localizedStringFromDate(pastLimit, DateFormatterFullStyle,
                                                               DateFormatterFullStyle);
    EXPECT_FALSE(full.isEmpty());
    EXPECT_EQ(timeAgoWithLimit(pastLimit, 3600), full);
    EXPECT_EQ(timeAgoWithLimit(pastLimit, 3600, DateFormatterShortStyle, DateFormatterNoStyle),
              DateFormatter::localizedStringFromDate(pastLimit, DateFormatterShortStyle,
                                                     DateFormatterNoStyle));

    DateFormatter formatter;
    formatter.setDateFormat("yyyy-MM-dd HH:mm");
    formatter.setTimeZone(String("UTC"));
    setNow(at(2024, 6, 13, 12));
    EXPECT_EQ(timeAgoWithLimit(at(2024, 6, 13, 11), 3600, formatter).toUtf8(), "An hour ago");
    EXPECT_EQ(timeAgoWithLimit(at(2024, 6, 13, 10, 59, 59), 3600, formatter).toUtf8(),
              "2024-06-13 10:59");
}

TEST_F(TimeAgoTest, RussianPluralMarkers) {
    useLanguages({"ru"});
    const std::pair<double, const char*> markers[] = {
        {0, ""},
        {1, "__"},
        {2, "_"},
        {4, "_"},
        {5, ""},
        {11, ""},
        {14, ""},
        {20, ""},
        {21, "__"},
        {22, "_"},
        {25, ""},
        {101, "__"},
        {111, ""},
        {112, ""},
        {21.9, "__"},
        {-1, ""},
        {std::numeric_limits<double>::infinity(), ""}};
    for (const auto& [value, marker] : markers) {
        EXPECT_EQ(getLocaleFormatUnderscoresWithValue(value).toUtf8(), marker) << value;
    }
    useLanguages({"en", "ru"});
    EXPECT_EQ(getLocaleFormatUnderscoresWithValue(1).toUtf8(), "");
}

TEST_F(TimeAgoTest, RussianPhrasesAgreeWithTheirNumber) {
    const std::pair<long, const char*> minutes[] = {
        {1, "1 минуту назад"},    {2, "2 минуты назад"},   {5, "5 минут назад"},
        {11, "11 минут назад"},   {21, "21 минуту назад"}, {22, "22 минуты назад"},
        {111, "111 минут назад"}, {112, "112 минут назад"}};
    // The region and the place of Russian among the languages change nothing.
    for (const auto& languages : {std::vector<String>{"ru"}, {"ru-RU"}, {"fr", "ru"}}) {
        useLanguages(languages);
        for (const auto& [count, phrase] : minutes) {
            EXPECT_EQ(stringFromFormat("%%d %@minutes ago", count).toUtf8(), phrase)
                << languages.front().toUtf8() << " " << count;
        }
    }
    EXPECT_EQ(timeAgo(secondsAgo(21 * 1440 * kMinute)).toUtf8(), "3 недели назад");
    EXPECT_EQ(timeAgoSimple(secondsAgo(21 * 525600 * kMinute)).toUtf8(), "21 г");
    EXPECT_EQ(timeAgoSimple(secondsAgo(5 * 525600 * kMinute)).toUtf8(), "5 л");
}

TEST_F(TimeAgoTest, OtherLanguagesUseTheirTableOrTheEnglishKeys) {
    useLanguages({"he-IL"});
    EXPECT_EQ(timeAgo(secondsAgo(3 * kMinute)).toUtf8(), "לפני 3 דקות");
    useLanguages({"de"});
    EXPECT_EQ(stringFromFormat("%%d%@mo", 7).toUtf8(), "7mo");

    useLanguages({"ru"});
    const time_ago::PhraseTable missing(nullptr);
    EXPECT_EQ(missing.phrase("Yesterday").toUtf8(), "Yesterday");
    EXPECT_EQ(missing.fill("%%d %@minutes ago", 3).toUtf8(), "3 minutes ago");
}

TEST(NSDateTimeAgoBundle, EveryTableTranslatesEveryKeyWithOneNumber) {
    std::vector<std::string> keys{"Just now",       "A minute ago", "An hour ago", "Yesterday",
                                  "Last week",      "Last month",   "Last year",   "1 day ago",
                                  "1 week ago",     "1 month ago",  "1 year ago",  "This morning",
                                  "This afternoon", "Today",        "This week",   "This month",
                                  "This year"};
    const auto counted = [&](const std::string& marker) {
        for (const std::string unit :
             {"seconds", "minutes", "hours", "days", "weeks", "months", "years"}) {
            keys.push_back("%d " + marker + unit + " ago");
        }
        for (const std::string unit : {"s", "m", "h", "d", "w", "mo", "yr"}) {
            keys.push_back("%d" + marker + unit);
        }
    };
    counted("");
    for (const char* language : {"en", "he", "ru"}) {
        if (std::string(language) == "ru") counted("_"), counted("__");
        const auto table = StringsTable::parseFile(OVClient::frameworkBundle()->resourcePath() +
                                                   "/NSDateTimeAgo.bundle/" + language +
                                                   ".lproj/NSDateTimeAgo.strings");
        ASSERT_TRUE(table) << language;
        for (const std::string& key : keys) {
            const String* text = table.value().objectForKey(key).ifString();
            ASSERT_TRUE(text) << language << ": " << key;
            EXPECT_EQ(text->containsString("%d"), key.find("%d") == 0) << language << ": " << key;
            EXPECT_TRUE(language != std::string("en") || *text == String(key)) << key;
        }
    }
}

}  // namespace
}  // namespace ov
