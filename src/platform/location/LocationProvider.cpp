#include "orvane/platform/location/LocationProvider.h"

#include <mutex>

#include "orvane/platform/location/SimulatedLocationProvider.h"

namespace ov {

namespace {

std::mutex g_mutex;

std::shared_ptr<LocationProvider>& sharedProvider() {
    // Never destroyed: managers on other threads may still read it while the process exits.
    static auto* provider = new std::shared_ptr<LocationProvider>;
    return *provider;
}

}  // namespace

std::shared_ptr<LocationProvider> LocationProvider::shared() {
    std::lock_guard lock(g_mutex);
    auto& provider = sharedProvider();
    if (!provider) provider = SimulatedLocationProvider::fromEnvironment();
    return provider;
}

void LocationProvider::setShared(std::shared_ptr<LocationProvider> provider) {
    std::lock_guard lock(g_mutex);
    sharedProvider() = std::move(provider);
}

}  // namespace ov
