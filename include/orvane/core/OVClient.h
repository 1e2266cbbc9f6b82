#pragma once
// Where the library's own resources live: the framework bundle and the "Resources.bundle"
// inside it. The date and relative-time texts are loaded from bundles found here.
//
//   auto texts = ov::OVClient::frameworkBundle();
//   auto images = ov::OVClient().resourcesBundle();
//
// Each lookup answers nullptr when the folder is not there (a library neither installed nor
// run from its source tree).

#include <memory>

#include "orvane/platform/files/Bundle.h"

namespace ov {

class OVClient {
  public:
    // Found on the first call and kept from then on. Thread-safe.
    static std::shared_ptr<Bundle> frameworkBundle();
    // The same bundle, looked up again on every call.
    static std::shared_ptr<Bundle> OVCLientBundle();

    std::shared_ptr<Bundle> resourcesBundle() const;
    std::shared_ptr<Bundle> localBundle() const;
};

}  // namespace ov
