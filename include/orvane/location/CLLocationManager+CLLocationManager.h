#pragma once
// One process-wide location manager and the everyday questions about where the device is:
// the last position, distances, "is this the same place", permission and the settings page.
//
//   namespace Here = ov::CLLocationManager_CLLocationManager;
//   Here::request(1);                                    // ask for "always"
//   Here::sharedManager()->startUpdatingLocation();
//   double metres = Here::distanceTo(ov::CLLocationCoordinate2DMake(32.08, 34.78));
//   if (Here::compareLocation(a, b, 50)) ...             // within 50 m, inclusive
//
// The shared manager is made on first use with the best accuracy, no distance filter and the
// "other navigation" activity; making it neither starts updates nor asks for permission.
// Distances are metres, coordinates degrees. Call from the main thread: the manager delivers
// on the run loop of the thread that first asked for it.

#include <cstdint>
#include <memory>
#include <optional>

#include "orvane/platform/location/LocationManager.h"

namespace ov::CLLocationManager_CLLocationManager {

// Two positions closer than this count as the same place when no tolerance is given.
inline constexpr int32_t kSamePlaceMeters = 20;

std::shared_ptr<LocationManager> sharedManager();
// Drops the shared manager; the next sharedManager() makes a new one.
void resetSharedManager();

// The shared manager's latest position, making the manager if need be.
std::optional<Location> currentLocation();
// (0, 0) while there is no shared manager or no position; never makes the manager.
LocationCoordinate2D currentLocation2D();
float currentLatitude();
float currentLongitude();

double distanceTo(const LocationCoordinate2D& coordinate);
double distanceBetween(const LocationCoordinate2D& first, const LocationCoordinate2D& and_);
double distanceBetweenCLLocations(const Location& first, const Location& and_);
// True when the distance is at most `meters` (inclusive); 0 means kSamePlaceMeters and a
// negative tolerance is kept, so it answers false.
bool compareLocation(const Location& location1, const Location& location2, int32_t meters);
bool compareLocation(const Location& location1, const Location& location2);
// The current position at float precision; true when strictly closer than kSamePlaceMeters.
bool compareUserLocation_withlocation(const Location& location);

// Services on and permission neither "not determined" nor "denied" (so "restricted" counts).
bool isEnable();
// Kind 1 asks for "always", any other kind for "while in use". Answers the shared manager at
// once, without waiting for the user.
std::shared_ptr<LocationManager> request();
std::shared_ptr<LocationManager> request(unsigned kind);

void logCurrentCoordinates();
// Opens the application's page of the system settings.
void openLocationSettings();

// The instance operations act on the shared manager, whichever manager receives them. The
// first two do nothing (or answer none) while there is no shared manager.
void start(const LocationManager& receiver);
// Logs the latitude ("coordinate %f") and answers the position.
std::optional<Location> currentLocation(const LocationManager& receiver);
// Makes the shared manager if need be, then stops significant-change monitoring, asks for
// "always" and starts the monitoring again.
void startMonitoringLocation(const LocationManager& receiver);

}  // namespace ov::CLLocationManager_CLLocationManager
