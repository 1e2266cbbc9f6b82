#include <gtest/gtest.h>

#include "LocationFixture.h"
#include "orvane/location/GoogleAPI.h"
#include "orvane/location/OVNavigationApps.h"
#include "orvane/platform/ui/application/AlertView.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/URLOpenerRecorder.h"

namespace ov {
namespace {

constexpr const char* kSite = "https://maps.test";

class OVNavigationAppsTest : public test::LocationFixture {
  protected:
    OVNavigationAppsTest() { GoogleAPI::setSiteBase(kSite); }
    ~OVNavigationAppsTest() override { GoogleAPI::setSiteBase(m_site); }

    // The device stands at (0, 0), allowed to tell where it is.
    void standAtOrigin() {
        device.setPosition(LocationCoordinate2D{0, 0});
        device.setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse);
    }

    std::vector<std::string> opened() const { return recorder.opened(); }

    test::URLOpenerRecorder recorder{{}};
    SystemLogCapture log;

  private:
    String m_site = GoogleAPI::siteBase();
};

TEST_F(OVNavigationAppsTest, WalkingDirectionsUpToTwoHundredMetres) {
    standAtOrigin();
    for (const double metres : {150.0, 200.0, 250.0}) {
        OVNavigationApps::navigate(test::eastOfOrigin(metres), kNavigationAppGoogleMaps);
    }
    const auto addresses = opened();
    ASSERT_EQ(addresses.size(), 3u);
    EXPECT_EQ(addresses[0],
              "https://maps.test/maps?hl=iw&saddr=0.000000,0.000000&daddr=0.000000,0.001347"
              "&dirflg=w");
    EXPECT_TRUE(addresses[1].ends_with("&dirflg=w")) << addresses[1];
    EXPECT_TRUE(addresses[2].ends_with("&daddr=0.000000,0.002246")) << addresses[2];
}

TEST_F(OVNavigationAppsTest, PlacemarkAndPositionGiveTheSameAddress) {
    placeDevice();
    const LocationCoordinate2D destination{-33.8688, -151.2093};
    OVNavigationApps::navigate(MKPlacemark(destination, Dictionary{{"City", "Sydney"}}),
                               kNavigationAppGoogleMaps);
    OVNavigationApps::navigate(Location(destination.latitude, destination.longitude),
                               kNavigationAppGoogleMaps);
    const auto addresses = opened();
    ASSERT_EQ(addresses.size(), 2u);
    EXPECT_EQ(addresses[0], addresses[1]);
    EXPECT_EQ(addresses[0],
              "https://maps.test/maps?hl=iw&saddr=32.085300,34.781800&daddr=-33.868800,"
              "-151.209300");
}

TEST_F(OVNavigationAppsTest, WithoutAKnownPositionTheStartIsLeftOut) {
    OVNavigationApps::navigateGoogle(Location(1.5, -2));
    EXPECT_EQ(opened(),
              std::vector<std::string>{"https://maps.test/maps?hl=iw&daddr=1.500000,-2.000000"});
}

TEST_F(OVNavigationAppsTest, AnyOtherChoiceOpensTheMapsApp) {
    OVNavigationApps::navigate(Location(-33.8688, -151.2093), 7);
    OVNavigationApps::navigate(MKPlacemark(test::kTelAviv, std::nullopt));
    EXPECT_EQ(opened(),
              (std::vector<std::string>{"geo:-33.868800,-151.209300", "geo:32.085300,34.781800"}));
}

TEST_F(OVNavigationAppsTest, UnsupportedDestinationsAreRefused) {
    OVNavigationApps::navigate(Value("Dizengoff 50"), kNavigationAppGoogleMaps);
    OVNavigationApps::navigateApple(Value(42));
    OVNavigationApps::navigateGoogle(Value());
    EXPECT_TRUE(opened().empty());
    EXPECT_EQ(log.entries(),
              (std::vector<std::string>{
                  "location Dizengoff 50 (kind of class NSString) is not supported yet by this "
                  "Orvane.framework",
                  "location 42 (kind of class NSNumber) is not supported yet by this "
                  "Orvane.framework",
                  "location (null) (kind of class (null)) is not supported yet by this "
                  "Orvane.framework"}));
    EXPECT_EQ(OVNavigationApps::translateToCllocation(Value("x")), std::nullopt);
}

TEST_F(OVNavigationAppsTest, WazeNavigatesWhenInstalled) {
    test::URLOpenerRecorder withWaze({"waze"});
    OVNavigationApps::navigate(Location(-1.5, 2.25), kNavigationAppWaze);
    EXPECT_EQ(withWaze.asked(), std::vector<std::string>{"waze://"});
    EXPECT_EQ(withWaze.opened(),
              std::vector<std::string>{"waze://?ll=-1.500000,2.250000&navigate=yes"});
    EXPECT_EQ(log.entries(), std::vector<std::string>{"<Orvane> Wazing to... -1.500000 2.250000,"});
    EXPECT_TRUE(ui::Application::sharedApplication().shownAlerts().empty());
}

TEST_F(OVNavigationAppsTest, MissingWazeShowsTheAlertOnly) {
    OVNavigationApps::navigate(Location(1, 2), kNavigationAppWaze);
    EXPECT_TRUE(opened().empty());
    EXPECT_TRUE(log.entries().empty());
    const auto alerts = ui::Application::sharedApplication().shownAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->title(), String("Waze"));
    EXPECT_EQ(alerts[0]->message(), String("is not installed on this device"));
    EXPECT_EQ(alerts[0]->numberOfButtons(), 1);
    EXPECT_EQ(alerts[0]->buttonTitleAtIndex(alerts[0]->cancelButtonIndex()), String("x"));
    EXPECT_NE(alerts[0]->delegate(), nullptr);
}

}  // namespace
}  // namespace ov
