#include "orvane/components/UILocalNotification+UILocalNotification.h"
#include "orvane/platform/ui/application/Application.h"

namespace ov::UILocalNotification_UILocalNotification {

std::shared_ptr<ui::LocalNotification> localNotification(const std::optional<String>& title,
                                                         const std::optional<String>& Body,
                                                         const std::optional<Date>& fireDate) {
    auto notification = std::make_shared<ui::LocalNotification>();
    notification->setAlertTitle(title);
    notification->setAlertBody(Body);
    notification->setFireDate(fireDate);
    return notification;
}

std::shared_ptr<ui::LocalNotification> fireMessage(const std::optional<String>& title) {
    auto notification = localNotification(title, std::nullopt, Date::now());
    ui::Application::sharedApplication().scheduleLocalNotification(*notification);
    return notification;
}

}  // namespace ov::UILocalNotification_UILocalNotification
