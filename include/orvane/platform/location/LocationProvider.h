#pragma once
// Where location managers get their positions from: the device's location hardware and the
// user's permission. The default provider is a SimulatedLocationProvider, so everything runs
// headless; a host with a real source installs its own.
//
//   ov::LocationProvider::setShared(std::make_shared<MyGpsProvider>());
//
// Managers bind to the provider that is shared when they are made.

#include <functional>
#include <memory>
#include <optional>

#include "orvane/platform/location/Location.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/values/Error.h"

namespace ov {

// The user's answer about this application, as the platform numbers it.
enum class AuthorizationStatus : int {
    NotDetermined = 0,
    Restricted = 1,
    Denied = 2,
    AuthorizedAlways = 3,
    AuthorizedWhenInUse = 4,
};

enum class AuthorizationRequest { Always, WhenInUse };

// The platform's error domain and codes for location failures.
inline constexpr const char* kCLErrorDomain = "kCLErrorDomain";
inline constexpr long long kCLErrorLocationUnknown = 0;
inline constexpr long long kCLErrorDenied = 1;

// What the device knows at one moment.
struct LocationSample {
    // The fix, or none while the device has none.
    std::optional<Location> location;
    // Set while the hardware fails; it wins over `location`.
    std::optional<Error> failure;
    // Clock time at which the sample next changes by itself; none when it only changes
    // through a call that notifies the observers.
    std::optional<double> nextChange;
};

class LocationProvider {
  public:
    virtual ~LocationProvider() = default;

    virtual bool locationServicesEnabled() const = 0;
    virtual AuthorizationStatus authorizationStatus() const = 0;
    // Shows the question; the answer, if the user gives one, changes the status later and
    // notifies the observers.
    virtual void requestAuthorization(AuthorizationRequest request) = 0;
    // `now` is Clock time. Thread-safe.
    virtual LocationSample sample(double now) const = 0;
    // `changed` runs, on any thread, whenever the services switch, the status or the sample
    // changes other than by the clock.
    virtual Subscription observe(std::function<void()> changed) = 0;

    // Thread-safe. Nullptr puts a fresh default back (SimulatedLocationProvider::fromEnvironment).
    static std::shared_ptr<LocationProvider> shared();
    static void setShared(std::shared_ptr<LocationProvider> provider);
};

}  // namespace ov
