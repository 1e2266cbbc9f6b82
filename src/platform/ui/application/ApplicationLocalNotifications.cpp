#include <algorithm>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/application/Application.h"
#include "platform/ui/application/DesktopNotificationPresenter.h"

namespace ov::ui {

void Application::scheduleLocalNotification(const LocalNotification& notification) {
    const double delay =
        notification.fireDate() ? notification.fireDate()->timeIntervalSinceNow() : 0.0;
    std::shared_ptr<Timer> timer;
    unsigned long long id = 0;
    {
        std::lock_guard lock(m_mutex);
        id = m_nextNotificationId++;
        if (delay > 0) {
            // The timer holds only the id: a cancelled notification is simply not found.
            timer = Timer::create(delay, false,
                                  [this, id](Timer&) { deliverScheduledNotification(id); });
        }
        m_scheduledNotifications.push_back({id, notification, timer});
    }
    if (timer) {
        RunLoop::main().addTimer(timer);
    } else {
        RunLoop::main().perform([this, id] { deliverScheduledNotification(id); });
    }
}

void Application::presentLocalNotificationNow(const LocalNotification& notification) {
    deliver(notification);
}

void Application::deliverScheduledNotification(unsigned long long id) {
    std::optional<LocalNotification> due;
    {
        std::lock_guard lock(m_mutex);
        const auto found =
            std::ranges::find(m_scheduledNotifications, id, &ScheduledNotification::id);
        if (found == m_scheduledNotifications.end()) return;
        due = std::move(found->notification);
        m_scheduledNotifications.erase(found);
    }
    deliver(*due);
}

void Application::deliver(const LocalNotification& notification) {
    std::shared_ptr<LocalNotificationPresenter> presenter;
    {
        std::lock_guard lock(m_mutex);
        m_deliveredNotifications.push_back(notification);
        presenter = m_notificationPresenter;
    }
    presenter->presentLocalNotification(notification);
}

std::vector<LocalNotification> Application::scheduledLocalNotifications() const {
    std::lock_guard lock(m_mutex);
    std::vector<LocalNotification> scheduled;
    for (const auto& entry : m_scheduledNotifications)
        scheduled.push_back(entry.notification);
    return scheduled;
}

std::vector<LocalNotification> Application::deliveredLocalNotifications() const {
    std::lock_guard lock(m_mutex);
    return m_deliveredNotifications;
}

void Application::cancelAllLocalNotifications() {
    std::vector<ScheduledNotification> cancelled;
    {
        std::lock_guard lock(m_mutex);
        cancelled.swap(m_scheduledNotifications);
        m_deliveredNotifications.clear();
    }
    for (const auto& entry : cancelled) {
        if (entry.timer) entry.timer->invalidate();
    }
}

void Application::setLocalNotificationPresenter(
    std::shared_ptr<LocalNotificationPresenter> presenter) {
    std::lock_guard lock(m_mutex);
    m_notificationPresenter =
        presenter ? std::move(presenter) : std::make_shared<DesktopNotificationPresenter>();
}

}  // namespace ov::ui
