#pragma once
// The desktop's notification service (libnotify over the session bus). Without a session bus
// (a headless host, a test run) it shows nothing. Showing is a bus round trip, so it runs on
// the global queue, one notification at a time; a failure is logged.

#include "orvane/platform/ui/application/LocalNotificationPresenter.h"

namespace ov::ui {

class DesktopNotificationPresenter final : public LocalNotificationPresenter {
  public:
    void presentLocalNotification(const LocalNotification& notification) override;

    // Whether a session bus can be reached: its address is in the environment, or the
    // per-user socket exists.
    static bool hasSessionBus();
};

}  // namespace ov::ui
