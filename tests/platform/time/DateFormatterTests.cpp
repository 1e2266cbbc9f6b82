#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "orvane/platform/time/DateFormatter.h"

namespace ov {
namespace {

// 2016-05-01 10:00:00.123 UTC, summer time in Jerusalem.
const Date kMay = Date::dateWithTimeIntervalSince1970(1462096800.123);

std::string format(const Date& date, const char* pattern, const char* zone,
                   const char* locale = "en_US_POSIX") {
    DateFormatter formatter;
    formatter.setDateFormat(pattern);
    formatter.setTimeZone(String(zone));
    formatter.setLocale(String(locale));
    return formatter.stringFromDate(date).toUtf8();
}

TEST(DateFormatter, FormatsInTheGivenZoneAndLocale) {
    const char* stamp = "yyyy-MM-dd HH:mm:ss.SSS";
    EXPECT_EQ(format(kMay, stamp, "UTC"), "2016-05-01 10:00:00.123");
    EXPECT_EQ(format(kMay, stamp, "Asia/Jerusalem"), "2016-05-01 13:00:00.123");
    EXPECT_EQ(format(Date::dateWithTimeIntervalSince1970(1451642400.0), stamp, "Asia/Jerusalem"),
              "2016-01-01 12:00:00.000");
    EXPECT_EQ(format(Date::dateWithTimeIntervalSince1970(-0.5), stamp, "UTC"),
              "1969-12-31 23:59:59.500");
    EXPECT_EQ(format(kMay, "h:mm a 'on' EEEE d MMMM zzz", "America/New_York"),
              "6:00 AM on Sunday 1 May EDT");
    EXPECT_EQ(format(kMay, "EEEE d MMMM", "UTC", "he_IL"), "יום ראשון 1 מאי");
    EXPECT_EQ(format(kMay, "y", "UTC", "th_TH"), "2559");  // Buddhist era
    EXPECT_EQ(format(kMay, "y", "UTC", "ar_EG"), "٢٠١٦");
}

// Reference-date seconds are often a hair below the millisecond in binary (x.002 is
// x.00199999...); each must still print as given, and a longer fraction is cut, not rounded.
TEST(DateFormatter, MillisecondsPrintAsGiven) {
    DateFormatter formatter;
    formatter.setDateFormat("SSS");
    formatter.setTimeZone(String("UTC"));
    for (int millisecond = 0; millisecond < 1000; ++millisecond) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "%03d", millisecond);
        const Date date =
            Date::dateWithTimeIntervalSinceReferenceDate(483789600.0 + millisecond / 1000.0);
        EXPECT_EQ(formatter.stringFromDate(date).toUtf8(), expected);
    }
    EXPECT_EQ(formatter.stringFromDate(kMay.dateByAddingTimeInterval(0.0006)).toUtf8(), "123");
}

TEST(DateFormatter, SettingsAndTZChangesShowInTheNextString) {
    setenv("TZ", "Asia/Jerusalem", 1);
    DateFormatter formatter;
    formatter.setDateFormat("HH");
    EXPECT_EQ(formatter.stringFromDate(kMay).toUtf8(), "13");
    setenv("TZ", "UTC", 1);
    EXPECT_EQ(formatter.stringFromDate(kMay).toUtf8(), "10");
    formatter.setTimeZone(String("No/Such_Zone"));  // the current zone
    EXPECT_EQ(formatter.stringFromDate(kMay).toUtf8(), "10");
    formatter.setTimeZone(String("Asia/Tokyo"));
    setenv("TZ", "Asia/Jerusalem", 1);  // ignored once a zone is set
    EXPECT_EQ(formatter.stringFromDate(kMay).toUtf8(), "19");
    formatter.setDateFormat("MMM");
    formatter.setLocale(String("ru_RU"));
    EXPECT_EQ(formatter.stringFromDate(kMay).toUtf8(), "мая");
    unsetenv("TZ");
}

TEST(DateFormatter, NothingToFormatGivesEmptyText) {
    DateFormatter formatter;
    EXPECT_EQ(formatter.stringFromDate(kMay).toUtf8(), "");  // no pattern yet
    formatter.setDateFormat("yyyy");
    EXPECT_EQ(formatter.stringFromDate(Date::dateWithTimeIntervalSince1970(NAN)).toUtf8(), "");
    EXPECT_EQ(formatter.stringFromDate(Date::dateWithTimeIntervalSince1970(-INFINITY)).toUtf8(),
              "");
    EXPECT_FALSE(formatter.stringFromDate(Date::dateWithTimeIntervalSince1970(1e300)).isEmpty());
}

}  // namespace
}  // namespace ov
