#include "platform/network/LoadError.h"

#include "orvane/platform/network/URLConnection.h"
#include "platform/network/HeaderFieldName.h"

namespace ov {
namespace {

bool isHTTPScheme(const String& scheme) {
    return headerFieldNamesEqual(scheme, "http") || headerFieldNamesEqual(scheme, "https");
}

}  // namespace

Error loadError(long long code, const char* message, const std::optional<URL>& url,
                const String& debugDescription) {
    Dictionary userInfo{{NSLocalizedDescriptionKey, String(message)}};
    if (url) userInfo.setObject(url->absoluteString(), NSURLErrorFailingURLStringErrorKey);
    if (!debugDescription.isEmpty())
        userInfo.setObject(debugDescription, NSDebugDescriptionErrorKey);
    return Error(NSURLErrorDomain, code, std::move(userInfo));
}

std::optional<Error> unloadableAddressError(const std::optional<URL>& url) {
    if (!url || !url->scheme() || !isHTTPScheme(*url->scheme())) {
        return loadError(NSURLErrorUnsupportedURL, "unsupported URL", url);
    }
    if (!url->host() || url->host()->isEmpty()) return loadError(NSURLErrorBadURL, "bad URL", url);
    return std::nullopt;
}

}  // namespace ov
