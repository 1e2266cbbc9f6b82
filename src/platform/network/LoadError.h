#pragma once
// The errors a load ends with, in NSURLErrorDomain as the platform reports them.

#include <optional>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/String.h"

namespace ov {

// The address goes under NSURLErrorFailingURLStringErrorKey and a non-empty debug description
// under NSDebugDescriptionErrorKey.
Error loadError(long long code, const char* message, const std::optional<URL>& url,
                const String& debugDescription = {});

// Why an address cannot be loaded at all (not http or https, or without a host), or none.
std::optional<Error> unloadableAddressError(const std::optional<URL>& url);

}  // namespace ov
