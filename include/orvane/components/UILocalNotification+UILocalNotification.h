#pragma once
// Making and firing local notifications in one call.
//
//   namespace notes = ov::UILocalNotification_UILocalNotification;
//   notes::fireMessage(ov::String("Upload finished"));   // shown on the next run-loop turn

#include <memory>
#include <optional>

#include "orvane/platform/ui/application/LocalNotification.h"

namespace ov::UILocalNotification_UILocalNotification {

// Not scheduled.
std::shared_ptr<ui::LocalNotification> localNotification(const std::optional<String>& title,
                                                         const std::optional<String>& Body,
                                                         const std::optional<Date>& fireDate);
// A notification with the title, no body and now as its fire date, scheduled with the
// application at once.
std::shared_ptr<ui::LocalNotification> fireMessage(const std::optional<String>& title);

}  // namespace ov::UILocalNotification_UILocalNotification
