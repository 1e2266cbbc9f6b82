#include <array>

#include "orvane/core/OVClient.h"
#include "orvane/extensions/NSDate+OVDate.h"
#include "orvane/extensions/NSDate+Utilities.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/location/EDSunriseSet.h"
#include "orvane/platform/time/Calendar.h"
#include "orvane/platform/time/TimeZone.h"

namespace ov::NSDate_OVDate {

namespace {

namespace Here = CLLocationManager_CLLocationManager;

constexpr long kNoonHour = 11;

EDSunriseSet sunHere(const Date& date) {
    return EDSunriseSet::initWithDate(date, TimeZone::defaultTimeZone(),
                                      static_cast<double>(Here::currentLatitude()),
                                      static_cast<double>(Here::currentLongitude()));
}

long secondsFromGMT(const Date& date) {
    return TimeZone::defaultTimeZone().secondsFromGMTForDate(date);
}

std::shared_ptr<Bundle> greetingsBundle() {
    const auto framework = OVClient::frameworkBundle();
    if (!framework) return nullptr;
    return Bundle::bundleWithPath(framework->resourcePath() + String("/OVDate.bundle"));
}

}  // namespace

Date localAstronomicalTwilightStart(const Date& date) {
    return sunHere(date).astronomicalTwilightStart();
}

Date localAstronomicalTwilightEnd(const Date& date) {
    return sunHere(date).astronomicalTwilightEnd();
}

Date localAstronomicalTwilightStart() {
    return localAstronomicalTwilightStart(Date::now());
}

Date localAstronomicalTwilightEnd() {
    return localAstronomicalTwilightEnd(Date::now());
}

Date dateWithHour(const Date& date, long hour, long minute, long second) {
    const Calendar calendar = Calendar::currentCalendar();
    DateComponents components =
        calendar.components(CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay, date);
    if (!components.year) return date;
    components.hour = hour;
    components.minute = minute;
    components.second = second;
    return calendar.dateFromComponents(components).value_or(date);
}

Date toLocalTime(const Date& date) {
    return date.dateByAddingTimeInterval(static_cast<double>(secondsFromGMT(date)));
}

Date toGlobalTime(const Date& date) {
    return date.dateByAddingTimeInterval(-static_cast<double>(secondsFromGMT(date)));
}

long localAstronomicalDayPart(const Date& /*date*/) {
    const Date shiftedNow = toLocalTime(Date::now());
    const long dawnHour = NSDate_Utilities::hour(localAstronomicalTwilightStart(shiftedNow));
    const long duskHour = NSDate_Utilities::hour(localAstronomicalTwilightEnd(shiftedNow));
    const long hour = NSDate_Utilities::nearestHour(shiftedNow);
    long part = 0;
    if (hour >= dawnHour) part = kDayPartMorning;
    if (hour >= kNoonHour) part = kDayPartNoon;
    if (hour >= duskHour || hour < dawnHour) part = kDayPartEvening;
    return part;
}

std::optional<String> loclizedLocalAstronomicalDayPart(const Date& /*date*/) {
    static constexpr std::array<const char*, 3> kKeys{"good.morning", "good.noon", "good.evening"};
    const auto bundle = greetingsBundle();
    if (!bundle) return std::nullopt;
    const long part = localAstronomicalDayPart(toLocalTime(Date::now()));
    if (part < kDayPartMorning || part > kDayPartEvening) return String();
    return bundle->localizedStringForKey(String(kKeys[static_cast<size_t>(part - 1)]), String(),
                                         String("OVDate"));
}

}  // namespace ov::NSDate_OVDate
