#pragma once
// The application object (the platform's UIApplication): one per process, made on first use.
//
//   auto& application = ov::ui::Application::sharedApplication();
//   application.setNetworkActivityIndicatorVisible(true);
//   application.openURL(*ov::URL::withString("https://example.com"), {}, nullptr);
//   application.setIdleTimerDisabled(true);   // keep the screen on
//
// Addresses are opened through a URLOpener (by default `xdg-open`); push notifications come
// from a PushProvider the host plugs in. Everything here is thread-safe, though the platform
// expects the interface to be touched from the main thread.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/ui/application/LocalNotification.h"
#include "orvane/platform/ui/application/LocalNotificationPresenter.h"
#include "orvane/platform/ui/application/PushProvider.h"
#include "orvane/platform/ui/application/URLOpener.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov {
class Timer;
}

namespace ov::ui {

// Opening this address shows the application's own settings page.
inline constexpr const char* UIApplicationOpenSettingsURLString = "app-settings:";

// Posted by the host when the application comes back from the background.
inline constexpr const char* UIApplicationWillEnterForegroundNotification =
    "UIApplicationWillEnterForegroundNotification";

// Notification types, a bit set.
inline constexpr unsigned long UIUserNotificationTypeNone = 0;
inline constexpr unsigned long UIUserNotificationTypeBadge = 1 << 0;
inline constexpr unsigned long UIUserNotificationTypeSound = 1 << 1;
inline constexpr unsigned long UIUserNotificationTypeAlert = 1 << 2;

class AlertView;

struct UserNotificationSettings {
    unsigned long types = UIUserNotificationTypeNone;
};

class Application {
  public:
    using RegistrationHandler = std::function<void(const Result<Data>& deviceToken)>;

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& sharedApplication();

    void setNetworkActivityIndicatorVisible(bool visible);
    bool isNetworkActivityIndicatorVisible() const;

    // Nullptr puts the default (xdg-open / xdg-mime) back.
    void setURLOpener(std::shared_ptr<URLOpener> opener);
    // The default asks `xdg-mime query default x-scheme-handler/<scheme>` for every scheme,
    // http and https included: a desktop without a browser cannot open them either.
    bool canOpenURL(const URL& url) const;
    // Hands the address to the opener at once; `completion`, when given, then runs on the
    // main queue with the outcome. The options are accepted for the platform's sake and unused.
    void openURL(const URL& url, const Dictionary& options, std::function<void(bool)> completion);

    // While disabled, the host should keep the screen from locking.
    void setIdleTimerDisabled(bool disabled);
    bool isIdleTimerDisabled() const;

    // Push notifications. Nullptr removes the provider.
    void setPushProvider(std::shared_ptr<PushProvider> provider);
    // Asks the provider which of the types the user allows; the answer becomes current.
    void registerUserNotificationSettings(const UserNotificationSettings& settings);
    UserNotificationSettings currentUserNotificationSettings() const;
    // Asks the provider for a device token. The outcome is recorded here and handed to the
    // registration handler on the main queue.
    void registerForRemoteNotifications();
    // The older form: authorises `types` and registers in one step.
    void registerForRemoteNotificationTypes(unsigned long types);
    unsigned long enabledRemoteNotificationTypes() const;
    bool isRegisteredForRemoteNotifications() const;
    // The last token received, and the last failure (none after a success).
    std::optional<Data> deviceToken() const;
    std::optional<Error> remoteNotificationRegistrationError() const;
    void setRemoteNotificationRegistrationHandler(RegistrationHandler handler);

    // Local notifications. A scheduled one is kept (a copy) until its fire date, which the main
    // run loop waits for by the clock (a due one goes on the next turn); then it moves to the
    // delivered ones and goes to the presenter on the main thread.
    void scheduleLocalNotification(const LocalNotification& notification);
    // Delivered at once, on the calling thread.
    void presentLocalNotificationNow(const LocalNotification& notification);
    // Waiting for their fire dates, in the order they were scheduled.
    std::vector<LocalNotification> scheduledLocalNotifications() const;
    // Shown (or handed on) so far, oldest first.
    std::vector<LocalNotification> deliveredLocalNotifications() const;
    // Drops the scheduled ones and the record of delivered ones.
    void cancelAllLocalNotifications();
    // Nullptr puts the default (the desktop's notification service) back.
    void setLocalNotificationPresenter(std::shared_ptr<LocalNotificationPresenter> presenter);

    // The alerts on screen, oldest first; drawing them is left to the host.
    std::vector<std::shared_ptr<AlertView>> shownAlerts() const;
    // Takes every alert off the screen without telling their delegates.
    void clearShownAlerts();

  private:
    friend class AlertView;

    Application();

    void addShownAlert(std::shared_ptr<AlertView> alert);
    void removeShownAlert(const AlertView& alert);

    struct ScheduledNotification {
        unsigned long long id;
        LocalNotification notification;
        std::shared_ptr<Timer> timer;
    };

    std::shared_ptr<URLOpener> opener() const;
    void deliverScheduledNotification(unsigned long long id);
    void deliver(const LocalNotification& notification);
    std::shared_ptr<PushProvider> pushProvider() const;

    std::atomic<bool> m_networkActivityIndicatorVisible{false};
    std::atomic<bool> m_idleTimerDisabled{false};

    mutable std::mutex m_mutex;
    std::shared_ptr<URLOpener> m_opener;
    std::shared_ptr<PushProvider> m_pushProvider;
    UserNotificationSettings m_notificationSettings;
    unsigned long m_enabledRemoteNotificationTypes = UIUserNotificationTypeNone;
    std::optional<Data> m_deviceToken;
    std::optional<Error> m_registrationError;
    RegistrationHandler m_registrationHandler;
    std::vector<std::shared_ptr<AlertView>> m_shownAlerts;
    std::shared_ptr<LocalNotificationPresenter> m_notificationPresenter;
    std::vector<ScheduledNotification> m_scheduledNotifications;
    std::vector<LocalNotification> m_deliveredNotifications;
    unsigned long long m_nextNotificationId = 0;
};

}  // namespace ov::ui
