#include "orvane/platform/ui/application/Application.h"

#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/ui/application/AlertView.h"
#include "platform/ui/application/DesktopNotificationPresenter.h"
#include "platform/ui/application/XdgURLOpener.h"

namespace ov::ui {

namespace {

// The platform's code for "remote notifications are not supported".
constexpr long long kRemoteNotificationsUnsupported = 3010;

Error unsupported() {
    return Error(NSCocoaErrorDomain, kRemoteNotificationsUnsupported,
                 Dictionary{{NSLocalizedDescriptionKey,
                             "remote notifications are not supported on this host"}});
}

}  // namespace

Application::Application()
    : m_opener(std::make_shared<XdgURLOpener>()),
      m_notificationPresenter(std::make_shared<DesktopNotificationPresenter>()) {}

Application& Application::sharedApplication() {
    // Never destroyed: shared instances live until the process ends.
    static auto* application = new Application;
    return *application;
}

void Application::setNetworkActivityIndicatorVisible(bool visible) {
    m_networkActivityIndicatorVisible.store(visible);
}

bool Application::isNetworkActivityIndicatorVisible() const {
    return m_networkActivityIndicatorVisible.load();
}

void Application::setURLOpener(std::shared_ptr<URLOpener> opener) {
    std::lock_guard lock(m_mutex);
    m_opener = opener ? std::move(opener) : std::make_shared<XdgURLOpener>();
}

std::shared_ptr<URLOpener> Application::opener() const {
    std::lock_guard lock(m_mutex);
    return m_opener;
}

bool Application::canOpenURL(const URL& url) const {
    return opener()->canOpenURL(url);
}

void Application::openURL(const URL& url, const Dictionary& /*options*/,
                          std::function<void(bool)> completion) {
    const bool opened = opener()->openURL(url);
    if (completion) {
        DispatchQueue::main().async(
            [completion = std::move(completion), opened] { completion(opened); });
    }
}

void Application::setIdleTimerDisabled(bool disabled) {
    m_idleTimerDisabled.store(disabled);
}

bool Application::isIdleTimerDisabled() const {
    return m_idleTimerDisabled.load();
}

void Application::setPushProvider(std::shared_ptr<PushProvider> provider) {
    std::lock_guard lock(m_mutex);
    m_pushProvider = std::move(provider);
}

std::shared_ptr<PushProvider> Application::pushProvider() const {
    std::lock_guard lock(m_mutex);
    return m_pushProvider;
}

void Application::registerUserNotificationSettings(const UserNotificationSettings& settings) {
    const auto provider = pushProvider();
    const unsigned long granted = provider ? provider->authorizeTypes(settings.types) : 0;
    std::lock_guard lock(m_mutex);
    m_notificationSettings.types = granted;
}

UserNotificationSettings Application::currentUserNotificationSettings() const {
    std::lock_guard lock(m_mutex);
    return m_notificationSettings;
}

void Application::registerForRemoteNotifications() {
    const auto provider = pushProvider();
    Result<Data> outcome = provider ? provider->registerDevice() : Result<Data>(unsupported());
    RegistrationHandler handler;
    {
        std::lock_guard lock(m_mutex);
        if (outcome) {
            m_deviceToken = outcome.value();
            m_registrationError.reset();
        } else {
            m_registrationError = outcome.error();
        }
        handler = m_registrationHandler;
    }
    if (handler) {
        DispatchQueue::main().async(
            [handler = std::move(handler), outcome = std::move(outcome)] { handler(outcome); });
    }
}

void Application::registerForRemoteNotificationTypes(unsigned long types) {
    const auto provider = pushProvider();
    const unsigned long granted = provider ? provider->authorizeTypes(types) : 0;
    {
        std::lock_guard lock(m_mutex);
        m_enabledRemoteNotificationTypes = granted;
    }
    registerForRemoteNotifications();
}

unsigned long Application::enabledRemoteNotificationTypes() const {
    std::lock_guard lock(m_mutex);
    return m_enabledRemoteNotificationTypes;
}

bool Application::isRegisteredForRemoteNotifications() const {
    std::lock_guard lock(m_mutex);
    return m_deviceToken.has_value();
}

std::optional<Data> Application::deviceToken() const {
    std::lock_guard lock(m_mutex);
    return m_deviceToken;
}

std::optional<Error> Application::remoteNotificationRegistrationError() const {
    std::lock_guard lock(m_mutex);
    return m_registrationError;
}

void Application::setRemoteNotificationRegistrationHandler(RegistrationHandler handler) {
    std::lock_guard lock(m_mutex);
    m_registrationHandler = std::move(handler);
}

std::vector<std::shared_ptr<AlertView>> Application::shownAlerts() const {
    std::lock_guard lock(m_mutex);
    return m_shownAlerts;
}

void Application::clearShownAlerts() {
    std::vector<std::shared_ptr<AlertView>> cleared;
    {
        std::lock_guard lock(m_mutex);
        cleared.swap(m_shownAlerts);
    }
    for (const auto& alert : cleared)
        alert->m_visible = false;
}

void Application::addShownAlert(std::shared_ptr<AlertView> alert) {
    std::lock_guard lock(m_mutex);
    m_shownAlerts.push_back(std::move(alert));
}

void Application::removeShownAlert(const AlertView& alert) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_shownAlerts, [&](const auto& shown) { return shown.get() == &alert; });
}

}  // namespace ov::ui
