#include "orvane/location/OVNavigationApps.h"

#include "orvane/components/UIAlertView+UIAlertView.h"
#include "orvane/location/CLLocationManager+CLLocationManager.h"
#include "orvane/location/GoogleAPI.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/application/MKMapItem.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

constexpr const char* kWazeScheme = "waze://";
constexpr const char* kWazeNavigation = "waze://?ll=%f,%f&navigate=yes";
constexpr const char* kMapsPage = "/maps";
constexpr const char* kRouteQuery = "?hl=iw&saddr=%@,%@&daddr=%@,%@%@";
constexpr const char* kDestinationQuery = "?hl=iw&daddr=%@,%@";
constexpr const char* kWalkingSuffix = "&dirflg=w";

// The platform's name for the class of what a value holds.
String classNameOf(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Absent:
            return "(null)";
        case Value::Kind::Null:
            return "NSNull";
        case Value::Kind::Boolean:
        case Value::Kind::Number:
            return "NSNumber";
        case Value::Kind::Decimal:
            return "NSDecimalNumber";
        case Value::Kind::String:
            return "NSString";
        case Value::Kind::Data:
            return "NSData";
        case Value::Kind::Date:
            return "NSDate";
        case Value::Kind::Array:
            return "NSArray";
        case Value::Kind::Dictionary:
            return "NSDictionary";
        case Value::Kind::Object:
            return (*value.ifObject())->className();
    }
    return "NSObject";
}

// The destination as a position, or none after logging why it is refused.
std::optional<Location> acceptedDestination(const NavigationDestination& destination) {
    std::optional<Location> position = OVNavigationApps::translateToCllocation(destination);
    if (!position) {
        const Value& object = std::get<Value>(destination);
        systemLog("location %@ (kind of class %@) is not supported yet by this Orvane.framework",
                  object, classNameOf(object));
    }
    return position;
}

String degrees(double value) {
    return stringWithFormat("%f", value);
}

void open(const String& address) {
    if (const auto url = URL::withString(address)) {
        ui::Application::sharedApplication().openURL(*url, {}, nullptr);
    }
}

// The delegate of the "Waze" alert: it stands for the class and handles no answer.
std::shared_ptr<ui::AlertViewDelegate> classDelegate() {
    static auto* delegate =
        new std::shared_ptr<ui::AlertViewDelegate>(std::make_shared<ui::AlertViewDelegate>());
    return *delegate;
}

}  // namespace

OVNavigationApps& OVNavigationApps::sharedInstance() {
    static auto* shared = new OVNavigationApps();
    return *shared;
}

std::optional<Location> OVNavigationApps::translateToCllocation(
    const NavigationDestination& object) {
    if (const auto* position = std::get_if<Location>(&object)) return *position;
    if (const auto* placemark = std::get_if<MKPlacemark>(&object)) return placemark->location();
    return std::nullopt;
}

void OVNavigationApps::navigate(const NavigationDestination& destination) {
    navigate(destination, kNavigationAppMaps);
}

void OVNavigationApps::navigate(const NavigationDestination& destination, unsigned long app) {
    const std::optional<Location> position = acceptedDestination(destination);
    if (!position) return;
    if (app == kNavigationAppWaze) {
        wazeTo(*position);
    } else if (app == kNavigationAppGoogleMaps) {
        navigateGoogle(*position);
    } else {
        navigateApple(*position);
    }
}

void OVNavigationApps::navigateGoogle(const NavigationDestination& destination) {
    const std::optional<Location> position = acceptedDestination(destination);
    if (!position) return;
    const LocationCoordinate2D& to = position->coordinate();
    const std::optional<Location> here = CLLocationManager_CLLocationManager::currentLocation();
    String query = stringWithFormat(kDestinationQuery, degrees(to.latitude), degrees(to.longitude));
    if (here) {
        const float metres = static_cast<float>(here->distanceFromLocation(*position));
        const LocationCoordinate2D& from = here->coordinate();
        query = stringWithFormat(kRouteQuery, degrees(from.latitude), degrees(from.longitude),
                                 degrees(to.latitude), degrees(to.longitude),
                                 String(metres <= kWalkingDistance ? kWalkingSuffix : ""));
    }
    open(GoogleAPI::siteBase() + kMapsPage + query);
}

void OVNavigationApps::navigateApple(const NavigationDestination& destination) {
    const std::optional<Location> position = acceptedDestination(destination);
    if (!position) return;
    ui::MKMapItem item(MKPlacemark(position->coordinate(), std::nullopt));
    item.setName("");
    item.openInMapsWithLaunchOptions({});
}

bool OVNavigationApps::canWaze() {
    return ui::Application::sharedApplication().canOpenURL(*URL::withString(kWazeScheme));
}

void OVNavigationApps::wazeTo(const Location& position) {
    const LocationCoordinate2D& to = position.coordinate();
    if (!canWaze()) {
        UIAlertView_UIAlertView::alertWithTitle("Waze", "is not installed on this device",
                                                classDelegate(), 0, "x", std::nullopt);
        return;
    }
    const String address = stringWithFormat(kWazeNavigation, to.latitude, to.longitude);
    systemLog("<Orvane> Wazing to... %f %f,", to.latitude, to.longitude);
    open(address);
}

}  // namespace ov
