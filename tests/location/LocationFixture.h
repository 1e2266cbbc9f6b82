#pragma once
// A manual clock at 1000 s, a fresh simulated device and no shared manager, for each test.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "support/ManualClockScope.h"
#include "support/SimulatedLocationScope.h"

namespace ov::test {

inline constexpr LocationCoordinate2D kTelAviv{32.0853, 34.7818};

class LocationFixture : public ::testing::Test {
  protected:
    LocationFixture() { CLLocationManager_CLLocationManager::resetSharedManager(); }
    ~LocationFixture() override {
        CLLocationManager_CLLocationManager::resetSharedManager();
        RunLoop::main().runPending();
        ui::Application::sharedApplication().clearShownAlerts();
        Bundle::setMainBundlePath("");
    }

    void placeDevice(AuthorizationStatus status = AuthorizationStatus::AuthorizedWhenInUse) {
        device.setPosition(kTelAviv);
        device.setAuthorizationStatus(status);
    }

    ManualClockScope time{1000.0};
    SimulatedLocationScope scope;
    SimulatedLocationProvider& device = scope.device();
};

// A point due east of (0, 0) whose distance from it is exactly `metres`: the longitude is
// moved one unit in the last place at a time from the estimate on the ellipsoid's equator.
inline Location eastOfOrigin(double metres) {
    const Location origin(0, 0);
    double longitude = metres / 6378137.0 * 180.0 / std::numbers::pi;
    for (int step = 0; step < 1000; ++step) {
        const double distance = origin.distanceFromLocation(Location(0, longitude));
        if (distance == metres) break;
        longitude = std::nextafter(longitude, distance < metres ? 1.0 : -1.0);
    }
    return Location(0, longitude);
}

}  // namespace ov::test
