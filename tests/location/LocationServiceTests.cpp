#include "location/LocationFixture.h"
#include "orvane/location/LocationService.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

using test::eastOfOrigin;
using test::kTelAviv;

class LocationServiceTest : public test::LocationFixture {
  protected:
    static std::vector<std::shared_ptr<ui::AlertView>> shownAlerts() {
        return ui::Application::sharedApplication().shownAlerts();
    }
};

TEST_F(LocationServiceTest, OffServicesAlertNamesTheApplication) {
    test::TestBundle app(Dictionary{{"CFBundleDisplayName", "Weather"}});
    Bundle::setMainBundlePath(app.path());
    device.setLocationServicesEnabled(false);
    device.setAuthorizationStatus(AuthorizationStatus::AuthorizedAlways);

    EXPECT_FALSE(LocationService::locationServicesEnabled_alert(false));
    EXPECT_TRUE(shownAlerts().empty());
    EXPECT_FALSE(LocationService::locationServicesEnabled_alert(true));
    ASSERT_EQ(shownAlerts().size(), 1u);
    const auto& alert = *shownAlerts().front();
    EXPECT_EQ(alert.title(), String("Location Service is Off"));
    EXPECT_EQ(alert.message(), String("to enable Location Service, Navigate to Settings -> "
                                      "Privacy -> Location Service -> Weather  ->ON"));
    EXPECT_EQ(alert.numberOfButtons(), 1);
    EXPECT_EQ(alert.cancelButtonIndex(), 0);
    EXPECT_EQ(alert.buttonTitleAtIndex(0), String("x"));
    EXPECT_EQ(alert.tag(), 0);
    EXPECT_EQ(alert.delegate(), LocationService::classDelegate());
}

TEST_F(LocationServiceTest, AlertWithoutADisplayNameSaysNull) {
    test::TestBundle app;
    Bundle::setMainBundlePath(app.path());
    LocationService::show_activeAlert();
    ASSERT_EQ(shownAlerts().size(), 1u);
    EXPECT_EQ(shownAlerts().front()->message(),
              String("to enable Location Service, Navigate to Settings -> Privacy -> Location "
                     "Service -> (null)  ->ON"));
}

TEST_F(LocationServiceTest, RestrictedCountsAsEnabled) {
    device.setAuthorizationStatus(AuthorizationStatus::Restricted);
    EXPECT_TRUE(LocationService::locationServicesEnabled_alert(true));
    device.setAuthorizationStatus(AuthorizationStatus::Denied);
    EXPECT_FALSE(LocationService::locationServicesEnabled_alert(false));
    EXPECT_TRUE(shownAlerts().empty());
}

TEST_F(LocationServiceTest, CurrentPositionIsReadAtFloatPrecision) {
    EXPECT_EQ(LocationService::currentLocation2D(), (LocationCoordinate2D{0, 0}));
    EXPECT_FALSE(LocationService::compareUserLocation_withlocation(eastOfOrigin(20.0)));
    EXPECT_TRUE(LocationService::compareUserLocation_withlocation(eastOfOrigin(19.999)));

    placeDevice();
    EXPECT_EQ(LocationService::currentLocation2D(), kTelAviv);
    EXPECT_EQ(LocationService::currentLocation2D_Lon(), 34.7818f);
    // The float position lies a little off the real one; the category's own distance does not.
    const double narrowed = LocationService::distanceBetCurrentLocAnd(kTelAviv);
    EXPECT_GT(narrowed, 0.0);
    EXPECT_LT(narrowed, 1.0);
    EXPECT_EQ(CLLocationManager_CLLocationManager::distanceTo(kTelAviv), 0.0);

    SystemLogCapture log;
    LocationService::logCurrentCoordinates();
    EXPECT_EQ(log.entries(), (std::vector<std::string>{"LocationService: Cur_Lat 32.085300",
                                                       "LocationService: Cur_Lon 34.781799"}));
}

TEST_F(LocationServiceTest, ComparisonsMatchTheCategory) {
    const Location origin(0, 0);
    EXPECT_TRUE(LocationService::compareLocation(origin, eastOfOrigin(20.0), 0));
    EXPECT_FALSE(LocationService::compareLocation(origin, eastOfOrigin(20.001)));
    EXPECT_FALSE(LocationService::compareLocation(origin, origin, -5));
    EXPECT_NEAR(LocationService::distanceBetween({0, 0}, {0, 1}), 111319.491, 1e-3);
}

}  // namespace
}  // namespace ov
