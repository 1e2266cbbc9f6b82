#pragma once
// Hands a destination to a navigation application: Waze, Google Maps through its web address,
// or the desktop's Maps app (the handler of `geo:` addresses).
//
//   ov::OVNavigationApps::navigate(ov::Location(32.0853, 34.7818), 2);   // Google Maps
//   ov::OVNavigationApps::navigate(placemark);                          // the Maps app
//
// Call from the main thread: it opens addresses and may show an alert. Nothing comes back;
// a failed opening is not reported.

#include <optional>
#include <variant>

#include "orvane/platform/location/MKPlacemark.h"
#include "orvane/platform/values/Value.h"

namespace ov {

// A position, a placemark, or anything else, which is refused.
using NavigationDestination = std::variant<Location, MKPlacemark, Value>;

// Which application navigates.
inline constexpr unsigned long kNavigationAppWaze = 1;
inline constexpr unsigned long kNavigationAppGoogleMaps = 2;
// 0, like every other value, means the Maps app.
inline constexpr unsigned long kNavigationAppMaps = 0;

// Destinations this close or closer, in metres, get walking directions on Google Maps.
inline constexpr float kWalkingDistance = 200.0f;

class OVNavigationApps {
  public:
    // Holds nothing; made on first use.
    static OVNavigationApps& sharedInstance();

    // The position itself, or the placemark's; none for anything else.
    static std::optional<Location> translateToCllocation(const NavigationDestination& object);

    static void navigate(const NavigationDestination& destination);
    // An unsupported destination is logged and nothing is opened.
    static void navigate(const NavigationDestination& destination, unsigned long app);
    // The maps web address ("?hl=iw&saddr=...&daddr=..." on the Maps site) from the device's
    // current position, with walking directions within kWalkingDistance. Without a known
    // position the start is left out for the site to choose.
    static void navigateGoogle(const NavigationDestination& destination);
    // The place shown in the Maps app, with no route mode.
    static void navigateApple(const NavigationDestination& destination);

    // Whether something opens "waze://" addresses.
    static bool canWaze();
    // Opens Waze navigating to the position, or shows the "Waze" alert when it is missing.
    static void wazeTo(const Location& position);

  private:
    OVNavigationApps() = default;
};

}  // namespace ov
