#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "orvane/platform/location/LocationManager.h"
#include "orvane/platform/threads/RunLoop.h"
#include "support/ManualClockScope.h"
#include "support/SimulatedLocationScope.h"
#include "support/TemporaryDirectory.h"
#include "support/TestImages.h"

namespace ov {
namespace {

struct RecordingDelegate final : LocationManagerDelegate {
    using LocationManagerDelegate::locationManager;
    bool locationManager(LocationManager& /*manager*/, const Location& location,
                         const std::optional<Location>& previous) override {
        fixes.push_back(location.coordinate());
        previousFixes.push_back(previous ? std::optional(previous->coordinate()) : std::nullopt);
        thread = std::this_thread::get_id();
        return true;
    }
    bool locationManager(LocationManager& /*manager*/, const Error& error) override {
        failures.push_back(error.code());
        return true;
    }
    std::vector<LocationCoordinate2D> fixes;
    std::vector<std::optional<LocationCoordinate2D>> previousFixes;
    std::vector<long long> failures;
    std::thread::id thread;
};

constexpr LocationCoordinate2D kTelAviv{32.0853, 34.7818};
// Steps of 0.0005 degrees of latitude are about 55 metres.
LocationCoordinate2D north(double steps) {
    return {32.0 + steps * 0.0005, 34.0};
}

class LocationManagerTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }

    std::shared_ptr<LocationManager> startedManager() {
        auto manager = LocationManager::create();
        manager->setDelegate(delegate);
        manager->startUpdatingLocation();
        return manager;
    }
    void authorize() { device.setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse); }
    static void turn(double seconds = 0.01) { RunLoop::main().runFor(seconds); }

    test::ManualClockScope time{1000.0};
    test::SimulatedLocationScope scope;
    SimulatedLocationProvider& device = scope.device();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(LocationManagerTest, TrackIsReplayedByTheClock) {
    device.setTrack({{north(0), 500.0}, {north(1), 510.0}, {north(2), 505.0}, {north(3), {}}});
    EXPECT_EQ(device.sample(1000.0).location->coordinate(), north(0));
    EXPECT_EQ(device.sample(1000.0).nextChange, 1010.0);
    EXPECT_EQ(device.sample(1009.9).location->coordinate(), north(0));
    EXPECT_EQ(device.sample(1010.0).location->timestamp().timeIntervalSinceReferenceDate(), 1010.0);
    // Going back in time, or having no time, follows the predecessor by one second.
    EXPECT_EQ(device.sample(1011.0).location->coordinate(), north(2));
    EXPECT_EQ(device.sample(1012.0).location->coordinate(), north(3));
    EXPECT_EQ(device.sample(1012.0).nextChange, std::nullopt);
    EXPECT_EQ(device.sample(99999.0).location->coordinate(), north(3));
    EXPECT_EQ(device.sample(0.0).location->coordinate(), north(0));

    device.setTrack({});
    EXPECT_FALSE(device.sample(1000.0).location);
}

TEST_F(LocationManagerTest, UpdatesArriveOnTheRunLoopAsTheTrackMoves) {
    authorize();
    device.setTrack({{north(0), 0.0}, {north(4), 10.0}, {north(8), 25.0}});
    const auto manager = startedManager();
    EXPECT_TRUE(delegate->fixes.empty()) << "delivered before the loop turned";
    turn();
    EXPECT_EQ(delegate->fixes, std::vector{north(0)});
    EXPECT_EQ(delegate->previousFixes[0], std::nullopt);
    turn(10.0);
    EXPECT_EQ(delegate->fixes, (std::vector{north(0), north(4)}));
    EXPECT_EQ(delegate->previousFixes[1], north(0));
    turn(100.0);
    EXPECT_EQ(delegate->fixes, (std::vector{north(0), north(4), north(8)}));
    EXPECT_EQ(manager->location()->coordinate(), north(8));

    manager->stopUpdatingLocation();
    device.setPosition(kTelAviv);
    turn();
    EXPECT_EQ(delegate->fixes.size(), 3u);
    manager->startUpdatingLocation();
    turn();
    EXPECT_EQ(delegate->fixes.back(), kTelAviv);
}

TEST_F(LocationManagerTest, DeliversOnTheThreadThatMadeTheManager) {
    authorize();
    device.setPosition(kTelAviv);
    std::thread::id workerId;
    std::thread worker([&] {
        workerId = std::this_thread::get_id();
        const auto manager = startedManager();
        RunLoop::current().runUntil([&] { return !delegate->fixes.empty(); }, 5.0);
    });
    worker.join();
    EXPECT_EQ(delegate->fixes, std::vector{kTelAviv});
    EXPECT_EQ(delegate->thread, workerId);
}

TEST_F(LocationManagerTest, PermissionIsAskedOnceAndAnsweredOnTheMainLoop) {
    const auto manager = LocationManager::create();
    manager->requestAlwaysAuthorization();
    EXPECT_EQ(LocationManager::authorizationStatus(), AuthorizationStatus::NotDetermined);
    RunLoop::main().runPending();
    EXPECT_EQ(LocationManager::authorizationStatus(), AuthorizationStatus::AuthorizedAlways);
    manager->requestWhenInUseAuthorization();
    RunLoop::main().runPending();
    EXPECT_EQ(LocationManager::authorizationStatus(), AuthorizationStatus::AuthorizedAlways);
    EXPECT_EQ(device.authorizationRequests(),
              (std::vector{AuthorizationRequest::Always, AuthorizationRequest::WhenInUse}));

    device.setAuthorizationStatus(AuthorizationStatus::NotDetermined);
    device.setAuthorizationAnswer(AuthorizationStatus::Denied);
    manager->requestWhenInUseAuthorization();
    RunLoop::main().runPending();
    EXPECT_EQ(LocationManager::authorizationStatus(), AuthorizationStatus::Denied);
}

