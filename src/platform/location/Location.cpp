#include "orvane/platform/location/Location.h"

#include <GeographicLib/Geodesic.hpp>
#include <cmath>
#include <limits>

namespace ov {

bool isValidCoordinate(const LocationCoordinate2D& coordinate) {
    return std::isfinite(coordinate.latitude) && std::isfinite(coordinate.longitude) &&
           std::fabs(coordinate.latitude) <= 90.0 && std::fabs(coordinate.longitude) <= 180.0;
}

Location::Location(double latitude, double longitude)
    : Location(LocationCoordinate2D{latitude, longitude}, Date::now()) {}

Location::Location(LocationCoordinate2D coordinate, Date timestamp)
    : m_coordinate(coordinate), m_timestamp(timestamp) {}

double Location::distanceFromLocation(const Location& other) const {
    if (!isValidCoordinate(m_coordinate) || !isValidCoordinate(other.m_coordinate)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double metres = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(m_coordinate.latitude, m_coordinate.longitude,
                                             other.m_coordinate.latitude,
                                             other.m_coordinate.longitude, metres);
    return metres;
}

}  // namespace ov
