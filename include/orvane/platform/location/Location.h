#pragma once
// A position on the WGS84 ellipsoid (the platform's CLLocation and CLLocationCoordinate2D):
// degrees of latitude and longitude, with the moment the fix was taken.
//
//   ov::Location paris(48.8566, 2.3522);
//   ov::Location london(51.5074, -0.1278);
//   paris.distanceFromLocation(london);   // about 343'900 metres, along the ellipsoid

#include "orvane/platform/values/Date.h"

namespace ov {

struct LocationCoordinate2D {
    double latitude = 0.0;
    double longitude = 0.0;
    friend bool operator==(const LocationCoordinate2D&, const LocationCoordinate2D&) = default;
};

inline LocationCoordinate2D CLLocationCoordinate2DMake(double latitude, double longitude) {
    return {latitude, longitude};
}

// Latitude within [-90, 90], longitude within [-180, 180], both finite.
bool isValidCoordinate(const LocationCoordinate2D& coordinate);

class Location {
  public:
    // Stamped with Clock::current().
    Location(double latitude, double longitude);
    Location(LocationCoordinate2D coordinate, Date timestamp);

    const LocationCoordinate2D& coordinate() const { return m_coordinate; }
    const Date& timestamp() const { return m_timestamp; }

    // Metres along the geodesic between the two points. NaN when either coordinate is not
    // valid, so every comparison with it answers false.
    double distanceFromLocation(const Location& other) const;

    friend bool operator==(const Location&, const Location&) = default;

  private:
    LocationCoordinate2D m_coordinate;
    Date m_timestamp;
};

}  // namespace ov
