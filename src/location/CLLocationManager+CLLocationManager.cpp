#include <mutex>

#include "orvane/core/UIApplication+OVApplication.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::CLLocationManager_CLLocationManager {

namespace {

struct Shared {
    std::mutex mutex;
    std::shared_ptr<LocationManager> manager;
};

Shared& shared() {
    // Never destroyed: another thread may still ask for the manager while the process exits.
    static auto* state = new Shared;
    return *state;
}

std::shared_ptr<LocationManager> existingManager() {
    std::lock_guard lock(shared().mutex);
    return shared().manager;
}

LocationCoordinate2D coordinateOf(const std::optional<Location>& location) {
    return location ? location->coordinate() : LocationCoordinate2D{};
}

}  // namespace

std::shared_ptr<LocationManager> sharedManager() {
    Shared& state = shared();
    std::lock_guard lock(state.mutex);
    if (!state.manager) {
        // No delegate: positions are read from location() when asked, never pushed.
        state.manager = LocationManager::create();
        state.manager->setDesiredAccuracy(kCLLocationAccuracyBest);
        state.manager->setActivityType(ActivityType::OtherNavigation);
        state.manager->setDistanceFilter(kCLDistanceFilterNone);
    }
    return state.manager;
}

void resetSharedManager() {
    std::lock_guard lock(shared().mutex);
    shared().manager.reset();
}

std::optional<Location> currentLocation() {
    return sharedManager()->location();
}

LocationCoordinate2D currentLocation2D() {
    const auto manager = existingManager();
    return manager ? coordinateOf(manager->location()) : LocationCoordinate2D{};
}

float currentLatitude() {
    return static_cast<float>(currentLocation2D().latitude);
}

float currentLongitude() {
    return static_cast<float>(currentLocation2D().longitude);
}

double distanceTo(const LocationCoordinate2D& coordinate) {
    return distanceBetween(coordinateOf(currentLocation()), coordinate);
}

double distanceBetween(const LocationCoordinate2D& first, const LocationCoordinate2D& and_) {
    return distanceBetweenCLLocations(Location(first.latitude, first.longitude),
                                      Location(and_.latitude, and_.longitude));
}

double distanceBetweenCLLocations(const Location& first, const Location& and_) {
    return first.distanceFromLocation(and_);
}

bool compareLocation(const Location& location1, const Location& location2, int32_t meters) {
    const int32_t tolerance = meters == 0 ? kSamePlaceMeters : meters;
    return distanceBetweenCLLocations(location1, location2) <= tolerance;
}

bool compareLocation(const Location& location1, const Location& location2) {
    return compareLocation(location1, location2, kSamePlaceMeters);
}

bool compareUserLocation_withlocation(const Location& location) {
    const Location user(currentLatitude(), currentLongitude());
    return distanceBetweenCLLocations(user, location) < kSamePlaceMeters;
}

bool isEnable() {
    const AuthorizationStatus status = LocationManager::authorizationStatus();
    return LocationManager::locationServicesEnabled() &&
           status != AuthorizationStatus::NotDetermined && status != AuthorizationStatus::Denied;
}

std::shared_ptr<LocationManager> request() {
    return request(0);
}

std::shared_ptr<LocationManager> request(unsigned kind) {
    auto manager = sharedManager();
    if (kind == 1) {
        manager->requestAlwaysAuthorization();
    } else {
        manager->requestWhenInUseAuthorization();
    }
    return manager;
}

void logCurrentCoordinates() {
    const auto manager = existingManager();
    if (!manager) return;
    const LocationCoordinate2D coordinate = coordinateOf(manager->location());
    systemLog("CLLocationManager: Cur_Lat %f", coordinate.latitude);
    systemLog("CLLocationManager: Cur_Lon %f", coordinate.longitude);
}

void openLocationSettings() {
    UIApplication_OVApplication::openAppSettings();
}

void start(const LocationManager& /*receiver*/) {
    if (const auto manager = existingManager()) manager->startUpdatingLocation();
}

std::optional<Location> currentLocation(const LocationManager& /*receiver*/) {
    const auto manager = existingManager();
    if (!manager) return std::nullopt;
    std::optional<Location> location = manager->location();
    systemLog("coordinate %f", coordinateOf(location).latitude);
    return location;
}

void startMonitoringLocation(const LocationManager& /*receiver*/) {
    const auto manager = sharedManager();
    manager->stopMonitoringSignificantLocationChanges();
    manager->requestAlwaysAuthorization();
    manager->startMonitoringSignificantLocationChanges();
}

}  // namespace ov::CLLocationManager_CLLocationManager
