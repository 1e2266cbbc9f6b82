#pragma once
// Programming errors the HUD and its parts check. The message goes to the system log; debug
// builds then stop, release builds skip the call (the caller returns when this answers false).

#include "ComponentAssert.h"
#include "orvane/platform/threads/RunLoop.h"

namespace ov::mb {

inline bool check(bool condition, const char* message) {
    return components::check(condition, String(message));
}

inline bool checkMainThread() {
    return check(RunLoop::isMainThread(), "MBProgressHUD needs to be accessed on the main thread.");
}

inline constexpr const char* kNilColorMessage = "The color should not be nil.";

}  // namespace ov::mb
