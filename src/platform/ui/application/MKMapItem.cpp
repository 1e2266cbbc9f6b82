#include "orvane/platform/ui/application/MKMapItem.h"

#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/values/Format.h"

namespace ov::ui {

URL MKMapItem::geoURL() const {
    const LocationCoordinate2D& coordinate = m_placemark.coordinate();
    // Text of digits, signs, a point and a comma always makes a URL.
    return *URL::withString(
        stringWithFormat("geo:%f,%f", coordinate.latitude, coordinate.longitude));
}

void MKMapItem::openInMapsWithLaunchOptions(const Dictionary& launchOptions) const {
    Application::sharedApplication().openURL(geoURL(), launchOptions, nullptr);
}

}  // namespace ov::ui
