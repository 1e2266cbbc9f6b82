#pragma once
// A one-shot position: a Locator starts its own location manager when made, and
// getCoordinates() turns the run loop until the first fix (or failure) arrives.
//
//   auto locator = ov::Locator::init();
//   ov::LocationCoordinate2D here;
//   if (locator->getCoordinates(here)) use(here);   // waits up to timeOut() seconds
//
// Make and wait on one thread whose run loop delivers the manager's callbacks (normally the
// main thread: the loop keeps running in 0.25 s slices, so the interface stays live). The
// manager keeps updating for the Locator's whole life; later calls answer the newest fix.

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

#include "orvane/platform/location/LocationManager.h"

namespace ov {

class Locator final : public LocationManagerDelegate, public std::enable_shared_from_this<Locator> {
    struct PrivateTag {};

  public:
    // The longest getCoordinates() waits, in Clock seconds, unless told otherwise.
    static constexpr double kDefaultTimeOut = 30.0;
    // One turn of the run loop while waiting.
    static constexpr double kWaitSlice = 0.25;

    explicit Locator(PrivateTag) {}

    // Best accuracy, no distance filter, updating at once.
    static std::shared_ptr<Locator> init();

    // Waits (if location services are on) until the first update or failure or the time-out;
    // then writes the held position and answers true, or answers false and leaves
    // `coordinate` alone.
    bool getCoordinates(LocationCoordinate2D& coordinate);

    double timeOut() const { return m_timeOut.load(); }
    void setTimeOut(double seconds) { m_timeOut.store(seconds); }

    std::shared_ptr<LocationManager> locationManager() const;
    void setLocationManager(std::shared_ptr<LocationManager> manager);
    std::optional<Location> location() const;
    void setLocation(std::optional<Location> location);
    bool isLocated() const { return m_isLocated.load(); }

    bool locationManager(LocationManager& manager, const Location& location,
                         const std::optional<Location>& previous) override;
    bool locationManager(LocationManager& manager, const Error& error) override;
    bool locationManager(LocationManager& manager, const Heading& heading) override;
    std::optional<bool> locationManagerShouldDisplayHeadingCalibration(
        LocationManager& manager) override;

  private:
    void waitForFirstFix();

    mutable std::recursive_mutex m_mutex;
    std::shared_ptr<LocationManager> m_locationManager;
    std::optional<Location> m_location;
    std::atomic<bool> m_isLocated{false};
    std::atomic<double> m_timeOut{kDefaultTimeOut};
};

}  // namespace ov
