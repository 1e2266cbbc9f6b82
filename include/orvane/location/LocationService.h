#pragma once
// A front over the shared location manager that also tells the user when location is off.
//
//   if (!ov::LocationService::locationServicesEnabled_alert(true)) return;   // alert shown
//   float latitude = ov::LocationService::currentLatitude();
//
// Call from the main thread, like the shared manager it uses.

#include <cstdint>
#include <memory>
#include <optional>

#include "orvane/platform/location/Location.h"
#include "orvane/platform/ui/application/AlertView.h"

namespace ov {

class LocationService {
  public:
    LocationService() = delete;

    static std::optional<Location> currentLocation();
    // (0, 0) when there is no position.
    static LocationCoordinate2D currentLocation2D();
    static float currentLatitude();
    static float currentLocation2D_Lon();

    // From the current position at float precision.
    static double distanceBetCurrentLocAnd(const LocationCoordinate2D& coordinate);
    static double distanceBetween(const LocationCoordinate2D& first,
                                  const LocationCoordinate2D& and_);
    static double distanceBetweenCLLocations(const Location& first, const Location& and_);
    // Inclusive; 0 means 20 metres.
    static bool compareLocation(const Location& location1, const Location& location2,
                                int32_t meters);
    static bool compareLocation(const Location& location1, const Location& location2);
    // Strictly closer than 20 metres to the current position at float precision.
    static bool compareUserLocation_withlocation(const Location& location);

    // True when location is enabled; otherwise shows show_activeAlert() first if `alert`.
    static bool locationServicesEnabled_alert(bool alert);
    // "Location Service is Off", naming the application, with one "x" button.
    static void show_activeAlert();
    // The delegate of that alert: it stands for this class and handles no answer.
    static std::shared_ptr<ui::AlertViewDelegate> classDelegate();

    static void logCurrentCoordinates();
    static void openLocationSettings();
};

}  // namespace ov
