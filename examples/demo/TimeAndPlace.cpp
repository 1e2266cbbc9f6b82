#include "TimeAndPlace.h"

#include <cstdio>
#include <cstdlib>

#include "orvane/extensions/NSDate+OVDate.h"
#include "orvane/extensions/NSDate+TimeAgo.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/location/EDSunriseSet.h"
#include "orvane/location/Locator.h"
#include "orvane/platform/location/SimulatedLocationProvider.h"
#include "orvane/platform/time/DateFormatter.h"

namespace demo {
namespace {

// Jerusalem's old city, unless the environment says otherwise.
constexpr double kLatitude = 31.7767;
constexpr double kLongitude = 35.2345;

std::string clockTime(const ov::Date& date) {
    ov::DateFormatter formatter;
    formatter.setDateFormat("HH:mm:ss");
    return formatter.stringFromDate(date).toUtf8();
}

void showTwilight(double latitude, double longitude) {
    const ov::EDSunriseSet sun(ov::Date::now(), ov::TimeZone::defaultTimeZone(), latitude,
                               longitude);
    std::printf("== today at %.4f, %.4f (%s)\n", latitude, longitude,
                ov::TimeZone::defaultTimeZone().name().toUtf8().c_str());
    std::printf("astronomical twilight %s, sunrise %s, sunset %s, twilight ends %s\n",
                clockTime(sun.astronomicalTwilightStart()).c_str(),
                clockTime(sun.sunrise()).c_str(), clockTime(sun.sunset()).c_str(),
                clockTime(sun.astronomicalTwilightEnd()).c_str());
}

void showPhrases() {
    const ov::Date now = ov::Date::now();
    std::printf("greeting: %s\n", ov::NSDate_OVDate::loclizedLocalAstronomicalDayPart(now)
                                      .value_or(ov::String("(no greeting texts)"))
                                      .toUtf8()
                                      .c_str());
    for (double secondsAgo : {3.0, 75.0, 3 * 3600.0, 26 * 3600.0, 20 * 86400.0, 400 * 86400.0}) {
        const ov::Date then = now.dateByAddingTimeInterval(-secondsAgo);
        std::printf("%9.0f s ago: %s | %s\n", secondsAgo,
                    ov::NSDate_TimeAgo::timeAgo(then).toUtf8().c_str(),
                    ov::NSDate_TimeAgo::timeAgoSimple(then).toUtf8().c_str());
    }
    std::printf("\n");
}

}  // namespace

void placeTheDevice() {
    auto device = ov::SimulatedLocationProvider::fromEnvironment();
    if (!std::getenv("ORVANE_LOCATION")) {
        device->setPosition(ov::CLLocationCoordinate2DMake(kLatitude, kLongitude));
        device->setAuthorizationStatus(ov::AuthorizationStatus::AuthorizedWhenInUse);
    }
    ov::LocationProvider::setShared(device);
}

void showTimeAndPlace() {
    auto locator = ov::Locator::init();
    ov::LocationCoordinate2D position{};
    if (!locator || !locator->getCoordinates(position)) {
        std::printf("== no position: the location service is off or has no fix\n\n");
        return;
    }
    // The greeting reads the shared manager's position.
    ov::CLLocationManager_CLLocationManager::sharedManager()->startUpdatingLocation();
    showTwilight(position.latitude, position.longitude);
    showPhrases();
}

}  // namespace demo
