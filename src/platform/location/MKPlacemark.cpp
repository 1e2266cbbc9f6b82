#include "orvane/platform/location/MKPlacemark.h"

#include <utility>

namespace ov {

MKPlacemark::MKPlacemark(LocationCoordinate2D coordinate,
                         std::optional<Dictionary> addressDictionary)
    : m_coordinate(coordinate), m_addressDictionary(std::move(addressDictionary)) {}

Location MKPlacemark::location() const {
    return Location(m_coordinate.latitude, m_coordinate.longitude);
}

}  // namespace ov
