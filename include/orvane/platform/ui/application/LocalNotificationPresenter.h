#pragma once
// How the application object shows a local notification that has come due. The default hands
// it to the desktop's notification service when a session bus is there, and otherwise shows
// nothing (the application still records it); tests and hosts install another.
//
//   class Recorder : public ov::ui::LocalNotificationPresenter {
//       void presentLocalNotification(const ov::ui::LocalNotification& n) override {
//           shown.push_back(n);
//       }
//       std::vector<ov::ui::LocalNotification> shown;
//   };
//   ov::ui::Application::sharedApplication().setLocalNotificationPresenter(recorder);

#include "orvane/platform/ui/application/LocalNotification.h"

namespace ov::ui {

class LocalNotificationPresenter {
  public:
    virtual ~LocalNotificationPresenter() = default;
    // On the main thread; must not wait on anything slow.
    virtual void presentLocalNotification(const LocalNotification& notification) = 0;
};

}  // namespace ov::ui
