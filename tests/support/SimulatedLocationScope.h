#pragma once
// Installs a fresh simulated location device for as long as it lives, then puts the default
// back. Managers made while it lives are bound to it.
//
//   ov::test::SimulatedLocationScope location;
//   location.device().setPosition(ov::CLLocationCoordinate2DMake(32.0853, 34.7818));
//   location.device().setAuthorizationStatus(ov::AuthorizationStatus::AuthorizedWhenInUse);

#include <memory>

#include "orvane/platform/location/SimulatedLocationProvider.h"

namespace ov::test {

class SimulatedLocationScope {
  public:
    SimulatedLocationScope() : m_device(std::make_shared<SimulatedLocationProvider>()) {
        LocationProvider::setShared(m_device);
    }
    ~SimulatedLocationScope() { LocationProvider::setShared(nullptr); }
    SimulatedLocationScope(const SimulatedLocationScope&) = delete;
    SimulatedLocationScope& operator=(const SimulatedLocationScope&) = delete;

    SimulatedLocationProvider& device() { return *m_device; }

  private:
    std::shared_ptr<SimulatedLocationProvider> m_device;
};

}  // namespace ov::test
