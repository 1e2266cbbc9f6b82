#include "platform/ui/application/DesktopNotificationPresenter.h"

#include <errno.h>
#include <libnotify/notify.h>
#include <sys/stat.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {

namespace {

std::mutex g_notifyMutex;
// The session bus libnotify talks over, kept so that it stays the one GLib hands out.
GDBusConnection* g_sessionBus = nullptr;

bool isSet(const char* value) {
    return value && *value;
}

void logFailure(const GError* error) {
    systemLog("desktop notification not shown: %@",
              String(error ? error->message : "unknown error"));
}

// GLib ends the process when the session bus of g_bus_get closes; a toolkit must not take its
// host down with the desktop's bus, so that is turned off before libnotify uses the bus.
// Callers hold g_notifyMutex.
bool connectSessionBus() {
    if (g_sessionBus && !g_dbus_connection_is_closed(g_sessionBus)) return true;
    g_clear_object(&g_sessionBus);
    GError* error = nullptr;
    g_sessionBus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!g_sessionBus) {
        logFailure(error);
        g_clear_error(&error);
        return false;
    }
    g_dbus_connection_set_exit_on_close(g_sessionBus, FALSE);
    return true;
}

void show(const std::string& summary, const std::string& body) {
    std::lock_guard lock(g_notifyMutex);
    if (!connectSessionBus()) return;
    if (!notify_is_initted() && !notify_init(program_invocation_short_name)) {
        systemLog("desktop notification not shown: the notification library did not start");
        return;
    }
    NotifyNotification* shown =
        notify_notification_new(summary.c_str(), body.empty() ? nullptr : body.c_str(), nullptr);
    GError* error = nullptr;
    if (!notify_notification_show(shown, &error)) logFailure(error);
    g_clear_error(&error);
    g_object_unref(shown);
}

}  // namespace

bool DesktopNotificationPresenter::hasSessionBus() {
    if (isSet(std::getenv("DBUS_SESSION_BUS_ADDRESS"))) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!isSet(runtime)) return false;
    struct stat entry {};
    return ::stat((std::string(runtime) + "/bus").c_str(), &entry) == 0 && S_ISSOCK(entry.st_mode);
}

void DesktopNotificationPresenter::presentLocalNotification(const LocalNotification& notification) {
    if (!hasSessionBus()) return;
    std::string title = notification.alertTitle() ? notification.alertTitle()->toUtf8() : "";
    std::string body = notification.alertBody() ? notification.alertBody()->toUtf8() : "";
    // The service needs a summary: a body alone takes its place.
    if (title.empty()) title.swap(body);
    if (title.empty()) return;
    DispatchQueue::global().async(
        [title = std::move(title), body = std::move(body)] { show(title, body); });
}

}  // namespace ov::ui
