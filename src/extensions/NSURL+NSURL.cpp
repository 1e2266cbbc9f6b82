#include "orvane/extensions/NSURL+NSURL.h"
#include "orvane/platform/text/StringTransforms.h"

namespace ov::NSURL_NSURL {
namespace {

bool hostContains(const std::optional<URL>& url, const char* domain) {
    if (!url || !url->host()) return false;
    return lowercaseString(*url->host()).containsString(domain);
}

}  // namespace

bool isValid(const std::optional<URL>& url) {
    return url && url->scheme() && url->host();
}

bool isFacebook(const std::optional<URL>& url) {
    return hostContains(url, kFacebookDomain);
}

bool isYoutube(const std::optional<URL>& url) {
    return hostContains(url, kYoutubeDomain);
}

}  // namespace ov::NSURL_NSURL
