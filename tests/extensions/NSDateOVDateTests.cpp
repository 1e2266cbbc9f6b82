// NSDate(OVDate): the part of the day from the twilight at the device's position, the greeting
// texts, and local/universal shifts.
#include <gtest/gtest.h>

#include "orvane/extensions/NSDate+OVDate.h"
#include "orvane/extensions/NSDate+Utilities.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/location/SimulatedLocationProvider.h"
#include "orvane/platform/time/Calendar.h"
#include "support/LocalMoment.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using namespace NSDate_OVDate;
namespace Here = CLLocationManager_CLLocationManager;

// A fixed zone, clock, language and simulated position, all put back afterwards.
class OVDateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useZone("UTC");
        Bundle::setPreferredLanguages(std::vector<String>{"en"});
        m_device->setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse);
        LocationProvider::setShared(m_device);
        Here::sharedManager();
        placeAt(0, 0);
    }
    void TearDown() override {
        Here::resetSharedManager();
        LocationProvider::setShared(nullptr);
        Bundle::setPreferredLanguages(std::nullopt);
        TimeZone::setDefaultTimeZone(std::nullopt);
    }

    static void useZone(const char* name) {
        TimeZone::setDefaultTimeZone(TimeZone::timeZoneWithName(String(name)));
    }
    void placeAt(double latitude, double longitude) {
        m_device->setPosition(CLLocationCoordinate2DMake(latitude, longitude));
    }
    static Date at(long year, long month, long day, long hour = 0, long minute = 0,
                   long second = 0) {
        return test::localMoment(year, month, day, hour, minute, second);
    }
    void setNow(const Date& now) { m_time.clock().setNow(now.timeIntervalSinceReferenceDate()); }
    long partAt(long hour, long minute = 0) {
        setNow(at(2024, 3, 20, hour, minute));
        return localAstronomicalDayPart(Date());
    }

    test::ManualClockScope m_time{740000000.0};
    std::shared_ptr<SimulatedLocationProvider> m_device =
        std::make_shared<SimulatedLocationProvider>();
};

TEST_F(OVDateTest, TwilightIsTheDayOfTheDateAtThePosition) {
    // At the origin on the equinox astronomical twilight runs from about 04:56 to 19:20 UTC.
    const Date equinox = at(2024, 3, 20, 15);
    EXPECT_EQ(NSDate_Utilities::hour(localAstronomicalTwilightStart(equinox)), 4);
    EXPECT_EQ(NSDate_Utilities::hour(localAstronomicalTwilightEnd(equinox)), 19);
    setNow(equinox);
    EXPECT_EQ(localAstronomicalTwilightStart(), localAstronomicalTwilightStart(equinox));
    EXPECT_EQ(localAstronomicalTwilightEnd(), localAstronomicalTwilightEnd(equinox));

    // A quarter of the world east, everything comes six hours earlier.
    placeAt(0, 90);
    EXPECT_NEAR(
        localAstronomicalTwilightEnd(equinox).timeIntervalSinceDate(at(2024, 3, 20, 19, 20)),
        -6 * 3600, 300);
}

TEST_F(OVDateTest, PartOfTheDayFollowsTheTwilightHours) {
    // Dawn twilight in hour 4, dusk twilight in hour 19; the hour is the clock's plus half an
    // hour.
    EXPECT_EQ(partAt(3), kDayPartEvening);
    EXPECT_EQ(partAt(3, 31), kDayPartMorning);
    EXPECT_EQ(partAt(6), kDayPartMorning);
    EXPECT_EQ(partAt(10, 29), kDayPartMorning);
    EXPECT_EQ(partAt(10, 31), kDayPartNoon);
    EXPECT_EQ(partAt(11), kDayPartNoon);
    EXPECT_EQ(partAt(18, 20), kDayPartNoon);
    EXPECT_EQ(partAt(18, 40), kDayPartEvening);
    EXPECT_EQ(partAt(21), kDayPartEvening);
    EXPECT_EQ(partAt(23, 45), kDayPartEvening);
}

TEST_F(OVDateTest, PartOfTheDayDependsOnThePosition) {
    EXPECT_EQ(partAt(12), kDayPartNoon);
    // At longitude 90 east twilight is over by 13:xx UTC while dawn twilight began the evening
    // before (hour 22), so noon there counts as evening.
    placeAt(0, 90);
    EXPECT_EQ(partAt(12), kDayPartEvening);
    // Without a fix the position is (0, 0).
    m_device->setPosition(std::nullopt);
    EXPECT_EQ(partAt(12), kDayPartNoon);
}

TEST_F(OVDateTest, GreetingsInEachShippedLanguage) {
    setNow(at(2024, 3, 20, 8));
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("Good morning"));
    setNow(at(2024, 3, 20, 13));
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("Good afternoon"));
    setNow(at(2024, 3, 20, 22));
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("Good evening"));
    Bundle::setPreferredLanguages(std::vector<String>{"he"});
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("ערב טוב"));
    Bundle::setPreferredLanguages(std::vector<String>{"ru-RU"});
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("Добрый вечер"));
    setNow(at(2024, 3, 20, 8));
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("Доброе утро"));
    Bundle::setPreferredLanguages(std::vector<String>{"he-IL"});
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("בוקר טוב"));
    // A language without a table falls back to English.
    Bundle::setPreferredLanguages(std::vector<String>{"fr"});
    EXPECT_EQ(loclizedLocalAstronomicalDayPart(Date()), String("Good morning"));
}

TEST_F(OVDateTest, LocalAndGlobalTimeShiftByTheZoneOffsetAtTheDate) {
    useZone("Asia/Jerusalem");
    const Date winter = Date::dateWithTimeIntervalSince1970(1704067200);  // 2024-01-01 UTC
    const Date summer = Date::dateWithTimeIntervalSince1970(1719792000);  // 2024-07-01 UTC
    EXPECT_EQ(toLocalTime(winter).timeIntervalSinceDate(winter), 2 * 3600);
    EXPECT_EQ(toLocalTime(summer).timeIntervalSinceDate(summer), 3 * 3600);
    EXPECT_EQ(toGlobalTime(summer).timeIntervalSinceDate(summer), -3 * 3600);
    EXPECT_EQ(toGlobalTime(toLocalTime(winter)), winter);
}

TEST_F(OVDateTest, DateWithHourKeepsTheCalendarDay) {
    useZone("Asia/Tokyo");
    const Date evening = at(2024, 6, 12, 22, 15);
    EXPECT_EQ(dateWithHour(evening, 7, 30, 5), at(2024, 6, 12, 7, 30).dateByAddingTimeInterval(5));
    EXPECT_EQ(dateWithHour(evening, 0, 0, 0), NSDate_Utilities::dateAtStartOfDay(evening));
}

}  // namespace
}  // namespace ov
