#pragma once
// A synchronous load that another thread can stop: once `cancelled` turns true the transfer
// ends within moments with NSURLErrorCancelled. A null flag loads like URLConnection.

#include <atomic>

#include "orvane/platform/network/URLConnection.h"

namespace ov {

URLLoadResult loadCancellableRequest(const URLRequest& request, const std::atomic<bool>* cancelled);

}  // namespace ov
