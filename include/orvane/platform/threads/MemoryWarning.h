#pragma once
// The low-memory warning. Nothing on this system raises it by itself: a host that watches
// memory pressure (or a test, or the demo) posts it, and caches flush on it.
//
//   ov::postMemoryWarning();   // on the main thread, as the platform does

#include "orvane/platform/threads/NotificationCenter.h"

namespace ov {

inline constexpr const char* UIApplicationDidReceiveMemoryWarningNotification =
    "UIApplicationDidReceiveMemoryWarningNotification";

inline void postMemoryWarning() {
    NotificationCenter::defaultCenter().postNotification(
        UIApplicationDidReceiveMemoryWarningNotification);
}

}  // namespace ov
