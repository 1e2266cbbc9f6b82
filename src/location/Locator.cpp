#include "orvane/location/Locator.h"

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/Clock.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {

std::shared_ptr<Locator> Locator::init() {
    auto locator = std::make_shared<Locator>(PrivateTag{});
    auto manager = LocationManager::create();
    manager->setDesiredAccuracy(kCLLocationAccuracyBest);
    manager->setDistanceFilter(kCLDistanceFilterNone);
    manager->setDelegate(locator);
    manager->startUpdatingLocation();
    locator->setLocationManager(std::move(manager));
    return locator;
}

bool Locator::getCoordinates(LocationCoordinate2D& coordinate) {
    if (LocationManager::locationServicesEnabled()) waitForFirstFix();
    std::lock_guard lock(m_mutex);
    if (!m_location) return false;
    coordinate = m_location->coordinate();
    return true;
}

// Bounded, so that a device that never answers cannot hang the caller.
void Locator::waitForFirstFix() {
    const double deadline = Clock::current().now() + timeOut();
    while (!m_isLocated.load() && Clock::current().now() < deadline) {
        systemLog("----------------LOOP");
        RunLoop::current().runFor(kWaitSlice);
    }
}

std::shared_ptr<LocationManager> Locator::locationManager() const {
    std::lock_guard lock(m_mutex);
    return m_locationManager;
}

void Locator::setLocationManager(std::shared_ptr<LocationManager> manager) {
    std::lock_guard lock(m_mutex);
    m_locationManager = std::move(manager);
}

std::optional<Location> Locator::location() const {
    std::lock_guard lock(m_mutex);
    return m_location;
}

void Locator::setLocation(std::optional<Location> location) {
    std::lock_guard lock(m_mutex);
    m_location = std::move(location);
}

bool Locator::locationManager(LocationManager& /*manager*/, const Location& location,
                              const std::optional<Location>& /*previous*/) {
    std::lock_guard lock(m_mutex);
    m_location = location;
    m_isLocated.store(true);
    return true;
}

bool Locator::locationManager(LocationManager& /*manager*/, const Error& /*error*/) {
    std::lock_guard lock(m_mutex);
    m_location.reset();
    m_isLocated.store(true);
    return true;
}

bool Locator::locationManager(LocationManager& /*manager*/, const Heading& /*heading*/) {
    return true;
}

std::optional<bool> Locator::locationManagerShouldDisplayHeadingCalibration(
    LocationManager& /*manager*/) {
    return false;
}

}  // namespace ov