TEST_F(LocationManagerTest, UpdatesWaitForPermissionAndFailWhenRefused) {
    device.setPosition(kTelAviv);
    const auto manager = startedManager();
    turn(5.0);
    EXPECT_TRUE(delegate->fixes.empty());
    EXPECT_TRUE(delegate->failures.empty());
    EXPECT_FALSE(manager->location());

    manager->requestWhenInUseAuthorization();
    turn();
    EXPECT_EQ(delegate->fixes, std::vector{kTelAviv});

    device.setAuthorizationStatus(AuthorizationStatus::Denied);
    turn();
    EXPECT_EQ(delegate->failures, std::vector{kCLErrorDenied});
    EXPECT_FALSE(manager->location());

    authorize();
    turn();
    EXPECT_EQ(delegate->fixes, (std::vector{kTelAviv, kTelAviv}));

    device.setLocationServicesEnabled(false);
    turn();
    device.setAuthorizationStatus(AuthorizationStatus::Restricted);
    turn();
    EXPECT_EQ(delegate->failures, (std::vector{kCLErrorDenied, kCLErrorDenied}));
    EXPECT_FALSE(LocationManager::locationServicesEnabled());
}

TEST_F(LocationManagerTest, HardwareFailuresAreReportedOnceUntilAFixReturns) {
    authorize();
    device.setPosition(kTelAviv);
    const auto manager = startedManager();
    turn();
    device.setFailure(Error(kCLErrorDomain, kCLErrorLocationUnknown));
    turn();
    device.setPosition(north(0));
    turn();
    EXPECT_EQ(delegate->failures, std::vector{kCLErrorLocationUnknown});
    device.setFailure(std::nullopt);
    turn();
    EXPECT_EQ(delegate->fixes, (std::vector{kTelAviv, north(0)}));
}

TEST_F(LocationManagerTest, DistanceFilterMeasuresFromTheLastReportedFix) {
    authorize();
    device.setTrack({{north(0), {}}, {north(1), {}}, {north(2), {}}, {north(3), {}}});
    const auto manager = LocationManager::create();
    manager->setDelegate(delegate);
    manager->setDistanceFilter(100.0);
    manager->startUpdatingLocation();
    turn(10.0);
    EXPECT_EQ(delegate->fixes, (std::vector{north(0), north(2)}));
}

TEST_F(LocationManagerTest, SignificantChangesAloneReportOnlyLongMoves) {
    authorize();
    device.setTrack({{north(0), {}}, {north(6), {}}, {north(12), {}}, {north(19), {}}});
    const auto manager = LocationManager::create();
    manager->setDelegate(delegate);
    manager->startMonitoringSignificantLocationChanges();
    turn(10.0);
    EXPECT_EQ(delegate->fixes, (std::vector{north(0), north(12)}));
    EXPECT_TRUE(manager->isMonitoringSignificantLocationChanges());
    EXPECT_FALSE(manager->isUpdatingLocation());
}

TEST_F(LocationManagerTest, DelegateIsHeldWeakly) {
    authorize();
    device.setPosition(kTelAviv);
    const auto manager = startedManager();
    delegate.reset();
    EXPECT_EQ(manager->delegate(), nullptr);
    turn();
    EXPECT_EQ(manager->location()->coordinate(), kTelAviv);
}

TEST_F(LocationManagerTest, EnvironmentPlacesTheDefaultDevice) {
    const auto fromEnvironment = [](const char* setting) {
        ::setenv("ORVANE_LOCATION", setting, 1);
        auto device = SimulatedLocationProvider::fromEnvironment();
        ::unsetenv("ORVANE_LOCATION");
        return device;
    };
    const auto placed = fromEnvironment(" 32.0853 , 34.7818");
    EXPECT_EQ(placed->sample(1000.0).location->coordinate(), kTelAviv);
    EXPECT_EQ(placed->authorizationStatus(), AuthorizationStatus::AuthorizedWhenInUse);

    for (const char* unusable : {"here", "91,0", "32.1,", "/no/such/track.gpx"}) {
        const auto device = fromEnvironment(unusable);
        EXPECT_FALSE(device->sample(1000.0).location) << unusable;
        EXPECT_EQ(device->authorizationStatus(), AuthorizationStatus::NotDetermined);
    }

    test::TemporaryDirectory folder;
    test::writeFile(folder.file("walk.gpx").toUtf8(),
                    Data::fromString(R"(<trkpt lat="1" lon="2"/><trkpt lat="3" lon="4"/>)"));
    const auto walking = fromEnvironment(folder.file("walk.gpx").toUtf8().c_str());
    EXPECT_EQ(walking->sample(1001.0).location->coordinate(), (LocationCoordinate2D{3, 4}));
}

}  // namespace
}  // namespace ov
