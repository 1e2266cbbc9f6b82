#pragma once
// The platform's CLLocationManager: settings, permission requests and position updates for
// one client, fed by the shared LocationProvider.
//
//   auto manager = ov::LocationManager::create();
//   manager->setDesiredAccuracy(ov::kCLLocationAccuracyBest);
//   manager->setDelegate(self);                  // held weakly
//   manager->requestWhenInUseAuthorization();
//   manager->startUpdatingLocation();            // fixes arrive on this thread's run loop
//
// Updates and failures reach the delegate on the run loop of the thread that made the manager,
// and only while that loop turns. Settings may be changed from any thread.

#include <memory>
#include <mutex>
#include <optional>

#include "orvane/platform/location/LocationProvider.h"

namespace ov {

class RunLoop;
class Timer;

inline constexpr double kCLLocationAccuracyBest = -1.0;
// No distance filter: every new fix is delivered.
inline constexpr double kCLDistanceFilterNone = -1.0;

enum class ActivityType : int {
    Other = 1,
    AutomotiveNavigation = 2,
    Fitness = 3,
    OtherNavigation = 4,
};

// Degrees clockwise from north.
struct Heading {
    double magneticHeading = 0.0;
    double trueHeading = 0.0;
};

class LocationManager;

// Every operation is optional: the defaults answer that they were not handled. A simulated
// device has no compass, so the heading operations come only from a provider that has one.
class LocationManagerDelegate {
  public:
    virtual ~LocationManagerDelegate() = default;
    // locationManager:didUpdateToLocation:fromLocation:
    virtual bool locationManager(LocationManager& /*manager*/, const Location& /*location*/,
                                 const std::optional<Location>& /*previous*/) {
        return false;
    }
    // locationManager:didFailWithError:
    virtual bool locationManager(LocationManager& /*manager*/, const Error& /*error*/) {
        return false;
    }
    // locationManager:didUpdateHeading:
    virtual bool locationManager(LocationManager& /*manager*/, const Heading& /*heading*/) {
        return false;
    }
    virtual std::optional<bool> locationManagerShouldDisplayHeadingCalibration(
        LocationManager& /*manager*/) {
        return std::nullopt;
    }
};

class LocationManager : public std::enable_shared_from_this<LocationManager> {
    struct PrivateTag {};

  public:
    // Only significant-change monitoring is on: fixes this far apart, in metres, are reported.
    static constexpr double kSignificantChangeDistance = 500.0;

    LocationManager(PrivateTag, std::shared_ptr<LocationProvider> provider);
    ~LocationManager();
    LocationManager(const LocationManager&) = delete;
    LocationManager& operator=(const LocationManager&) = delete;

    // Bound to the calling thread's run loop and to the provider shared now.
    static std::shared_ptr<LocationManager> create();

    // The device's switch and this application's permission, from the shared provider.
    static bool locationServicesEnabled();
    static AuthorizationStatus authorizationStatus();

    void requestWhenInUseAuthorization();
    void requestAlwaysAuthorization();

    // Metres; kCLLocationAccuracyBest by default. The simulated device is always exact.
    void setDesiredAccuracy(double metres);
    double desiredAccuracy() const;
    // Metres a fix must move from the last one reported; kCLDistanceFilterNone by default.
    void setDistanceFilter(double metres);
    double distanceFilter() const;
    void setActivityType(ActivityType type);
    ActivityType activityType() const;
    void setDelegate(const std::shared_ptr<LocationManagerDelegate>& delegate);
    std::shared_ptr<LocationManagerDelegate> delegate() const;

    void startUpdatingLocation();
    void stopUpdatingLocation();
    void startMonitoringSignificantLocationChanges();
    void stopMonitoringSignificantLocationChanges();
    bool isUpdatingLocation() const;
    bool isMonitoringSignificantLocationChanges() const;

    // The device's latest fix, whether or not this manager is updating; none while services
    // are off, permission is missing or the device has no fix.
    std::optional<Location> location() const;

  private:
    bool isActive() const;
    bool mayUseLocation() const;
    double effectiveDistanceFilter() const;
    void scheduleEvaluation();
    void evaluate();
    void scheduleNextChange(double now, double when);
    void forgetDeliveries();

    const std::shared_ptr<LocationProvider> m_provider;
    std::weak_ptr<RunLoop> m_loop;
    Subscription m_observation;

    mutable std::mutex m_mutex;
    double m_desiredAccuracy = kCLLocationAccuracyBest;
    double m_distanceFilter = kCLDistanceFilterNone;
    ActivityType m_activityType = ActivityType::Other;
    std::weak_ptr<LocationManagerDelegate> m_delegate;
    bool m_updating = false;
    bool m_monitoringSignificantChanges = false;
    // What the delegate last heard, so that nothing is reported twice.
    std::optional<Location> m_lastFix;
    std::optional<Error> m_lastFailure;
    std::shared_ptr<Timer> m_nextChange;
};

}  // namespace ov
