#pragma once
// Application services: opening web, telephone, video-call and settings addresses, push
// registration, whether other applications are installed, keeping the screen awake and an
// information block about the application and the device.
//
//   ov::UIApplication_OVApplication::dialNumber("03-555-0101");     // opens tel:035550101
//   ov::UIApplication_OVApplication::openSafari(*ov::URL::withString("example.com"));
//   if (ov::UIApplication_OVApplication::schemeAvailableType(2)) ...  // Waze is installed
//
// Addresses go through ov::ui::Application's opener; call these from the main thread, except
// askPremmisionForPushNotifications, which queues its work there itself.
//
//   ov::UIApplication_OVApplication::topViewController()->presentViewController(alert, true);
//   ov::UIApplication_OVApplication::forceOrientation(ov::ui::UIDeviceOrientationLandscapeLeft);

#include <memory>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {
class ViewController;
class Window;
}  // namespace ov::ui

namespace ov::UIApplication_OVApplication {

// The maker's web address (written without a scheme) and the support article opened by
// openAppSettings(1).
inline constexpr const char* kDeveloperWebSite = "www.orvane.dev";
inline constexpr const char* kSupportArticle = "https://support.apple.com/en-il/HT202039";

void askPremmisionForPushNotifications();
// The device token as plain text: the hexadecimal digits of a data token, or a string
// without its "<", ">" and spaces.
String clearToken(const Value& token);
bool isDisabledPushNotifications();
void openAppSettings();
// 0: the settings page; 1: the support article; anything else: nothing.
void openAppSettings(long which);
void dialNumber(const String& number);
void dialFaceTime(const String& address);
void openURL(const URL& url);
// Puts "http://" in front of an address without a scheme.
void openSafari(const URL& url);
void openDeveloperWebSite();
void setAppId(const String& appId);
URL itunesAppUrl();
void dontLockThePhone();
void lockPhoneAvailable();
String appInformation();
bool schemeAvailable(const String& scheme);
// 0 Facebook, 1 Twitter, 2 Waze, 3 Google Maps; false for any other number.
bool schemeAvailableType(long type);
// Sets the device's "orientation" to that number (a UIDeviceOrientation); the interface
// turns with it when the screen on top supports it.
void forceOrientation(long orientation);

// The shared application's windows and screens. The last of the application's windows
// (those given a root view controller, else the key window); nullptr with none.
ui::Window* window();
// topViewController(the key window's root view controller).
ui::ViewController* topViewController();
// The controller on top of `controller`: the top of a navigation stack, the selected tab,
// or what it presents, followed down; `controller` itself when none of these.
ui::ViewController* topViewController(ui::ViewController* controller);

}  // namespace ov::UIApplication_OVApplication
