#pragma once
// The application's identifier, name, versions and icon, from the main bundle's information
// dictionary.
//
//   ov::NSBundle_OVBundle::formattedFullCFBundleVersion();   // "2.1v (34)"
//   if (ov::NSBundle_OVBundle::isCFBundleIdentifierEqualTo("com.maker.weather")) ...
//
// Values missing from the dictionary come back absent (and print as "(null)").

#include <memory>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/values/Value.h"

namespace ov::NSBundle_OVBundle {

Dictionary dictionary();
Value CFBundleIdentifier();
bool isCFBundleIdentifierEqualTo(const String& identifier);
// Translated through the bundle's "InfoPlist" table where it has the key.
Value CFBundleDisplayName();
Value CFBundleShortVersionString();
Value CFBundleVersion();
String formattedAppVersion();       // "2.1v"
String formattedCFBundleVersion();  // "(34)"
String formattedFullCFBundleVersion();
// The image named by the last file of CFBundleIcons / CFBundlePrimaryIcon / CFBundleIconFiles.
std::shared_ptr<Image> appIcon();

}  // namespace ov::NSBundle_OVBundle
