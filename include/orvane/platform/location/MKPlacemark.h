#pragma once
// A place on the map: a coordinate and, optionally, its postal address fields.
//
//   ov::MKPlacemark office(ov::CLLocationCoordinate2DMake(32.0853, 34.7818), std::nullopt);
//   office.location().distanceFromLocation(home);

#include <optional>

#include "orvane/platform/location/Location.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class MKPlacemark {
  public:
    MKPlacemark(LocationCoordinate2D coordinate, std::optional<Dictionary> addressDictionary);

    const LocationCoordinate2D& coordinate() const { return m_coordinate; }
    const std::optional<Dictionary>& addressDictionary() const { return m_addressDictionary; }
    // The coordinate as a position, stamped with Clock::current().
    Location location() const;

  private:
    LocationCoordinate2D m_coordinate;
    std::optional<Dictionary> m_addressDictionary;
};

}  // namespace ov
