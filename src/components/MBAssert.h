#pragma once
// Programming errors the HUD and its parts check. The message goes to the system log; debug
// builds then stop, release builds skip the call (the caller returns when this answers false).

#include <cstdlib>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::mb {

inline bool check(bool condition, const char* message) {
    if (condition) return true;
    SystemLog::write(String(message));
#ifndef NDEBUG
    std::abort();
#else
    return false;
#endif
}

inline bool checkMainThread() {
    return check(RunLoop::isMainThread(), "MBProgressHUD needs to be accessed on the main thread.");
}

inline constexpr const char* kNilColorMessage = "The color should not be nil.";

}  // namespace ov::mb
