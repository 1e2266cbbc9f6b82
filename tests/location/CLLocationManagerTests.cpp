#include "location/LocationFixture.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/URLOpenerRecorder.h"

namespace ov {
namespace {

namespace Here = CLLocationManager_CLLocationManager;
using test::eastOfOrigin;
using test::kTelAviv;

using CLLocationManagerTest = test::LocationFixture;

TEST_F(CLLocationManagerTest, SamePlaceIsWithinTwentyMetresInclusive) {
    const Location origin(0, 0);
    const Location twenty = eastOfOrigin(20.0);
    ASSERT_EQ(origin.distanceFromLocation(twenty), 20.0);
    const Location beyond = eastOfOrigin(20.001);

    EXPECT_TRUE(Here::compareLocation(origin, twenty));
    EXPECT_TRUE(Here::compareLocation(origin, twenty, 0));
    EXPECT_TRUE(Here::compareLocation(origin, twenty, 20));
    EXPECT_FALSE(Here::compareLocation(origin, twenty, 19));
    EXPECT_FALSE(Here::compareLocation(origin, beyond, 0));
    EXPECT_TRUE(Here::compareLocation(origin, beyond, 21));
    // A negative tolerance is kept, so not even the same point matches.
    EXPECT_FALSE(Here::compareLocation(origin, origin, -1));
    EXPECT_FALSE(Here::compareLocation(Location(91, 0), Location(91, 0)));

    // With no position the user is at (0, 0), and the user comparison is strict.
    EXPECT_FALSE(Here::compareUserLocation_withlocation(twenty));
    EXPECT_TRUE(Here::compareUserLocation_withlocation(eastOfOrigin(19.999)));
}

TEST_F(CLLocationManagerTest, CurrentLocation2DNeverMakesTheManager) {
    placeDevice();
    SystemLogCapture log;
    EXPECT_EQ(Here::currentLocation2D(), (LocationCoordinate2D{0, 0}));
    EXPECT_EQ(Here::currentLatitude(), 0.0f);
    Here::logCurrentCoordinates();
    EXPECT_TRUE(log.entries().empty()) << "logCurrentCoordinates made the manager";

    EXPECT_EQ(Here::currentLocation()->coordinate(), kTelAviv);
    EXPECT_EQ(Here::currentLocation2D(), kTelAviv);
    EXPECT_EQ(Here::currentLatitude(), 32.0853f);
    EXPECT_EQ(Here::currentLongitude(), 34.7818f);

    Here::resetSharedManager();
    EXPECT_EQ(Here::currentLocation2D(), (LocationCoordinate2D{0, 0}));
}

TEST_F(CLLocationManagerTest, SharedManagerIsMadeOnceWithFixedSettings) {
    const auto manager = Here::sharedManager();
    EXPECT_EQ(Here::sharedManager(), manager);
    EXPECT_EQ(manager->desiredAccuracy(), kCLLocationAccuracyBest);
    EXPECT_EQ(manager->distanceFilter(), kCLDistanceFilterNone);
    EXPECT_EQ(manager->activityType(), ActivityType::OtherNavigation);
    EXPECT_FALSE(manager->isUpdatingLocation());
    EXPECT_TRUE(device.authorizationRequests().empty());

    Here::resetSharedManager();
    const auto renewed = Here::sharedManager();
    EXPECT_NE(renewed, nullptr);
    EXPECT_NE(renewed, manager);
}

TEST_F(CLLocationManagerTest, OnlyKindOneAsksForAlways) {
    EXPECT_EQ(Here::request(1), Here::sharedManager());
    for (unsigned kind : {0u, 2u, 3u, 4u, 4294967295u})
        Here::request(kind);
    Here::request();
    using enum AuthorizationRequest;
    EXPECT_EQ(device.authorizationRequests(), (std::vector{Always, WhenInUse, WhenInUse, WhenInUse,
                                                           WhenInUse, WhenInUse, WhenInUse}));
    EXPECT_EQ(LocationManager::authorizationStatus(), AuthorizationStatus::NotDetermined)
        << "request waited for the answer";
}

TEST_F(CLLocationManagerTest, EnabledNeedsServicesAndAnyPermissionButDenied) {
    using enum AuthorizationStatus;
    const std::vector<std::pair<AuthorizationStatus, bool>> cases{{NotDetermined, false},
                                                                  {Restricted, true},
                                                                  {Denied, false},
                                                                  {AuthorizedAlways, true},
                                                                  {AuthorizedWhenInUse, true}};
    for (const auto& [status, enabled] : cases) {
        device.setAuthorizationStatus(status);
        device.setLocationServicesEnabled(true);
        EXPECT_EQ(Here::isEnable(), enabled) << static_cast<int>(status);
        device.setLocationServicesEnabled(false);
        EXPECT_FALSE(Here::isEnable()) << static_cast<int>(status);
    }
}

TEST_F(CLLocationManagerTest, LogsTheSharedManagersPosition) {
    const auto other = LocationManager::create();
    SystemLogCapture log;
    EXPECT_EQ(Here::currentLocation(*other), std::nullopt);
    EXPECT_TRUE(log.entries().empty());

    Here::sharedManager();
    EXPECT_EQ(Here::currentLocation(*other), std::nullopt);
    placeDevice();
    EXPECT_EQ(Here::currentLocation(*other)->coordinate(), kTelAviv);
    Here::logCurrentCoordinates();
    EXPECT_EQ(log.entries(),
              (std::vector<std::string>{"coordinate 0.000000", "coordinate 32.085300",
                                        "CLLocationManager: Cur_Lat 32.085300",
                                        "CLLocationManager: Cur_Lon 34.781800"}));
}

TEST_F(CLLocationManagerTest, InstanceOperationsActOnTheSharedManager) {
    const auto other = LocationManager::create();
    Here::start(*other);
    EXPECT_FALSE(other->isUpdatingLocation());

    Here::startMonitoringLocation(*other);
    const auto shared = Here::sharedManager();
    EXPECT_TRUE(shared->isMonitoringSignificantLocationChanges());
    EXPECT_FALSE(other->isMonitoringSignificantLocationChanges());
    EXPECT_EQ(device.authorizationRequests(), std::vector{AuthorizationRequest::Always});

    Here::start(*other);
    EXPECT_TRUE(shared->isUpdatingLocation());
    EXPECT_FALSE(other->isUpdatingLocation());
}

TEST_F(CLLocationManagerTest, DistancesStartFromTheCurrentPositionOrTheOrigin) {
    EXPECT_NEAR(Here::distanceTo({0, 1}), 111319.491, 1e-3);
    placeDevice();
    EXPECT_EQ(Here::distanceTo(kTelAviv), 0.0);
    EXPECT_NEAR(Here::distanceBetween({40.6, -73.8}, {51.6, -0.5}), 5551759.400, 1e-3);
}

TEST_F(CLLocationManagerTest, SettingsPageOpensThroughTheApplication) {
    test::URLOpenerRecorder opener;
    Here::openLocationSettings();
    EXPECT_EQ(opener.opened(), std::vector<std::string>{"app-settings:"});
}

}  // namespace
}  // namespace ov
