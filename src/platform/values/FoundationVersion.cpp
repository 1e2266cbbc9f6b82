#include "orvane/platform/values/FoundationVersion.h"

namespace ov {

std::atomic<double> NSFoundationVersionNumber{1953.255};

}  // namespace ov
