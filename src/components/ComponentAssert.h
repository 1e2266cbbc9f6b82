#pragma once
// Programming errors the interface components check. The message goes to the system log; debug
// builds then stop, release builds skip the call (the caller returns when this answers false).

#include <cstdlib>

#include "orvane/platform/values/String.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::components {

inline bool check(bool condition, const String& message) {
    if (condition) return true;
    SystemLog::write(message);
#ifndef NDEBUG
    std::abort();
#else
    return false;
#endif
}

}  // namespace ov::components
