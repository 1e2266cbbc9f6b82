#pragma once
// Names of the application's life-cycle notifications. The host posts them through the default
// notification centre when its application changes state.

namespace ov::ui {

inline constexpr const char* UIApplicationDidBecomeActiveNotification =
    "UIApplicationDidBecomeActiveNotification";
inline constexpr const char* UIApplicationWillResignActiveNotification =
    "UIApplicationWillResignActiveNotification";

}  // namespace ov::ui
