#include <algorithm>

#include "location/LocationFixture.h"
#include "orvane/location/Locator.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

using test::kTelAviv;

class LocatorTest : public test::LocationFixture {
  protected:
    // The wait's slices, after checking that the wait logged nothing else.
    static long slices(const SystemLogCapture& log) {
        const auto entries = log.entries();
        EXPECT_TRUE(std::all_of(entries.begin(), entries.end(),
                                [](const auto& entry) { return entry == "----------------LOOP"; }));
        return static_cast<long>(entries.size());
    }
    const LocationCoordinate2D untouched{7, 7};
};

TEST_F(LocatorTest, WaitsSliceBySliceForTheFirstFix) {
    device.setPosition(kTelAviv);
    // The user allows location a second after the locator started.
    const auto answer = Timer::scheduledTimer(1.0, false, [this](Timer&) {
        device.setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse);
    });
    const auto locator = Locator::init();
    EXPECT_TRUE(locator->locationManager()->isUpdatingLocation());
    EXPECT_FALSE(locator->isLocated());

    SystemLogCapture log;
    LocationCoordinate2D coordinate = untouched;
    EXPECT_TRUE(locator->getCoordinates(coordinate));
    EXPECT_EQ(coordinate, kTelAviv);
    EXPECT_TRUE(locator->isLocated());
    EXPECT_GE(slices(log), 4);
    EXPECT_LE(slices(log), 6);
    EXPECT_LT(time.now(), 1002.0);
}

TEST_F(LocatorTest, FailureEndsTheWaitWithoutAPosition) {
    placeDevice();
    device.setFailure(Error(kCLErrorDomain, kCLErrorLocationUnknown));
    const auto locator = Locator::init();
    SystemLogCapture log;
    LocationCoordinate2D coordinate = untouched;
    EXPECT_FALSE(locator->getCoordinates(coordinate));
    EXPECT_EQ(coordinate, untouched);
    EXPECT_TRUE(locator->isLocated());
    EXPECT_FALSE(locator->location());
}

TEST_F(LocatorTest, ServicesOffReturnAtOnceWithoutLogging) {
    placeDevice();
    device.setLocationServicesEnabled(false);
    const auto locator = Locator::init();
    SystemLogCapture log;
    LocationCoordinate2D coordinate = untouched;
    EXPECT_FALSE(locator->getCoordinates(coordinate));
    EXPECT_EQ(coordinate, untouched);
    EXPECT_TRUE(log.entries().empty());
    EXPECT_EQ(time.now(), 1000.0);
}

TEST_F(LocatorTest, GivesUpAfterTheTimeOut) {
    device.setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse);
    const auto locator = Locator::init();
    SystemLogCapture log;
    LocationCoordinate2D coordinate = untouched;
    EXPECT_FALSE(locator->getCoordinates(coordinate));
    EXPECT_EQ(time.now(), 1000.0 + Locator::kDefaultTimeOut);
    EXPECT_EQ(slices(log), 120);
    EXPECT_EQ(coordinate, untouched);

    log.clear();
    locator->setTimeOut(1.0);
    EXPECT_FALSE(locator->getCoordinates(coordinate));
    EXPECT_EQ(slices(log), 4);
    EXPECT_FALSE(locator->isLocated());
}

TEST_F(LocatorTest, LaterCallsAnswerTheNewestFixWithoutWaiting) {
    device.setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse);
    device.setTrack({{kTelAviv, 0.0}, {{32.1, 34.8}, 10.0}});
    const auto locator = Locator::init();
    SystemLogCapture log;
    LocationCoordinate2D coordinate;
    EXPECT_TRUE(locator->getCoordinates(coordinate));
    EXPECT_EQ(coordinate, kTelAviv);

    RunLoop::main().runFor(10.0);
    log.clear();
    EXPECT_TRUE(locator->getCoordinates(coordinate));
    EXPECT_EQ(coordinate, (LocationCoordinate2D{32.1, 34.8}));
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(LocatorTest, EndingTheLocatorEndsItsManager) {
    auto locator = Locator::init();
    const std::weak_ptr<LocationManager> manager = locator->locationManager();
    EXPECT_EQ(manager.lock()->delegate(), locator);
    EXPECT_EQ(locator->locationManagerShouldDisplayHeadingCalibration(*manager.lock()), false);
    locator.reset();
    EXPECT_TRUE(manager.expired());
}

}  // namespace
}  // namespace ov
