#pragma once
// A place handed to the Maps app. On Linux the Maps app is the desktop's handler of `geo:`
// addresses (RFC 5870), opened through the application's URL opener.
//
//   ov::ui::MKMapItem item(ov::MKPlacemark(coordinate, std::nullopt));
//   item.setName("Office");
//   item.openInMapsWithLaunchOptions({});   // opens "geo:32.085300,34.781800"

#include <optional>

#include "orvane/platform/location/MKPlacemark.h"
#include "orvane/platform/network/URL.h"

namespace ov::ui {

class MKMapItem {
  public:
    explicit MKMapItem(MKPlacemark placemark) : m_placemark(std::move(placemark)) {}

    const MKPlacemark& placemark() const { return m_placemark; }
    const std::optional<String>& name() const { return m_name; }
    void setName(std::optional<String> name) { m_name = std::move(name); }

    // "geo:LAT,LON", six decimals each. A `geo:` address has no place for a name.
    URL geoURL() const;
    // Shows the place through Application::openURL; `geo:` handlers take no route modes, so
    // the options are not used.
    void openInMapsWithLaunchOptions(const Dictionary& launchOptions) const;

  private:
    MKPlacemark m_placemark;
    std::optional<String> m_name;
};

}  // namespace ov::ui
