#pragma once
// Checks on web addresses. A text that does not parse gives no URL, which answers false.
//
//   using namespace ov::NSURL_NSURL;
//   isValid(ov::URL::withString("https://m.youtube.com/watch"));    // true
//   isYoutube(ov::URL::withString("https://m.youtube.com/watch"));  // true

#include <optional>

#include "orvane/platform/network/URL.h"

namespace ov::NSURL_NSURL {

// Matched against the host, ignoring ASCII case.
inline constexpr const char* kFacebookDomain = "facebook.com";
inline constexpr const char* kYoutubeDomain = "youtube.com";

// Both a scheme and a host.
bool isValid(const std::optional<URL>& url);
bool isFacebook(const std::optional<URL>& url);
bool isYoutube(const std::optional<URL>& url);

}  // namespace ov::NSURL_NSURL
