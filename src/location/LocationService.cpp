#include "orvane/location/LocationService.h"

#include "orvane/components/UIAlertView+UIAlertView.h"
#include "orvane/core/NSBundle+OVBundle.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {

namespace Shared = CLLocationManager_CLLocationManager;

std::optional<Location> LocationService::currentLocation() {
    return Shared::currentLocation();
}

LocationCoordinate2D LocationService::currentLocation2D() {
    const auto location = currentLocation();
    return location ? location->coordinate() : LocationCoordinate2D{};
}

float LocationService::currentLatitude() {
    return static_cast<float>(currentLocation2D().latitude);
}

float LocationService::currentLocation2D_Lon() {
    return static_cast<float>(currentLocation2D().longitude);
}

double LocationService::distanceBetCurrentLocAnd(const LocationCoordinate2D& coordinate) {
    return distanceBetween(CLLocationCoordinate2DMake(currentLatitude(), currentLocation2D_Lon()),
                           coordinate);
}

double LocationService::distanceBetween(const LocationCoordinate2D& first,
                                        const LocationCoordinate2D& and_) {
    return Shared::distanceBetween(first, and_);
}

double LocationService::distanceBetweenCLLocations(const Location& first, const Location& and_) {
    return Shared::distanceBetweenCLLocations(first, and_);
}

bool LocationService::compareLocation(const Location& location1, const Location& location2,
                                      int32_t meters) {
    return Shared::compareLocation(location1, location2, meters);
}

bool LocationService::compareLocation(const Location& location1, const Location& location2) {
    return Shared::compareLocation(location1, location2);
}

bool LocationService::compareUserLocation_withlocation(const Location& location) {
    const Location user(currentLatitude(), currentLocation2D_Lon());
    return distanceBetweenCLLocations(user, location) < Shared::kSamePlaceMeters;
}

bool LocationService::locationServicesEnabled_alert(bool alert) {
    if (Shared::isEnable()) return true;
    if (alert) show_activeAlert();
    return false;
}

void LocationService::show_activeAlert() {
    const String message = stringWithFormat(
        "to enable Location Service, Navigate to Settings -> Privacy -> Location Service -> %@  "
        "->ON",
        NSBundle_OVBundle::CFBundleDisplayName());
    UIAlertView_UIAlertView::alertWithTitle("Location Service is Off", message, classDelegate(), 0,
                                            "x", std::nullopt);
}

std::shared_ptr<ui::AlertViewDelegate> LocationService::classDelegate() {
    static auto* delegate =
        new std::shared_ptr<ui::AlertViewDelegate>(std::make_shared<ui::AlertViewDelegate>());
    return *delegate;
}

void LocationService::logCurrentCoordinates() {
    systemLog("LocationService: Cur_Lat %f", currentLatitude());
    systemLog("LocationService: Cur_Lon %f", currentLocation2D_Lon());
}

void LocationService::openLocationSettings() {
    Shared::openLocationSettings();
}

}  // namespace ov
