#include <array>
#include <cstdlib>

#include "orvane/core/NSBundle+OVBundle.h"
#include "orvane/core/UIApplication+OVApplication.h"
#include "orvane/platform/text/Digest.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/application/Device.h"
#include "orvane/platform/values/FoundationVersion.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::UIApplication_OVApplication {

namespace {

constexpr unsigned long kNotificationTypes = ui::UIUserNotificationTypeAlert |
                                             ui::UIUserNotificationTypeBadge |
                                             ui::UIUserNotificationTypeSound;
constexpr double kNewerRegistrationFoundationVersion = 1047.25;
constexpr float kShortTelephoneFormVersion = 6.0f;
constexpr std::array<const char*, 4> kSchemes{"fb://", "twitter://", "waze://", "comgooglemaps:"};
constexpr const char* kSeparator = "------------------------------------";

ui::Application& application() {
    return ui::Application::sharedApplication();
}

void openIfAny(const std::optional<URL>& url) {
    if (url) openURL(*url);
}

String withoutCharacters(const String& text, std::u16string_view removed) {
    std::u16string kept;
    for (char16_t unit : text.utf16()) {
        if (removed.find(unit) == std::u16string_view::npos) kept.push_back(unit);
    }
    return String(std::move(kept));
}

// The version text's leading number, as the platform's floatValue reads it.
float leadingFloat(const String& text) {
    return std::strtof(text.toUtf8().c_str(), nullptr);
}

}  // namespace

void askPremmisionForPushNotifications() {
    DispatchQueue::main().async([] {
        if (NSFoundationVersionNumber.load() > kNewerRegistrationFoundationVersion) {
            application().registerUserNotificationSettings({kNotificationTypes});
            application().registerForRemoteNotifications();
        } else {
            application().registerForRemoteNotificationTypes(kNotificationTypes);
        }
    });
}

String clearToken(const Value& token) {
    // A data token's text form is its bytes in hexadecimal within "<>", grouped by spaces;
    // with those removed only the digits are left.
    if (const Data* data = token.ifData()) return Digest::hexString(data->span());
    return withoutCharacters(token.description(), u"<> ");
}

bool isDisabledPushNotifications() {
    return application().currentUserNotificationSettings().types == ui::UIUserNotificationTypeNone;
}

void openAppSettings() {
    openIfAny(URL::withString(ui::UIApplicationOpenSettingsURLString));
}

void openAppSettings(long which) {
    if (which == 0) {
        openAppSettings();
    } else if (which == 1) {
        if (auto url = URL::withString(kSupportArticle)) openSafari(*url);
    }
}

void dialNumber(const String& number) {
    systemLog("dialNumber: %@", number);
    const bool shortForm =
        leadingFloat(ui::Device::currentDevice().systemVersion()) >= kShortTelephoneFormVersion;
    openIfAny(URL::withString(shortForm
                                  ? stringWithFormat("tel:%@", withoutCharacters(number, u"-"))
                                  : stringWithFormat("tel://%@", number)));
}

void dialFaceTime(const String& address) {
    openIfAny(URL::withString(stringWithFormat("facetime:%@", address)));
}

void openURL(const URL& url) {
    application().openURL(url, {}, [](bool) {});
}

void openSafari(const URL& url) {
    std::optional<URL> address = url;
    if (!url.scheme()) address = URL::withString("http://" + url.absoluteString());
    systemLog("open safari %@", address ? Value(address->absoluteString()) : Value());
    openIfAny(address);
}

void openDeveloperWebSite() {
    if (auto url = URL::withString(kDeveloperWebSite)) openSafari(*url);
}

void setAppId(const String& /*appId*/) {}

URL itunesAppUrl() {
    return *URL::withString("http://itunes.apple.com/" + stringWithFormat("lookup?id=%@", "12345"));
}

void dontLockThePhone() {
    application().setIdleTimerDisabled(true);
}

void lockPhoneAvailable() {
    application().setIdleTimerDisabled(false);
}

String appInformation() {
    const auto& device = ui::Device::currentDevice();
    String block = kSeparator;
    block += "\n";
    block += "- App Information";
    block += "\n";
    block += stringWithFormat("Display Name: %@", NSBundle_OVBundle::CFBundleDisplayName());
    block += "\n";
    block += stringWithFormat("Version: %@", NSBundle_OVBundle::CFBundleShortVersionString());
    block += "\n";
    block += "\n";
    block += "- Device Information";
    block += "\n";
    block += stringWithFormat("Model: %@", device.model());
    block += "\n";
    block += stringWithFormat("SystemName: %@", device.systemName());
    block += "\n";
    block += stringWithFormat("SystemVersion: %@", device.systemVersion());
    block += "\n";
    block += kSeparator;
    return block;
}

bool schemeAvailable(const String& scheme) {
    const auto url = URL::withString(scheme);
    return url && application().canOpenURL(*url);
}

bool schemeAvailableType(long type) {
    if (type < 0 || type >= static_cast<long>(kSchemes.size())) return false;
    return schemeAvailable(kSchemes[static_cast<size_t>(type)]);
}

}  // namespace ov::UIApplication_OVApplication
