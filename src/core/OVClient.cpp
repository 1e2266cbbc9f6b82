#include "orvane/core/OVClient.h"

namespace ov {

std::shared_ptr<Bundle> OVClient::frameworkBundle() {
    static const auto bundle = Bundle::frameworkBundle();
    return bundle;
}

std::shared_ptr<Bundle> OVClient::OVCLientBundle() {
    return Bundle::frameworkBundle();
}

std::shared_ptr<Bundle> OVClient::resourcesBundle() const {
    const auto client = OVCLientBundle();
    const auto path = client ? client->pathForResource("Resources", "bundle") : std::nullopt;
    return path ? Bundle::bundleWithPath(*path) : nullptr;
}

std::shared_ptr<Bundle> OVClient::localBundle() const {
    return Bundle::frameworkBundle();
}

}  // namespace ov
